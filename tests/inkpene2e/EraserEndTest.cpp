// The pen turned over in the real program: its eraser end erases with the eraser, the panel shows
// the eraser for as long as that end is used, and the tip writes again with the tool chosen
// before. With the virtual tablet as a driver of the published interface and as Wine (the end is
// the packet's cursor), and with the Windows Ink stand-in (the pen's inverted or eraser flag).
#include <gtest/gtest.h>

#include "ShellDriver.h"

namespace {
constexpr UINT kBrush = 1039, kEraser = 1093;
// The panel's selected looks of the eraser and the brush, and the brush's usual look.
constexpr UINT kEraserSelected = 203, kBrushSelected = 206, kBrushUsual = 160;

struct Pen {
    const char* pszName;
    bool bInk;
    const char* pszWine;
    const char* pszEraserEnd;
    const char* pszTip;
};

void PrintTo(const Pen& pen, std::ostream* os) {
    *os << pen.pszName;
}

class EraserEnd : public testing::TestWithParam<Pen> {
protected:
    void SetUp() override {
        SetEnvironmentVariableA("QUILLET_TABLET_WINE", GetParam().pszWine);
        m_session.m_bInkPen = GetParam().bInk;
    }
    void TearDown() override { SetEnvironmentVariableA("QUILLET_TABLET_WINE", nullptr); }
    CPenSession m_session;
};
} // namespace

TEST_P(EraserEnd, TheEraserEndErasesAndShowsTheEraserUntilTheTipWritesWithTheBrushAgain) {
    const Pen& pen = GetParam();
    m_session.AddChapter(HorizontalStroke(100, 300, 100, 20));
    m_session.AddChapter(std::string(pen.pszEraserEnd) + "\n" +
                         HorizontalStroke(100, 300, 100, 20));
    m_session.AddChapter(std::string(pen.pszTip) + "\n" + HorizontalStroke(100, 300, 200, 20));
    ASSERT_TRUE(m_session.Start(pen.bInk ? L"" : kVirtualTabletOrder));
    CShellDriver driver(m_session, m_session.m_folder / L"KVOmail.exe");
    const HWND hBrush = CShellDriver::ButtonOf(driver.Panel(), kBrush);
    const HWND hEraser = CShellDriver::ButtonOf(driver.Panel(), kEraser);
    m_session.ClickPanel(LetterPanel::kBrush);
    EXPECT_TRUE(driver.WaitForImage(hBrush, kBrushSelected));
    ASSERT_TRUE(m_session.RunChapter(0));
    ASSERT_TRUE(m_session.RunChapter(1));
    EXPECT_TRUE(driver.WaitForImage(hEraser, kEraserSelected)) << "the panel shows the eraser";
    EXPECT_TRUE(driver.WaitForImage(hBrush, kBrushUsual));
    RedrawWindow(m_session.m_hView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(m_session.WaitForPixel(200, 100, kPaperColor, 8)) << "the stroke is erased";
    ASSERT_TRUE(m_session.RunChapter(2));
    EXPECT_TRUE(driver.WaitForImage(hBrush, kBrushSelected)) << "the brush is back";

    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(m_session.SaveAndRead(strokes));
    ASSERT_EQ(strokes.size(), 1u) << "the eraser took the first stroke and itself";
    EXPECT_EQ(strokes[0].nTool, 3);
    EXPECT_EQ(strokes[0].points.front().y, 200);
}

INSTANTIATE_TEST_SUITE_P(
    Pens, EraserEnd,
    testing::Values(Pen{"WintabDriver", false, "0", "cursor eraser", "cursor tip"},
                    Pen{"WintabWine", false, "1", "cursor eraser", "cursor tip"},
                    Pen{"InkInverted", true, "0", "end inverted", "end tip"},
                    Pen{"InkEraserButton", true, "0", "end eraser", "end tip"}),
    [](const testing::TestParamInfo<Pen>& info) { return std::string(info.param.pszName); });
