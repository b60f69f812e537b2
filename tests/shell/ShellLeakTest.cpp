// No GDI or USER object is left behind by the shell's pop-ups: the pen-width popup, the about
// box and the colour dialog, each opened and closed 200 times.
#include "AppFixture.h"
#include "FrameworkIds.h"
#include "GuiObjects.h"

namespace {

class ShellLeaks : public CAppFixture {
protected:
    void SetUp() override {
        CAppFixture::SetUp();
        ShowWindow(m_pFrame->m_hWnd, SW_SHOWNOACTIVATE);
        m_nTimer = SetTimer(nullptr, 0, 5, AnswerThreadDialogs);
    }
    void TearDown() override {
        KillTimer(nullptr, m_nTimer);
        CAppFixture::TearDown();
    }

    void Popup() {
        CPENW& popup = m_pFrame->m_wndPanel.m_penw;
        m_pFrame->RouteCommand(ID_PENCIL_WIDTH);
        ASSERT_TRUE(
            PumpUntil([&] { return IsWindowVisible(popup.m_hWnd) && !popup.IsAnimating(); }, 3000));
        m_pFrame->RouteCommand(ID_PENCIL_WIDTH);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(popup.m_hWnd); }, 3000));
    }
    void AboutBox() { m_pFrame->RouteCommand(ID_APP_ABOUT); }
    void ColorDialog() {
        // A double click on colour block 0 runs the dialog; the timer cancels it.
        SendMessageW(m_pFrame->m_wndPanel.m_hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON,
                     MAKELPARAM(364 + 7, 33 + 7));
    }

    UINT_PTR m_nTimer = 0;
};
} // namespace

TEST_F(ShellLeaks, PopupAboutBoxAndColourDialogLeaveNothingBehind) {
    // The first round loads what the system keeps for the rest of the process (fonts, the
    // colour dialog's resources).
    Popup();
    AboutBox();
    ColorDialog();
    PumpUntil([] { return false; }, 100);
    const CGuiObjects before = CGuiObjects::Count();
    for (int i = 0; i < 200; ++i) {
        Popup();
        AboutBox();
        ColorDialog();
    }
    PumpUntil([] { return false; }, 100);
    EXPECT_EQ(CGuiObjects::Count(), before);
    EXPECT_EQ(m_pFrame->m_wndPanel.GetBlockColor(0), 255u) << "every dialog was cancelled";

    // The count does see one object left behind on purpose.
    HBRUSH hLeak = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(CGuiObjects::Count().Gdi(), before.Gdi() + 1);
    DeleteObject(hLeak);
}
