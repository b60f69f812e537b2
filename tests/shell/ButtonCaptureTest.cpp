// The bitmap buttons' hover capture: a button holds the mouse while the pointer is over it and
// lets it go when the pointer leaves, also after a click. A press and release that reach the
// button from outside (a tablet's click delivered while the button held the capture) must not
// leave it holding the program's mouse for good.
#include <gtest/gtest.h>

#include "BMPButton.h"

namespace {
class ButtonCapture : public ::testing::Test {
protected:
    void SetUp() override {
        m_hwndBar = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100,
                                    nullptr, nullptr, nullptr, nullptr);
        HWND hwndMarker = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 10, 10, 40, 30, m_hwndBar,
                                          nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_button.CreateOverMarker(m_hwndBar, hwndMarker, 1000, true));
    }
    void TearDown() override {
        ReleaseCapture();
        DestroyWindow(m_hwndBar);
    }
    // A mouse message at a point of the button's client area.
    void Mouse(UINT uMsg, int x, int y) const {
        SendMessageW(m_button.m_hWnd, uMsg, uMsg == WM_LBUTTONDOWN ? MK_LBUTTON : 0,
                     MAKELPARAM(x, y));
    }

    HWND m_hwndBar = nullptr;
    CBMPButton m_button;
};
} // namespace

TEST_F(ButtonCapture, AClickedButtonKeepsTheMouseUntilThePointerLeaves) {
    Mouse(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(GetCapture(), m_button.m_hWnd) << "hover";
    Mouse(WM_LBUTTONDOWN, 5, 5);
    Mouse(WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(GetCapture(), m_button.m_hWnd) << "leaving must still be noticed";
    Mouse(WM_MOUSEMOVE, 100, 5);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonCapture, APressReleasedOutsideTheButtonLeavesTheMouseFree) {
    Mouse(WM_MOUSEMOVE, 5, 5);
    // The pen's press reaches the button after the pointer left it: the button's own leave has
    // been handled, the press still goes to it.
    Mouse(WM_MOUSEMOVE, 150, 60);
    Mouse(WM_LBUTTONDOWN, 150, 60);
    Mouse(WM_LBUTTONUP, 150, 60);
    EXPECT_NE(GetCapture(), m_button.m_hWnd);
    // Over the button again, and off it: hover takes and gives back the mouse as before.
    Mouse(WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(GetCapture(), m_button.m_hWnd);
    Mouse(WM_MOUSEMOVE, 150, 60);
    EXPECT_EQ(GetCapture(), nullptr);
}
