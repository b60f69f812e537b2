// Capture Screen in letter mode: the tinted frozen screen, the first ten packets of a tablet's
// pen ignored, the rubber band at most every 150 ms, and a picture of exactly the area up to the
// pen's lift at the page's top-left corner under the strokes, with the pen or with the mouse as
// the pen; Esc gives the screen back, and a cancelled capture dialog leaves Esc to the modes.
#include <gtest/gtest.h>

#include "CanvasTestAccess.h"
#include "FakeTablet.h"
#include "FrameworkIds.h"
#include "ModesFixture.h"
#include "Picture.h"

namespace {
constexpr COLORREF kRed = RGB(200, 30, 30);

class ScreenCapture : public CModesFixture {
protected:
    void Packet(DWORD nTime, DWORD nEvent, POINT pt, UINT nPressure = 600) {
        View().OnCapturePacket(nTime, MAKELONG(0, nEvent), pt.x, pt.y, nPressure);
    }
};
} // namespace

TEST_F(ScreenCapture, TheSelectedAreaBecomesAPictureAtThePageCornerUnderTheStrokes) {
    // The pen of a tablet: its press on the start button may still be down.
    FakeTablet tablet;
    CCanvasTestAccess::WintabLibrary(*m_pView) = &tablet.api;
    m_pView->OpenViewContext();
    CColourWindow red({300, 300, 420, 380}, kRed);
    // A marker stroke on the page across the corner the picture will cover.
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(RGB(0, 0, 255));
    pLine->SetTool(kToolMarker, 0);
    pLine->AddPoint(0, 20, 4);
    pLine->AddPoint(100, 20, 4);
    m_pDoc->m_lines.Add(std::move(pLine));

    View().ScreenRun().StartCapture();
    ASSERT_EQ(View().CaptureState(), 2);
    CCaptureWindow* pOverlay = m_pView->ScreenRun().GetOverlay();
    ASSERT_TRUE(IsWindowVisible(pOverlay->m_hWnd));
    EXPECT_TRUE(pOverlay->IsSelectMode());
    EXPECT_EQ(InkPixel({310, 310}), kRed & 0xFF8080) << "the frozen screen is tinted";

    for (DWORD t = 0; t < 10; ++t)
        Packet(t, t == 0 ? TBN_DOWN : 0, {300, 300});
    EXPECT_FALSE(CCanvasTestAccess::IsSelecting(View().ScreenRun()))
        << "the first ten packets are ignored";
    Packet(1000, 0, {300, 300});
    ASSERT_TRUE(CCanvasTestAccess::IsSelecting(View().ScreenRun()));
    Packet(1100, 0, {350, 350});
    EXPECT_EQ(CCanvasTestAccess::SelectRect(View().ScreenRun()).right, 300)
        << "100 ms after the last update";
    Packet(1160, 0, {360, 340});
    EXPECT_EQ(CCanvasTestAccess::SelectRect(View().ScreenRun()).right, 360);
    EXPECT_EQ(CCanvasTestAccess::SelectRect(View().ScreenRun()).bottom, 340);
    EXPECT_EQ(InkPixel({330, 320}), kRed) << "the selected area shows untinted";
    Packet(1200, 0, {400, 380});
    Packet(1250, TBN_UP, {400, 380}, 0);

    EXPECT_EQ(View().CaptureState(), 0);
    EXPECT_FALSE(IsWindowVisible(pOverlay->m_hWnd));
    EXPECT_FALSE(m_pView->ScreenRun().FrozenScreen()) << "the frozen screen is given back";
    ASSERT_EQ(m_pDoc->m_pictures.GetCount(), 1);
    CPicture* pPicture = CCanvasTestAccess::NewPicture(*m_pView);
    ASSERT_NE(pPicture, nullptr);
    const RECT rc = pPicture->GetRect(), rcExpected = {0, 0, 100, 80};
    EXPECT_TRUE(EqualRect(&rc, &rcExpected)) << "to the lift, not the last update";
    CMemoryDC dc;
    {
        CSelectScope select(dc.Get(), pPicture->GetBitmap());
        EXPECT_EQ(GetPixel(dc.Get(), 0, 0), kRed);
        EXPECT_EQ(GetPixel(dc.Get(), 99, 79), kRed);
    }
    HDC hdcPage = m_pView->GetPageDC();
    EXPECT_EQ(GetPixel(hdcPage, 30, 35), kRed);
    EXPECT_EQ(GetPixel(hdcPage, 30, 20), kRed & RGB(0, 0, 255)) << "the stroke lies over it";
    EXPECT_EQ(GetPixel(hdcPage, 101, 35), m_pView->GetPaper().crBack);
    EXPECT_TRUE(m_pView->HasInk());
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_TRUE(IsWindowVisible(m_pFrame->m_hWnd));
    m_pView->CloseTabletContext();
    CCanvasTestAccess::WintabLibrary(*m_pView) = &Wintab();
}

