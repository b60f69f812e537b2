// The mouse pen in desktop and inking mode: without a tablet, the left button on the overlay
// writes through the mode's own packet handler, as the pen would.
#include <gtest/gtest.h>

#include "ModesFixture.h"

namespace {

int Distance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

class MousePenModes : public CModesFixture {
protected:
    // Press at a, drag in nSteps steps to b, release at b: messages to the overlay.
    void Drag(POINT a, POINT b, int nSteps) {
        HWND hwnd = m_pView->ScreenRun().GetOverlay()->m_hWnd;
        const auto send = [hwnd](UINT uMsg, POINT pt) {
            ScreenToClient(hwnd, &pt);
            SendMessageW(hwnd, uMsg, uMsg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
        };
        send(WM_LBUTTONDOWN, a);
        for (int i = 1; i <= nSteps; ++i)
            send(WM_MOUSEMOVE, {a.x + (b.x - a.x) * i / nSteps, a.y + (b.y - a.y) * i / nSteps});
        send(WM_LBUTTONUP, b);
    }
};
} // namespace

TEST_F(MousePenModes, OnTheDesktopTheMouseWritesAPressureStrokeInScreenPixels) {
    ASSERT_TRUE(View().IsMousePen()) << "this process has no tablet";
    m_pFrame->OnDesktopMode();
    ASSERT_EQ(m_pFrame->m_nMode, 1);
    Drag({250, 300}, {450, 300}, 20);
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 1);
    const CLine& line = *m_pDoc->m_lines.GetAt(0);
    ASSERT_EQ(line.GetPointCount(), 21);
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(line.GetPoint(i).x, 250 + 10 * i) << "sample " << i;
        EXPECT_EQ(line.GetPoint(i).y, 300) << "sample " << i;
        EXPECT_EQ(line.GetPoint(i).nWidth, 160) << "sample " << i << ": the pencil at level 2";
    }
    EXPECT_LE(Distance(InkPixel({350, 300}), kPen), 60) << "the brush renderer's ink";
    EXPECT_TRUE(m_pDoc->IsModified());

    // The brush takes the mouse's middle pressure: 256 x level 2 / 5.
    m_pFrame->RouteCommand(ID_TOOL_BRUSH);
    Drag({250, 400}, {450, 400}, 4);
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 2);
    EXPECT_EQ(m_pDoc->m_lines.GetAt(1)->GetPoint(2).nWidth, 102);
}

TEST_F(MousePenModes, InAWritingRunOfInkingTheMouseWritesPlainLines) {
    m_pFrame->OnInkingMode();
    ASSERT_EQ(m_pFrame->m_nMode, 2);
    View().ScreenRun().StartWriting();
    ASSERT_TRUE(View().IsInkArmed());
    Drag({300, 300}, {500, 300}, 10);
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 1);
    const CLine& line = *m_pDoc->m_lines.GetAt(0);
    EXPECT_FALSE(line.IsSmooth());
    ASSERT_EQ(line.GetPointCount(), 11);
    EXPECT_EQ(line.GetPoint(10).x, 500);
    EXPECT_EQ(line.GetPoint(0).nWidth, 2) << "the pencil's level is its width";
    EXPECT_EQ(InkPixel({400, 300}), kPen);
}
