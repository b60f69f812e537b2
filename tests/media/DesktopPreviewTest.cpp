// The print preview in desktop mode: the strip grows to the whole screen for it, the page shows
// the frozen desktop with the ink below the top margin, and closing gives the strip back with
// the ink on the overlay.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "CanvasTestAccess.h"
#include "FrameworkIds.h"
#include "ModesFixture.h"
#include "TestPrinter.h"

namespace {
constexpr COLORREF kGreen = RGB(20, 180, 60);

class DesktopPreview : public CModesFixture {
protected:
    void SetUp() override {
        CModesFixture::SetUp();
        ASSERT_TRUE(InstallTestPrinter(L"Preview", m_folder / L"preview.ps", true));
    }
    // The preview's page image at the place a screen point is printed: the desktop spans the
    // printable width, 200 device units below its top.
    COLORREF PrintedAt(POINT ptScreen) const {
        CPreviewWnd* pPreview = m_pView->GetPreview();
        HDC hdcPrinter = pPreview->Info().m_hdcPrinter;
        const int nPageW = GetDeviceCaps(hdcPrinter, HORZRES);
        const int nPageH = GetDeviceCaps(hdcPrinter, VERTRES);
        BITMAP bm{};
        HBITMAP hbm = pPreview->PageImage();
        GetObjectW(hbm, sizeof(bm), &bm);
        const double fUnits = double(nPageW) / ScreenSize().cx;
        CMemoryDC dc;
        CSelectScope select(dc.Get(), hbm);
        return GetPixel(dc.Get(), int(ptScreen.x * fUnits * bm.bmWidth / nPageW),
                        int((200 + ptScreen.y * fUnits) * bm.bmHeight / nPageH));
    }
};

// The bytes of the overlay's ink image.
std::vector<BYTE> ImageBytes(const CImageDC& image) {
    GdiFlush();
    DIBSECTION ds{};
    if (GetObjectW(image.Bitmap(), sizeof(ds), &ds) != sizeof(ds) || !ds.dsBm.bmBits)
        return {};
    const BYTE* p = static_cast<const BYTE*>(ds.dsBm.bmBits);
    return std::vector<BYTE>(p, p + size_t(ds.dsBm.bmWidthBytes) * size_t(ds.dsBm.bmHeight));
}

int Grey(COLORREF cr) {
    return (GetRValue(cr) + GetGValue(cr) + GetBValue(cr)) / 3;
}

} // namespace

TEST_F(DesktopPreview, ShowsTheFrozenDesktopWithTheInkAndGivesTheStripBack) {
    CColourWindow green({200, 200, 500, 400}, kGreen);
    m_pFrame->OnDesktopMode();
    DesktopStroke({250, 300}, {450, 300}, 20);
    RECT rcStrip{};
    GetWindowRect(m_pFrame->m_hWnd, &rcStrip);

    m_pFrame->RouteCommand(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(m_pView->GetPreview(), nullptr);
    EXPECT_TRUE(IsZoomed(m_pFrame->m_hWnd)) << "the preview has the whole screen";
    EXPECT_FALSE(IsWindowVisible(m_pFrame->m_wndBar.m_hWnd));
    EXPECT_EQ(PrintedAt({350, 380}), kGreen) << "the frozen desktop";
    EXPECT_LT(Grey(PrintedAt({350, 300})), 90) << "the ink";
    EXPECT_EQ(PrintedAt({350, -20}), RGB(255, 255, 255)) << "the margin above the desktop";

    SendMessageW(m_pView->GetPreview()->m_hWnd, WM_COMMAND, CPreviewWnd::kClose, 0);
    EXPECT_EQ(m_pView->GetPreview(), nullptr);
    EXPECT_FALSE(CCanvasTestAccess::PrintScreen(*m_pView)) << "the snapshot is given back";
    EXPECT_FALSE(IsZoomed(m_pFrame->m_hWnd));
    RECT rcAfter{};
    GetWindowRect(m_pFrame->m_hWnd, &rcAfter);
    EXPECT_TRUE(EqualRect(&rcAfter, &rcStrip)) << "the strip in its corner again";
    EXPECT_TRUE(IsWindowVisible(m_pFrame->m_wndBar.m_hWnd));
    EXPECT_LT(Grey(InkPixel({350, 300})), 90) << "the ink on the overlay";
}

TEST_F(DesktopPreview, ClosingThePreviewLeavesTheInkImageByteForByte) {
    CColourWindow green({200, 200, 500, 400}, kGreen);
    m_pFrame->OnDesktopMode();
    // The brush's soft edges blend into what lies under them: drawn twice, they darken.
    m_pFrame->RouteCommand(ID_TOOL_BRUSH);
    DesktopStroke({250, 300}, {450, 320}, 20);
    const std::vector<BYTE> before = ImageBytes(m_pView->ScreenRun().GetOverlay()->InkImage());
    ASSERT_FALSE(before.empty());
    for (int i = 0; i < 3; ++i) {
        m_pFrame->RouteCommand(ID_FILE_PRINT_PREVIEW);
        ASSERT_NE(m_pView->GetPreview(), nullptr);
        SendMessageW(m_pView->GetPreview()->m_hWnd, WM_COMMAND, CPreviewWnd::kClose, 0);
    }
    const std::vector<BYTE> after = ImageBytes(m_pView->ScreenRun().GetOverlay()->InkImage());
    ASSERT_EQ(after.size(), before.size());
    const auto diff = std::mismatch(before.begin(), before.end(), after.begin());
    EXPECT_TRUE(diff.first == before.end())
        << "first changed byte at " << (diff.first - before.begin());
}
