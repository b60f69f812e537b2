// The tool bar and the panel laid out for each mode, on a small screen and in the look of
// QznRes.dll: what the main frame's mode switches get from GetLayoutRect and ArrangeForMode.
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "BarLayout.h"

namespace {
struct CSeen {
    bool bVisible;
    LONG x, y;
};

// Where the button (or control) with this id stands in a bar, and whether it shows.
CSeen Seen(HWND hwndBar, UINT nID) {
    for (HWND hwnd = GetWindow(hwndBar, GW_CHILD); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        wchar_t szClass[16] = {};
        GetClassNameW(hwnd, szClass, 16);
        if (GetDlgCtrlID(hwnd) != static_cast<int>(nID) || lstrcmpiW(szClass, L"Static") == 0)
            continue;
        const RECT rc = ChildRect(hwndBar, hwnd);
        return {(GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0, rc.left, rc.top};
    }
    return {false, -1, -1};
}

void ExpectAt(HWND hwndBar, UINT nID, LONG x, LONG y, const char* pszWhat) {
    const CSeen seen = Seen(hwndBar, nID);
    EXPECT_TRUE(seen.bVisible) << pszWhat;
    EXPECT_EQ(seen.x, x) << pszWhat;
    EXPECT_EQ(seen.y, y) << pszWhat;
}

void ExpectHiddenAt(HWND hwndBar, UINT nID, LONG x, LONG y, const char* pszWhat) {
    const CSeen seen = Seen(hwndBar, nID);
    EXPECT_FALSE(seen.bVisible) << pszWhat;
    EXPECT_EQ(seen.x, x) << pszWhat;
    EXPECT_EQ(seen.y, y) << pszWhat;
}

SIZE SizeOf(const RECT& rc) {
    return {rc.right - rc.left, rc.bottom - rc.top};
}

class BarLayout : public CAppFixture {
protected:
    void Arrange(int nMode) {
        m_pFrame->m_nMode = nMode;
        m_pFrame->m_wndBar.ArrangeForMode(nMode);
        m_pFrame->m_wndPanel.ArrangeForMode(nMode);
    }
    HWND Bar() const { return m_pFrame->m_wndBar.m_hWnd; }
    HWND Panel() const { return m_pFrame->m_wndPanel.m_hWnd; }
};
} // namespace

TEST_F(BarLayout, EachModeHasItsButtonsAndTheStripIs629By116) {
    EXPECT_EQ(SizeOf(m_pFrame->m_wndBar.GetLayoutRect(false)).cx, 1300);
    EXPECT_EQ(SizeOf(m_pFrame->m_wndBar.GetLayoutRect(false)).cy, 52);
    EXPECT_EQ(SizeOf(m_pFrame->m_wndPanel.GetLayoutRect(false)).cy, 85);
    ExpectAt(Bar(), 57601, 49, 2, "Open in letter mode");
    ExpectAt(Panel(), ID_PENCIL_WIDTH, 121, 0, "the panel's pencil width");
    EXPECT_FALSE(Seen(Bar(), ID_LETTER_MODE).bVisible);

    Arrange(1);
    const SIZE bar = SizeOf(m_pFrame->m_wndBar.GetLayoutRect(false));
    const SIZE panel = SizeOf(m_pFrame->m_wndPanel.GetLayoutRect(false));
    EXPECT_EQ(bar.cx, 629);
    EXPECT_EQ(bar.cy + panel.cy, 116) << "the desktop strip";
    ExpectAt(Bar(), 57600, 302, 5, "New in desktop mode");
    ExpectAt(Bar(), ID_LETTER_MODE, 527, 5, "Letter mode button");
    ExpectAt(Bar(), ID_PENCIL_WIDTH, 77, 31, "the tool bar's pencil width");
    EXPECT_FALSE(Seen(Bar(), 57601).bVisible) << "no Open in desktop mode";
    ExpectAt(Panel(), ID_TOOL_ERASER, 30, -10, "eraser over the panel's edge");
    ExpectAt(Panel(), 57665, 586, 10, "the panel's Close");
    ExpectHiddenAt(Panel(), ID_WINDOW_MINIMIZE, 551, 10, "the panel's Minimise stays hidden");
    EXPECT_FALSE(Seen(Panel(), ID_PENCIL_WIDTH).bVisible);

    Arrange(2);
    EXPECT_EQ(SizeOf(m_pFrame->m_wndBar.GetLayoutRect(false)).cy +
                  SizeOf(m_pFrame->m_wndPanel.GetLayoutRect(false)).cy,
              116)
        << "the inking strip";
    ExpectAt(Bar(), ID_START_WRITING, 313, 4, "Start to write");
    ExpectHiddenAt(Bar(), ID_HAND_OVER_INK, 370, 4, "Inking until writing starts");
    ExpectHiddenAt(Bar(), ID_CANCEL_WRITING, 426, 4, "Cancel until writing starts");
    ExpectAt(Bar(), ID_WINDOW_MINIMIZE, 546, 4, "Minimise");
    const RECT rcStartBack = ChildRect(Bar(), GetDlgItem(Bar(), IDC_BAR_START_BACK));
    EXPECT_EQ(rcStartBack.left, 313) << "the picture behind Start to write";
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(Bar(), IDC_BAR_INKING_BACK)) || !IsWindowVisible(Bar()));
    EXPECT_FALSE(Seen(Panel(), 57665).bVisible) << "no Close on the inking panel";

    m_pFrame->m_wndBar.ShowWritingRun(true);
    EXPECT_FALSE(Seen(Bar(), ID_START_WRITING).bVisible);
    EXPECT_TRUE(Seen(Bar(), ID_HAND_OVER_INK).bVisible);
    EXPECT_TRUE(Seen(Bar(), ID_CANCEL_WRITING).bVisible);
    EXPECT_FALSE(Seen(Bar(), ID_WINDOW_MINIMIZE).bVisible);
    EXPECT_FALSE(m_pFrame->m_wndBar.IsTipWanted());
    m_pFrame->m_wndBar.ShowWritingRun(false);
    EXPECT_TRUE(Seen(Bar(), ID_START_WRITING).bVisible);
    EXPECT_FALSE(Seen(Bar(), ID_HAND_OVER_INK).bVisible);
    EXPECT_TRUE(Seen(Bar(), ID_WINDOW_MINIMIZE).bVisible);

    Arrange(0);
    ExpectAt(Bar(), 57601, 49, 2, "Open again in letter mode");
    EXPECT_EQ(SizeOf(m_pFrame->m_wndPanel.GetLayoutRect(false)).cx, 1300);
}