TEST_F(ScreenCapture, EscGivesTheScreenBackWithoutAPicture) {
    View().ScreenRun().StartCapture();
    HWND hwndOverlay = m_pView->ScreenRun().GetOverlay()->m_hWnd;
    ASSERT_TRUE(IsWindowVisible(hwndOverlay));
    SendMessageW(hwndOverlay, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(IsWindowVisible(hwndOverlay));
    EXPECT_FALSE(m_pView->ScreenRun().FrozenScreen());
    EXPECT_EQ(View().CaptureState(), 0);
    EXPECT_EQ(m_pDoc->m_pictures.GetCount(), 0);
    EXPECT_TRUE(IsWindowVisible(m_pFrame->m_hWnd));
    EXPECT_TRUE(IsWindowEnabled(m_pFrame->m_hWnd));
    // The next capture ignores its first ten packets again.
    EXPECT_EQ(CCanvasTestAccess::CaptureSkip(View().ScreenRun()), 0);
}

TEST_F(ScreenCapture, ACancelledCaptureDialogLeavesEscInDesktopModeWithoutEffect) {
    FakeTablet tablet;
    CCanvasTestAccess::WintabLibrary(*m_pView) = &tablet.api;
    m_pView->OpenViewContext();
    m_pView->OnCmdMsg(ID_CAPTURE_SCREEN);
    ASSERT_EQ(View().CaptureState(), 1);
    ASSERT_TRUE(m_pFrame->m_dlgCapture.IsOpen());
    SendMessageW(m_pFrame->m_dlgCapture.m_hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(m_pFrame->m_dlgCapture.IsOpen());
    EXPECT_EQ(View().CaptureState(), 1) << "Cancel leaves the state";

    m_pFrame->OnDesktopMode();
    DesktopStroke({250, 300}, {450, 300}, 20);
    HWND hwndOverlay = m_pView->ScreenRun().GetOverlay()->m_hWnd;
    SendMessageW(hwndOverlay, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_TRUE(IsWindowVisible(hwndOverlay)) << "the ink stays on the frozen screen";
    ASSERT_TRUE(m_pView->ScreenRun().FrozenScreen());
    EXPECT_NE(InkPixel({350, 300}), FrozenPixel({350, 300}));
    CCanvasTestAccess::WintabLibrary(*m_pView) = &Wintab();
    CCanvasTestAccess::Context(*m_pView) = nullptr;
}

TEST_F(ScreenCapture, AQuickDragEndsTheAreaWhereThePenLifts) {
    CColourWindow red({300, 300, 420, 380}, kRed);
    View().ScreenRun().StartCapture();
    for (DWORD t = 0; t < 10; ++t)
        Packet(t, t == 0 ? TBN_DOWN : 0, {300, 300});
    Packet(1000, 0, {300, 300});
    Packet(1050, 0, {360, 340});
    Packet(1080, TBN_UP, {380, 350}, 0);
    ASSERT_EQ(m_pDoc->m_pictures.GetCount(), 1) << "the rubber band never moved, the lift did";
    const RECT rc = CCanvasTestAccess::NewPicture(*m_pView)->GetRect(), rcExpected = {0, 0, 80, 50};
    EXPECT_TRUE(EqualRect(&rc, &rcExpected));
}

TEST_F(ScreenCapture, WithTheMouseAsThePenTheMouseDragsTheArea) {
    ASSERT_TRUE(View().IsMousePen()) << "this process has no tablet";
    CColourWindow red({300, 300, 420, 380}, kRed);
    m_pView->OnCmdMsg(ID_CAPTURE_SCREEN);
    ASSERT_TRUE(m_pFrame->m_dlgCapture.IsOpen());
    SendMessageW(m_pFrame->m_dlgCapture.m_hWnd, WM_COMMAND, 1119, 0);
    ASSERT_EQ(View().CaptureState(), 2);
    // File commands wait for the capture to end.
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    EXPECT_EQ(View().m_nBeeps, 1);
    HWND hwnd = m_pView->ScreenRun().GetOverlay()->m_hWnd;
    const auto send = [hwnd](UINT uMsg, POINT pt) {
        ScreenToClient(hwnd, &pt);
        SendMessageW(hwnd, uMsg, uMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    };
    send(WM_LBUTTONDOWN, {300, 300});
    send(WM_MOUSEMOVE, {340, 330});
    send(WM_LBUTTONUP, {380, 350});
    EXPECT_EQ(View().CaptureState(), 0);
    ASSERT_EQ(m_pDoc->m_pictures.GetCount(), 1);
    const RECT rc = CCanvasTestAccess::NewPicture(*m_pView)->GetRect(), rcExpected = {0, 0, 80, 50};
    EXPECT_TRUE(EqualRect(&rc, &rcExpected));
    CMemoryDC dc;
    CSelectScope select(dc.Get(), CCanvasTestAccess::NewPicture(*m_pView)->GetBitmap());
    EXPECT_EQ(GetPixel(dc.Get(), 79, 49), kRed);
}
