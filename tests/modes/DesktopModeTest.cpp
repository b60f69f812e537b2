// Desktop mode in the program's own process: the switch freezes what the screen showed into the
// overlay and turns the frame into the strip; ink written over it stays there; undo, redo and
// the eraser repaint exactly their area from the frozen screen.
#include <gtest/gtest.h>

#include "ModesFixture.h"
#include "kvofunc.h"

namespace {
constexpr COLORREF kGreen = RGB(20, 180, 60);

int Distance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

using DesktopMode = CModesFixture;

// Every pixel of rc in the overlay's ink image is the frozen screen's.
void ExpectFrozen(const CModesFixture& f, const RECT& rc, const char* pszWhat) {
    int nDiffer = 0;
    POINT ptFirst{};
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (f.InkPixel({x, y}) != f.FrozenPixel({x, y}) && nDiffer++ == 0)
                ptFirst = {x, y};
    EXPECT_EQ(nDiffer, 0) << pszWhat << ": first at " << ptFirst.x << "," << ptFirst.y;
}
} // namespace

TEST_F(DesktopMode, TheScreenStaysFrozenUnderTheStripAndInkIsWrittenOverIt) {
    auto pGreen = std::make_unique<CColourWindow>(RECT{200, 200, 500, 400}, kGreen);
    m_pFrame->OnDesktopMode();
    ASSERT_EQ(m_pFrame->m_nMode, 1);
    EXPECT_TRUE(m_messages.empty()) << "no question without ink";
    CCaptureWindow* pOverlay = m_pView->ScreenRun().GetOverlay();
    ASSERT_TRUE(pOverlay && IsWindowVisible(pOverlay->m_hWnd));
    EXPECT_TRUE(GetWindowLongW(pOverlay->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(FrozenPixel({300, 300}), kGreen);
    // The window under the overlay goes; the screen still shows it, frozen.
    pGreen.reset();
    EXPECT_EQ(ScreenPixel({300, 300}), kGreen);

    // The strip: no caption, top-most, flush with the work area's bottom-right corner.
    EXPECT_EQ(GetWindowLongW(m_pFrame->m_hWnd, GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_TRUE(GetWindowLongW(m_pFrame->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rcWork{}, rcFrame{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    GetWindowRect(m_pFrame->m_hWnd, &rcFrame);
    EXPECT_EQ(rcFrame.right, rcWork.right);
    EXPECT_EQ(rcFrame.bottom, rcWork.bottom);
    const RECT rcBar = m_pFrame->m_wndBar.GetLayoutRect(false);
    const RECT rcPanel = m_pFrame->m_wndPanel.GetLayoutRect(false);
    EXPECT_EQ(rcFrame.right - rcFrame.left, rcBar.right);
    EXPECT_EQ(rcFrame.bottom - rcFrame.top, rcBar.bottom + rcPanel.bottom);

    DesktopStroke({250, 300}, {450, 300}, 20);
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 1);
    const CLine& line = *m_pDoc->m_lines.GetAt(0);
    EXPECT_EQ(line.GetPoint(0).x, 250) << "samples are screen pixels";
    EXPECT_EQ(line.GetPoint(20).x, 450);
    EXPECT_EQ(line.GetPoint(20).y, 300);
    EXPECT_LE(Distance(InkPixel({350, 300}), kPen), 60);
    EXPECT_LE(Distance(ScreenPixel({350, 300}), kPen), 60) << "the overlay shows the ink";
    EXPECT_TRUE(m_pView->HasInk());
    EXPECT_TRUE(m_pDoc->IsModified());

    // A press on the strip is not ink.
    Desktop(TBN_DOWN, {rcFrame.left + 10, rcFrame.top + 10});
    Desktop(0, {rcFrame.left + 30, rcFrame.top + 10});
    Desktop(TBN_UP, {rcFrame.left + 30, rcFrame.top + 10}, 0);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1);
}

TEST_F(DesktopMode, UndoRedoAndTheEraserRepaintExactlyTheirAreaFromTheFrozenScreen) {
    CColourWindow green({200, 200, 500, 400}, kGreen);
    m_pFrame->OnDesktopMode();
    DesktopStroke({250, 300}, {450, 300}, 20);
    DesktopStroke({250, 350}, {450, 350}, 20);
    ASSERT_LE(Distance(InkPixel({350, 350}), kPen), 60);

    m_pFrame->RouteCommand(ID_EDIT_UNDO_STROKE);
    ExpectFrozen(*this, {240, 340, 460, 360}, "after undo");
    EXPECT_LE(Distance(InkPixel({350, 300}), kPen), 60) << "the other stroke stays";
    EXPECT_EQ(ScreenPixel({350, 350}), kGreen) << "the overlay shows the frozen screen again";
    m_pFrame->RouteCommand(ID_EDIT_REDO_STROKE);
    EXPECT_LE(Distance(InkPixel({350, 350}), kPen), 60) << "after redo";
    EXPECT_LE(Distance(ScreenPixel({350, 350}), kPen), 60);

    m_pFrame->RouteCommand(ID_TOOL_ERASER);
    Desktop(TBN_DOWN, {230, 330});
    for (POINT pt : {POINT{470, 330}, POINT{470, 370}, POINT{230, 370}, POINT{230, 330}})
        Desktop(0, pt);
    Desktop(TBN_UP, {230, 330}, 0);
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 1) << "the lower stroke is erased";
    ExpectFrozen(*this, {225, 325, 476, 376}, "after erasing, the eraser's own line included");
    EXPECT_LE(Distance(InkPixel({350, 300}), kPen), 60);
}

TEST_F(DesktopMode, TheQuestionsGuardTheInkAndNoChangesNothing) {
    m_pFrame->OnDesktopMode();
    DesktopStroke({250, 300}, {450, 300}, 20);
    m_nAnswer = IDNO;
    m_pFrame->OnLetterMode();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText,
              L"If you select Letter mode,all the data will be lost!  Continue?");
    EXPECT_EQ(m_messages[0].strCaption, L"Quillet");
    EXPECT_EQ(m_messages[0].uType, UINT(MB_YESNO));
    EXPECT_EQ(m_pFrame->m_nMode, 1);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1);
    EXPECT_TRUE(IsWindowVisible(m_pView->ScreenRun().GetOverlay()->m_hWnd));

    m_nAnswer = IDYES;
    m_pFrame->OnLetterMode();
    EXPECT_EQ(m_pFrame->m_nMode, 0);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_FALSE(IsWindowVisible(m_pView->ScreenRun().GetOverlay()->m_hWnd));
    const LONG nStyle = GetWindowLongW(m_pFrame->m_hWnd, GWL_STYLE);
    EXPECT_EQ(nStyle & (WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX),
              WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX);
    EXPECT_TRUE(IsZoomed(m_pFrame->m_hWnd));
    EXPECT_FALSE(GetWindowLongW(m_pFrame->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Letter ink, and No to the desktop question: the note and the letter window stay.
    m_pDoc->m_lines.Add(std::make_unique<CLine>());
    m_pView->SetHasInk(true);
    m_nAnswer = IDNO;
    m_pFrame->OnDesktopMode();
    EXPECT_EQ(m_messages.back().strText,
              L"If you select Desktop mode,all the data will be lost!  Continue?");
    EXPECT_EQ(m_pFrame->m_nMode, 0);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1);
    EXPECT_FALSE(IsWindowVisible(m_pView->ScreenRun().GetOverlay()->m_hWnd));
}

TEST_F(DesktopMode, EmptyDesktopToLetterStartsANewNoteWithoutAsking) {
    m_pFrame->OnDesktopMode();
    m_pDoc->SetModifiedFlag(true);
    m_pFrame->OnLetterMode();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_pFrame->m_nMode, 0);
    EXPECT_FALSE(m_pDoc->IsModified()) << "a new note";
    EXPECT_FALSE(m_pView->ScreenRun().FrozenScreen()) << "the frozen screen is given back";
}

TEST_F(DesktopMode, TheMailPictureIsTheFrozenScreenAroundTheInkWithTheInk) {
    CColourWindow green({200, 200, 500, 400}, kGreen);
    m_pFrame->OnDesktopMode();
    const std::wstring strPath = m_folder / L"jxm1.tmp";
    m_pDoc->m_bMailing = true;
    EXPECT_FALSE(m_pDoc->OnSaveDocument(strPath.c_str()));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"Mail must be sent with written script");
    EXPECT_EQ(m_messages[0].strCaption, L"Information");
    EXPECT_EQ(m_messages[0].uType, UINT(MB_ICONEXCLAMATION));
    EXPECT_TRUE(CTestFolder::ReadBytes(strPath).empty());

    DesktopStroke({250, 300}, {450, 300}, 20);
    DesktopStroke({300, 250}, {300, 350}, 20);
    // The screen changes after it was frozen: the picture keeps what the ink was written on.
    CColourWindow grey({200, 200, 500, 400}, RGB(128, 128, 128));
    EXPECT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
    m_pDoc->m_bMailing = false;
    int cx = 0, cy = 0;
    COwnedBitmap picture(CreateBitmapFromFileW(strPath.c_str(), &cx, &cy));
    ASSERT_TRUE(picture);
    // The ink's bounds and 5 pixels around them; this program's own windows do not widen it.
    EXPECT_EQ(cx, 210);
    EXPECT_EQ(cy, 110);
    CMemoryDC dc;
    CSelectScope select(dc.Get(), picture.Get());
    EXPECT_LE(Distance(GetPixel(dc.Get(), 100, 55), kPen), 70) << "the ink at (350, 300)";
    EXPECT_LE(Distance(GetPixel(dc.Get(), 150, 20), kGreen), 40) << "the frozen screen";
}
