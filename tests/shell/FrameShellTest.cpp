// What the frame and its panel do around the program: losing activation, the end of the
// session, a click where the two colour swatches meet, and the window's place when letter mode
// comes back.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "CanvasTestAccess.h"
#include "GuiObjects.h"

namespace {

class FrameShell : public CAppFixture {
protected:
    void SetUp() override {
        CAppFixture::SetUp();
        ShowWindow(m_pFrame->m_hWnd, SW_SHOWNOACTIVATE);
    }
};
} // namespace

TEST_F(FrameShell, ThePenWidthPopupClosesWhenAnotherProgramComesForward) {
    CPENW& popup = m_pFrame->m_wndPanel.m_penw;
    m_pFrame->RouteCommand(ID_PENCIL_WIDTH);
    ASSERT_TRUE(
        PumpUntil([&] { return IsWindowVisible(popup.m_hWnd) && !popup.IsAnimating(); }, 3000));
    SendMessageW(m_pFrame->m_hWnd, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(popup.m_hWnd); }, 3000));
}

TEST_F(FrameShell, AtTheEndOfTheSessionThePanelsColoursAndLineHeightAreWritten) {
    m_pView->SetPenColor(RGB(1, 2, 3));
    CCanvasTestAccess::LineHeight(*m_pView) = 70;
    SendMessageW(m_pFrame->m_hWnd, WM_ENDSESSION, TRUE, 0);
    // The session ends here: the windows are never destroyed.
    const std::string str = FileText(m_folder / L"ZLNKVO.ini");
    for (const char* pszKey : {"PENCOLOR=197121", "COLORBLOCK11=8421504", "LINEHEIGHT=70"})
        EXPECT_NE(str.find(pszKey), std::string::npos) << pszKey << " in\n" << str;
}

TEST_F(FrameShell, OneClickWhereTheSwatchesMeetOpensOneColourDialog) {
    g_nDialogsAnswered = 0;
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 5, AnswerThreadDialogs);
    // The pen swatch (322, 40, 18 x 18) lies over the background swatch (332, 52) there.
    SendMessageW(m_pFrame->m_wndPanel.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(335, 55));
    SendMessageW(m_pFrame->m_wndPanel.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(335, 55));
    EXPECT_EQ(g_nDialogsAnswered, 1);
    g_nDialogsAnswered = 0;
    SendMessageW(m_pFrame->m_wndPanel.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(345, 65));
    SendMessageW(m_pFrame->m_wndPanel.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(345, 65));
    EXPECT_EQ(g_nDialogsAnswered, 1) << "the background swatch still has its dialog";
    KillTimer(nullptr, nTimer);
}

TEST_F(FrameShell, LetterModeKeepsTheMaximisedWindowWhereMaximisingPutIt) {
    m_pFrame->OnDesktopMode();
    m_pFrame->OnLetterMode();
    RECT rcBack{};
    GetWindowRect(m_pFrame->m_hWnd, &rcBack);
    ASSERT_TRUE(IsZoomed(m_pFrame->m_hWnd));
    EXPECT_FALSE(GetWindowLongPtrW(m_pFrame->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    // Maximised once more, the window goes where maximising puts it.
    ShowWindow(m_pFrame->m_hWnd, SW_RESTORE);
    ShowWindow(m_pFrame->m_hWnd, SW_SHOWMAXIMIZED);
    RECT rcMax{};
    GetWindowRect(m_pFrame->m_hWnd, &rcMax);
    EXPECT_TRUE(EqualRect(&rcBack, &rcMax))
        << rcBack.left << "," << rcBack.top << " against " << rcMax.left << "," << rcMax.top;
}

TEST_F(FrameShell, AColourChosenWithOkLeavesTheStripWhereItIs) {
    m_pFrame->OnDesktopMode();
    RECT rcStrip{};
    GetWindowRect(m_pFrame->m_hWnd, &rcStrip);
    g_nDialogsAnswered = 0;
    g_nDialogAnswer = IDOK;
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 5, AnswerThreadDialogs);
    // The pen swatch of the strip; the button goes up inside the dialog.
    HWND hwndPanel = m_pFrame->m_wndPanel.m_hWnd;
    SendMessageW(hwndPanel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(255, 15));
    KillTimer(nullptr, nTimer);
    g_nDialogAnswer = IDCANCEL;
    EXPECT_EQ(g_nDialogsAnswered, 1);
    EXPECT_NE(GetCapture(), hwndPanel);
    // The next move with the pen down (a stroke) does not carry the strip along.
    SendMessageW(hwndPanel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(305, 65));
    SendMessageW(hwndPanel, WM_LBUTTONUP, 0, MAKELPARAM(305, 65));
    RECT rcAfter{};
    GetWindowRect(m_pFrame->m_hWnd, &rcAfter);
    EXPECT_TRUE(EqualRect(&rcAfter, &rcStrip)) << rcAfter.left << "," << rcAfter.top;
}
