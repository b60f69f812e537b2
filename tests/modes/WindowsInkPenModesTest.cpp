// A Windows Ink pen on the overlay of desktop and inking mode: the Windows Ink stand-in posts the
// pointer messages to the overlay under the pen, and the view's pen input is bound to it.
#include "CanvasTestAccess.h"
#include "InkScript.h"
#include "ModesFixture.h"

#include <gtest/gtest.h>

namespace {
class WindowsInkPenModes : public CModesFixture {
protected:
    void SetUp() override {
        CModesFixture::SetUp();
        ASSERT_TRUE(BindInkStandIn(m_pointer));
        CCanvasTestAccess::PointerLibrary(View()) = &m_pointer;
    }
    // Plays script lines in screen pixels, the view taking the pen anew first.
    void Play(const std::string& strLines) {
        EXPECT_TRUE(PlayInkScript(m_folder.Path(), "origin screen\n" + strLines, [this] {
            View().CloseTabletContext();
            View().OpenViewContext();
        })) << "the script ran to its end";
    }
    CPointerApi m_pointer;
};
} // namespace

TEST_F(WindowsInkPenModes, InAWritingRunOfInkingThePressureSetsEachLinesWidth) {
    m_pFrame->OnInkingMode();
    ASSERT_EQ(m_pFrame->m_nMode, 2);
    View().SelectTool(kToolBrush);
    View().ScreenRun().StartWriting();
    ASSERT_TRUE(View().IsInkArmed());
    Play("down 300 300 200\nline 300 300 500 300 10 1024\nup 500 300");
    ASSERT_TRUE(View().IsInkPen());
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 1);
    const CLine& line = *m_pDoc->m_lines.GetAt(0);
    EXPECT_FALSE(line.IsSmooth());
    ASSERT_EQ(line.GetPointCount(), 11);
    // The brush's width is pressure x level 2 / 200, the pressure of a 1,024-level tablet.
    EXPECT_EQ(line.GetPoint(0).nWidth, 2);
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(line.GetPoint(i).x, 300 + 20 * i) << "sample " << i;
        EXPECT_EQ(line.GetPoint(i).nWidth, 10) << "sample " << i;
    }
    EXPECT_EQ(InkPixel({450, 304}), kDefaultPenColor) << "a line 10 pixels wide";
    EXPECT_NE(InkPixel({450, 308}), kDefaultPenColor);
}