TEST_F(BarLayout, LetterModeKeepsTheWindowButtonsRightOfSixHundredNinety) {
    MoveWindow(Bar(), 0, 0, 500, 52, FALSE);
    const CSeen close = Seen(Bar(), 57665), scale = Seen(Bar(), ID_WINDOW_SCALE),
                minimize = Seen(Bar(), ID_WINDOW_MINIMIZE);
    const LONG wClose = SizeOf(ChildRect(Bar(), GetDlgItem(Bar(), 57665))).cx;
    EXPECT_EQ(close.x, 690 - wClose);
    EXPECT_GT(close.x, scale.x);
    EXPECT_GT(scale.x, minimize.x + 5);
    EXPECT_FALSE(close.bVisible) << "hidden in letter mode all the same";
}

namespace {
class SmallScreenLayout : public BarLayout {
protected:
    SIZE ScreenSize() const override { return {640, 480}; }
};

class AlternativeLayout : public BarLayout {
protected:
    void SetUp() override {
        WritePrivateProfileStringW(L"UI", L"New", L"x1", (m_folder / L"ZLNKVO.ini").c_str());
        BarLayout::SetUp();
    }
};
} // namespace

TEST_F(SmallScreenLayout, LetterPanelIsCompactWithoutLineColourAndSpacing) {
    ASSERT_TRUE(m_pFrame->m_wndPanel.IsSmallScreen());
    ExpectAt(Panel(), ID_ZOOM_IN, 460, 25, "zoom in");
    ExpectAt(Panel(), ID_ADD_LINE, 270, 25, "add line");
    EXPECT_FALSE(Seen(Panel(), ID_SCRIPT_LINE_COLOR).bVisible);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(Panel(), IDC_LINE_SPACING)));
    m_pFrame->m_wndPanel.SetSmallScreen(false);
    Arrange(0);
    ExpectAt(Panel(), ID_ZOOM_IN, 590, 31, "zoom in on a wide screen");
}

TEST_F(AlternativeLayout, ResourceLibraryGivesItsLookAndLayoutUntilTheFrameGoes) {
    ASSERT_TRUE(m_app->m_bNewUI);
    EXPECT_NE(GetResourceInstance(), GetModuleHandleW(nullptr));
    ExpectAt(Bar(), 57601, 56, 4, "Open with the library's pictures");
    ExpectAt(Panel(), ID_PENCIL_WIDTH, 104, 14, "the library's width buttons");
    HWND hwndPopup = m_pFrame->m_wndPanel.m_penw.m_hWnd;
    EXPECT_EQ(ChildRect(hwndPopup, GetDlgItem(hwndPopup, 32799)).top, 10);
    Arrange(1);
    ExpectAt(Bar(), ID_LETTER_MODE, 435, 11, "Letter mode with the library's pictures");
    ExpectAt(Bar(), ID_PENCIL_WIDTH, 49, 29, "the library's pencil width");
    Arrange(2);
    ExpectAt(Panel(), ID_WINDOW_MINIMIZE, 544, 12, "the panel's Minimise in inking mode");
    m_pFrame->m_wndBar.ShowWritingRun(true);
    EXPECT_FALSE(Seen(Panel(), ID_WINDOW_MINIMIZE).bVisible) << "hidden while writing";
    m_pFrame->m_wndBar.ShowWritingRun(false);
    EXPECT_TRUE(Seen(Panel(), ID_WINDOW_MINIMIZE).bVisible);
    m_pDoc = nullptr;
    m_app.reset();
    EXPECT_EQ(GetResourceInstance(), GetModuleHandleW(nullptr)) << "the library is freed";
}
