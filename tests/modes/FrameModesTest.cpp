// The frame's inking strip and its system menu, and what a change of the display does to the
// tablet context: the next packet message reopens it, after the wait, before reading packets.
#include <gtest/gtest.h>

#include <algorithm>

#include "CanvasTestAccess.h"
#include "FakeTablet.h"
#include "ModesFixture.h"

namespace {
using FrameModes = CModesFixture;

bool HasMoveItem(HWND hwnd) {
    HMENU hMenu = GetSystemMenu(hwnd, FALSE);
    return hMenu && GetMenuState(hMenu, SC_MOVE, MF_BYCOMMAND) != UINT(-1);
}

std::ptrdiff_t IndexOf(const std::vector<std::string>& log, const std::string& str) {
    auto it = std::find(log.begin(), log.end(), str);
    return it == log.end() ? -1 : it - log.begin();
}
} // namespace

TEST_F(FrameModes, InkingAgainStillRemovesTheMoveItemAndLetterModeGivesItBack) {
    ASSERT_TRUE(HasMoveItem(m_pFrame->m_hWnd));
    m_pFrame->StartInking();
    EXPECT_EQ(m_pFrame->m_nMode, 2);
    EXPECT_EQ(FrameText(), L"Scribola");
    EXPECT_TRUE(IsWindowVisible(m_pFrame->m_hWnd)) << "an inking start shows its strip";
    EXPECT_FALSE(HasMoveItem(m_pFrame->m_hWnd));
    GetSystemMenu(m_pFrame->m_hWnd, TRUE);
    ASSERT_TRUE(HasMoveItem(m_pFrame->m_hWnd));
    m_pFrame->RouteCommand(ID_INKING_MODE);
    EXPECT_FALSE(HasMoveItem(m_pFrame->m_hWnd));
    m_pFrame->OnLetterMode();
    EXPECT_TRUE(HasMoveItem(m_pFrame->m_hWnd));
}

TEST_F(FrameModes, ADisplayChangeReopensTheContextWithTheNextPacketMessage) {
    FakeTablet tablet;
    CCanvasTestAccess::WintabLibrary(*m_pView) = &tablet.api;
    m_pView->OpenViewContext();
    ASSERT_NE(CCanvasTestAccess::Context(*m_pView), nullptr);
    tablet.log.clear();
    SendMessageW(m_pFrame->m_hWnd, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
    EXPECT_TRUE(CCanvasTestAccess::ReopenFlag(*m_pView));
    EXPECT_EQ(IndexOf(tablet.log, "WTClose"), -1) << "a letter process closes it later";

    SendMessageW(m_pView->m_hWnd, WT_PACKET, 0,
                 reinterpret_cast<LPARAM>(CCanvasTestAccess::Context(*m_pView)));
    EXPECT_FALSE(CCanvasTestAccess::ReopenFlag(*m_pView));
    const auto nClose = IndexOf(tablet.log, "WTClose"), nOpen = IndexOf(tablet.log, "WTOpenA 1");
    const auto nRead = IndexOf(tablet.log, "WTPacketsGet");
    ASSERT_GE(nClose, 0);
    EXPECT_GT(nOpen, nClose);
    EXPECT_GT(nRead, nOpen) << "packets are read from the new context";
    EXPECT_NE(CCanvasTestAccess::Context(*m_pView), nullptr);
    CCanvasTestAccess::WintabLibrary(*m_pView) = &Wintab();
    CCanvasTestAccess::Context(*m_pView) = nullptr;
}

TEST_F(FrameModes, AnInkingProcessClosesItsContextAtOnceOnADisplayChange) {
    FakeTablet tablet;
    CCanvasTestAccess::WintabLibrary(*m_pView) = &tablet.api;
    m_pView->OpenViewContext();
    m_app->m_bInking = 1;
    SendMessageW(m_pFrame->m_hWnd, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
    EXPECT_EQ(CCanvasTestAccess::Context(*m_pView), nullptr);
    EXPECT_GE(IndexOf(tablet.log, "WTClose"), 0);
    EXPECT_TRUE(CCanvasTestAccess::ReopenFlag(*m_pView));
    m_app->m_bInking = 0;
    CCanvasTestAccess::WintabLibrary(*m_pView) = &Wintab();
}

TEST_F(FrameModes, ADisplayChangeFitsTheLetterPanelToTheScreenWidth) {
    // This display is 1280 pixels wide: a panel laid out for a small screen goes back.
    ControlDlg& panel = m_pFrame->m_wndPanel;
    m_pFrame->OnDesktopMode();
    panel.SetSmallScreen(true);
    SendMessageW(m_pFrame->m_hWnd, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
    EXPECT_TRUE(panel.IsSmallScreen()) << "only letter mode lays the panel out again";
    m_pFrame->OnLetterMode();
    panel.SetSmallScreen(true);
    panel.ArrangeForMode(0);
    HWND hwndUndo = GetDlgItem(panel.m_hWnd, ID_EDIT_UNDO_STROKE);
    auto placeOf = [&](HWND hwnd) {
        RECT rc{};
        GetWindowRect(hwnd, &rc);
        MapWindowPoints(nullptr, panel.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        return POINT{rc.left, rc.top};
    };
    ASSERT_EQ(placeOf(hwndUndo).x, 520);
    ValidateRect(m_pFrame->m_hWnd, nullptr);
    SendMessageW(m_pFrame->m_hWnd, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
    EXPECT_FALSE(panel.IsSmallScreen());
    EXPECT_EQ(placeOf(hwndUndo).x, 530);
    EXPECT_EQ(placeOf(hwndUndo).y, 31);
    EXPECT_TRUE(IsWindowVisible(panel.m_hWnd));
    // Still docked at the bottom, and the window painted anew where the panel used to end.
    RECT rcClient{}, rcPanel{};
    GetClientRect(m_pFrame->m_hWnd, &rcClient);
    GetWindowRect(panel.m_hWnd, &rcPanel);
    MapWindowPoints(nullptr, m_pFrame->m_hWnd, reinterpret_cast<POINT*>(&rcPanel), 2);
    EXPECT_EQ(rcPanel.bottom, rcClient.bottom) << "panel top " << rcPanel.top;
    EXPECT_GT(rcPanel.top, 0);
    RECT rcUpdate{};
    EXPECT_TRUE(GetUpdateRect(m_pFrame->m_hWnd, &rcUpdate, FALSE));
    EXPECT_EQ(rcUpdate.bottom, rcClient.bottom);
    CCanvasTestAccess::ReopenFlag(*m_pView) = FALSE;
}

TEST_F(FrameModes, ADisplayChangeKeepsTheStripFlushWithTheWorkAreasCorner) {
    m_pFrame->OnDesktopMode();
    RECT rcStrip{};
    GetWindowRect(m_pFrame->m_hWnd, &rcStrip);
    // The strip as an older, smaller display left it.
    SetWindowPos(m_pFrame->m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageW(m_pFrame->m_hWnd, WM_DISPLAYCHANGE, 24, MAKELPARAM(1280, 1024));
    RECT rcWork{}, rcNow{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    GetWindowRect(m_pFrame->m_hWnd, &rcNow);
    EXPECT_EQ(rcNow.right, rcWork.right);
    EXPECT_EQ(rcNow.bottom, rcWork.bottom);
    EXPECT_EQ(rcNow.right - rcNow.left, rcStrip.right - rcStrip.left);
    EXPECT_EQ(rcNow.bottom - rcNow.top, rcStrip.bottom - rcStrip.top);
    CCanvasTestAccess::ReopenFlag(*m_pView) = FALSE;
}
