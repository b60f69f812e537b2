// The same touch of a pen writes the same strokes whatever tablet reports it: a driver of the
// published interface and Wine's own library (the virtual tablet in its Wine mode), with 1,024,
// 2,048, 8,192 and 65,536 pressure levels. Letter mode and desktop mode keep their weights, and a
// busy moment of the program's thread loses no pen lift.
#include <gtest/gtest.h>

#include <string>

#include "ModesSession.h"
#include "OfficeTestBase.h"

namespace {
struct Tablet {
    const char* pszName;
    bool bWine;
    int nAxisMax;
    // The line weight the Office application gets for a brush stroke at 700 of 1,024: the raw
    // pressure of older tablets inks twice as wide at 2,048 levels.
    const char* pszInkingBrushWeight;
};

void PrintTo(const Tablet& t, std::ostream* os) {
    *os << t.pszName;
}

class TabletLevels : public testing::TestWithParam<Tablet> {
protected:
    void SetUp() override {
        SetEnvironmentVariableW(L"QUILLET_TABLET_WINE", GetParam().bWine ? L"1" : L"0");
        SetEnvironmentVariableW(L"QUILLET_TABLET_AXMAX",
                                std::to_wstring(GetParam().nAxisMax).c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"QUILLET_TABLET_WINE", nullptr);
        SetEnvironmentVariableW(L"QUILLET_TABLET_AXMAX", nullptr);
    }
};

// Every sample of a saved stroke has the weight nWeight; a stroke of nPoints samples.
void ExpectWeights(const SavedStroke& s, int nTool, size_t nPoints, short nWeight,
                   const char* pszWhat) {
    EXPECT_EQ(s.nTool, nTool) << pszWhat;
    ASSERT_EQ(s.points.size(), nPoints) << pszWhat;
    for (size_t i = 0; i < nPoints; ++i)
        EXPECT_EQ(s.weights[i], nWeight) << pszWhat << ", sample " << i;
}
} // namespace

TEST_P(TabletLevels, LetterStrokesKeepTheirWeightsAndABusyMomentKeepsTheLift) {
    CPenSession session;
    session.AddChapter(HorizontalStroke(100, 300, 60, 20));
    session.AddChapter(HorizontalStroke(100, 300, 160, 20));
    // The last moves and the lift of a stroke pile up while the program is busy: more than the
    // 10 packets of Wine's own queue.
    session.AddChapter("down 100 260 700\nline 100 260 200 260 10 700\nburst 300 260 30 700\n" +
                       HorizontalStroke(100, 300, 360, 20));
    ASSERT_TRUE(session.Start(kVirtualTabletOrder));
    ASSERT_TRUE(session.RunChapter(0));
    EXPECT_TRUE(session.WaitForPixel(200, 60, kPenColor, 60)) << "pencil ink on the screen";
    session.ClickPanel(LetterPanel::kBrush);
    ASSERT_TRUE(session.RunChapter(1));
    session.ClickPanel(LetterPanel::kPencil);
    ASSERT_TRUE(session.RunChapter(2));

    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(session.SaveAndRead(strokes));
    ASSERT_EQ(strokes.size(), 4u) << "each stroke ends with its own lift";
    ExpectWeights(strokes[0], 2, 21, 160, "pencil");
    ExpectWeights(strokes[1], 3, 21, 140, "brush: 700 of 1,024 at level 2");
    // Down, ten moves, and the piled-up packets at the cursor's last place.
    ExpectWeights(strokes[2], 2, 12, 160, "the stroke of the busy moment");
    EXPECT_EQ(strokes[2].points.back().x, 300);
    ExpectWeights(strokes[3], 2, 21, 160, "the stroke after it");
    EXPECT_EQ(strokes[3].points.front().x, 100);
}

TEST_P(TabletLevels, DesktopBrushStrokesKeepTheirWeights) {
    constexpr POINT kFrom{350, 300}, kTo{650, 300};
    CModesSession session;
    session.AddChapter(ScreenStroke(kFrom, kTo, 10));
    ASSERT_TRUE(session.Start(kVirtualTabletOrder));
    std::vector<SavedStroke> strokes;
    ASSERT_EQ(session.DesktopBrushStrokes(0, {500, 300}, strokes), "");
    ASSERT_EQ(strokes.size(), 1u);
    ExpectWeights(strokes[0], 3, 11, 140, "desktop brush: 700 of 1,024 at level 2");
    EXPECT_EQ(strokes[0].points.front().x, kFrom.x);
    session.m_program.Kill();
}

TEST_P(TabletLevels, InkingBrushStrokesKeepTheirWeights) {
    CClassRegistration registration;
    CModesSession session;
    session.AddChapter(ScreenStroke({260, 300}, {440, 300}, 10));
    ASSERT_TRUE(session.StartProgram(L"Inking", L"INKING", L"Scribola"));
    EXPECT_EQ(session.BrushWeightInExcel(0),
              std::string(".Weight put ") + GetParam().pszInkingBrushWeight)
        << "the stroke's 11 samples of weight 7 (14 at 2,048 levels) at 96 dots an inch";
    session.m_program.Kill();
}

INSTANTIATE_TEST_SUITE_P(Tablets, TabletLevels,
                         testing::Values(Tablet{"Driver1024", false, 1023, "5.250"},
                                         Tablet{"Driver8192", false, 8191, "5.250"},
                                         Tablet{"Driver65536", false, 65535, "5.250"},
                                         Tablet{"Wine2048", true, 2047, "10.500"},
                                         Tablet{"Wine65536", true, 65535, "5.250"}),
                         [](const testing::TestParamInfo<Tablet>& info) {
                             return std::string(info.param.pszName);
                         });
