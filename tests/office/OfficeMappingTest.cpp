// Where the bridge puts ink in each application: the polyline's points after the mapping, exact
// to the thousandth of a point, and Word's conversions between relative frames.
#include "OfficeTestBase.h"

namespace {
constexpr RECT kInk{300, 250, 500, 350};
const std::vector<POINT> kPoints = {{310, 260}, {330, 300}, {350, 270}};
constexpr RECT kStroke{310, 260, 350, 300};

// The values of the log lines that start with the prefix.
std::vector<float> ValuesAfter(const CFakeOffice& fake, const std::string& strPrefix) {
    std::vector<float> values;
    for (const std::string& strLine : fake.Lines())
        if (strLine.rfind(strPrefix, 0) == 0)
            values.push_back(std::strtof(strLine.c_str() + strPrefix.size(), nullptr));
    return values;
}

// Word 8, whose shapes stay where their numbers put them when a frame changes, or Word 11,
// which keeps them in place on the page; the scribble in the page frames, new shapes in the
// margin frames, and each shape anchored 30 points below the one before.
std::string WordWithFrames(const char* pszVersion) {
    return std::string("/version ") + pszVersion +
           " /rect 100 100 600 400 /scribbleframes 1 1 /newframes 0 0 /groupframes 1 1 "
           "/anchorstep 30";
}
} // namespace

class OfficeMapping : public OfficeTest {
protected:
    // Begins an insertion over kInk, reads the scribble and adds one stroke.
    void BeginWithStroke(const CFakeOffice& fake, CScribble* pScribble) {
        ASSERT_TRUE(fake.IsReady());
        ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
        ASSERT_TRUE(FindScribble(fake, pScribble));
        ASSERT_EQ(Brevix_Office_Rect(&kStroke, kPoints.data(), 3, 0, 1.0f, 0), 1);
    }
};

TEST_F(OfficeMapping, APolylinesPointsAreTheMappedPointsInEachApplication) {
    struct CCase {
        const char *pszKind, *pszArgs, *pszCall;
        float fAddX;
    };
    // Word's points are relative to the page: its horizontal option distance (90) is added.
    const CCase cases[] = {
        {"excel", "/version 8.0 /rect 100 100 600 400", "shapes.AddPolyline call ", 0},
        {"powerpoint", "/version 11.0 /rect 100 100 600 400", "shapes[1].AddPolyline call ", 0},
        {"word", "/version 11.0 /rect 100 100 600 400", "shapes.AddPolyline call ", 90}};
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.pszKind);
        CFakeOffice fake(c.pszKind, c.pszArgs);
        CScribble s;
        ASSERT_NO_FATAL_FAILURE(BeginWithStroke(fake, &s));
        std::string strExpected = c.pszCall + PolylineText(kPoints, kInk, s, c.fAddX);
        if (c.fAddX != 0)
            strExpected += " missing";
        EXPECT_EQ(fake.Matching("AddPolyline"), std::vector<std::string>{strExpected});
        ASSERT_EQ(Brevix_Office_End(), 1);
    }
}

TEST_F(OfficeMapping, WordEightConvertsTheTopItselfWhenTheFramesDiffer) {
    CFakeOffice word("word", WordWithFrames("8.0"));
    CScribble s;
    ASSERT_NO_FATAL_FAILURE(BeginWithStroke(word, &s));
    EXPECT_TRUE(word.Has("shape[Freeform 2].RelativeHorizontalPosition put 1"));
    EXPECT_TRUE(word.Has("shape[Freeform 2].RelativeVerticalPosition put 2"));
    // From the margin to the paragraph (key 0x02): top + margin 72 - anchor 130; then placed
    // against the scribble in the page frame (key 0x21): its top - anchor 130 + offset.
    const float fTop = Mapped(kStroke.top, kInk.top, kInk.bottom, s.fTop, s.fHeight);
    const std::vector<float> tops = ValuesAfter(word, "shape[Freeform 2].Top put ");
    ASSERT_EQ(tops.size(), 2u);
    EXPECT_NEAR(tops[0], fTop + 72 - 130, 0.001);
    EXPECT_NEAR(tops[1], fTop - 130, 0.001);
    EXPECT_NEAR(word.ValueAfter("shape[Freeform 2].Left put "),
                Mapped(kStroke.left, kInk.left, kInk.right, s.fLeft, s.fWidth), 0.001);
}

TEST_F(OfficeMapping, WordElevenLetsWordMoveTheTopIntoTheNewFrame) {
    CFakeOffice word("word", WordWithFrames("11.0"));
    CScribble s;
    ASSERT_NO_FATAL_FAILURE(BeginWithStroke(word, &s));
    // The scribble's page frame for both; Word moved the top from the margin (key 0x01), so
    // the bridge does not set it again, and places it with the anchors' difference (key 0x11).
    EXPECT_TRUE(word.Has("shape[Freeform 2].RelativeVerticalPosition put 1"));
    const float fTop = Mapped(kStroke.top, kInk.top, kInk.bottom, s.fTop, s.fHeight);
    EXPECT_NEAR(word.ValueAfter("Freeform 2 top moved to "), fTop + 72, 0.001);
    const std::vector<float> tops = ValuesAfter(word, "shape[Freeform 2].Top put ");
    ASSERT_EQ(tops.size(), 1u);
    EXPECT_NEAR(tops[0], fTop + 100 - 130, 0.001);
}

TEST_F(OfficeMapping, WordEightPutsTheGroupIntoTheParagraphFrameThroughItsShapeRange) {
    CFakeOffice word("word", WordWithFrames("8.0"));
    CScribble s;
    ASSERT_NO_FATAL_FAILURE(BeginWithStroke(word, &s));
    ASSERT_EQ(Brevix_Office_Rect(&kStroke, kPoints.data(), 3, 0, 1.0f, 1), 1);
    ASSERT_EQ(Brevix_Office_End(), 1);
    float fGroupTop = 0, fAnchor = 0;
    const std::vector<std::string> grouped = word.Matching("grouped 2 shapes as Group 4");
    ASSERT_EQ(grouped.size(), 1u);
    ASSERT_EQ(std::sscanf(grouped[0].c_str(),
                          "grouped 2 shapes as Group 4 at top %f anchored at %f", &fGroupTop,
                          &fAnchor),
              2);
    EXPECT_TRUE(word.Has("wrap[Group 4].Type put 3"));
    // From the page frame to the paragraph (key 0x12): top - the range's anchor position.
    EXPECT_TRUE(word.Has("range.Anchor get"));
    EXPECT_TRUE(word.Has("anchor[range].Information get 6"));
    EXPECT_TRUE(word.Has("range.RelativeVerticalPosition put 2"));
    EXPECT_NEAR(word.ValueAfter("range.Top put "), fGroupTop - fAnchor, 0.001);
}

TEST_F(OfficeMapping, WordGetsBackTheUsersOwnOption451) {
    CFakeOffice word("word", "/version 11.0 /option451 0 /rect 100 100 600 400");
    ASSERT_TRUE(word.IsReady());
    ASSERT_EQ(Brevix_Office_Begin(nullptr, &kInk), 1);
    ASSERT_EQ(Brevix_Office_End(), 1);
    EXPECT_TRUE(word.Has("options.Option451 get"));
    EXPECT_EQ(
        word.Matching("options.Option451 put"),
        (std::vector<std::string>{"options.Option451 put false", "options.Option451 put false"}));
}
