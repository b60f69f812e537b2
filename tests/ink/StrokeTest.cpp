// Strokes: bounding rectangles, plain and brush drawing, the marker's mask mode, pressure range.
#include <gtest/gtest.h>

#include "DibCanvas.h"
#include "InkTestUtil.h"
#include "Line.h"
#include "TabletPressure.h"

namespace {

RECT BoundOf(int bSmooth, std::initializer_list<LinePoint> points) {
    return MakeStroke(kToolPencil, bSmooth, 0, points)->GetBound();
}

// Pixels that are neither the paper nor exactly the ink colour.
int BlendedPixels(const CDibCanvas& canvas, COLORREF crInk) {
    int n = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const COLORREF cr = canvas.Pixel(x, y);
            n += cr != kWhite && cr != crInk;
        }
    return n;
}

} // namespace

TEST(StrokeBound, OddWeightCoversHalfTheWidthRoundedUp) {
    EXPECT_EQ(BoundOf(0, {{10, 20, 3}}), (RECT{8, 18, 12, 22}));
    EXPECT_EQ(BoundOf(0, {{10, 20, 1}}), (RECT{9, 19, 11, 21}));
    EXPECT_EQ(BoundOf(0, {{10, 20, 5}}), (RECT{7, 17, 13, 23}));
}

TEST(StrokeBound, EvenWeightCoversHalfTheWidthLessOne) {
    EXPECT_EQ(BoundOf(0, {{10, 20, 4}}), (RECT{9, 19, 11, 21}));
    EXPECT_EQ(BoundOf(0, {{10, 20, 2}}), (RECT{10, 20, 10, 20}));
    EXPECT_EQ(BoundOf(0, {{10, 20, 12}}), (RECT{5, 15, 15, 25}));
}

TEST(StrokeBound, LaterSamplesPushOnlyTheSidesTheyPassBeyond) {
    EXPECT_EQ(BoundOf(0, {{10, 20, 3}, {30, 19, 1}}), (RECT{8, 18, 31, 22}));
    EXPECT_EQ(BoundOf(0, {{10, 20, 3}, {11, 21, 1}, {5, 40, 5}}), (RECT{2, 18, 12, 43}));
}

TEST(StrokeBound, NullRectangleIsReplacedByTheNextSample) {
    // The first sample at the origin with half-width 0 leaves the null rectangle, so the next
    // sample starts the rectangle afresh.
    EXPECT_EQ(BoundOf(0, {{0, 0, 2}}), RECT{});
    EXPECT_EQ(BoundOf(0, {{0, 0, 2}, {5, 7, 2}}), (RECT{5, 7, 5, 7}));
    EXPECT_EQ(BoundOf(0, {{0, 0, 2}, {5, 7, 2}, {1, 9, 2}}), (RECT{1, 7, 5, 9}));
}

TEST(StrokeBound, SmoothedStrokeIsBoundedByItsSamplesAlone) {
    EXPECT_EQ(BoundOf(1, {{10, 20, 300}}), (RECT{10, 20, 10, 20}));
    EXPECT_EQ(BoundOf(1, {{10, 20, 300}, {30, 5, 511}, {12, 25, 7}}), (RECT{10, 5, 30, 25}));
}

TEST(StrokeTool, MarkerSetsTheMaskFlagAndOtherToolsDoNot) {
    CLine line;
    EXPECT_EQ(line.GetTool(), kToolPencil);
    EXPECT_FALSE(line.IsMask());
    line.SetTool(kToolBrush, 1);
    EXPECT_TRUE(line.IsSmooth());
    EXPECT_FALSE(line.IsMask());
    line.SetTool(kToolMarker, 0);
    EXPECT_EQ(line.GetTool(), kToolMarker);
    EXPECT_FALSE(line.IsSmooth());
    EXPECT_TRUE(line.IsMask());
}

TEST(StrokeDraw, PlainStrokeDrawsSolidPenLinesInItsColour) {
    const COLORREF crInk = RGB(200, 30, 40);
    CDibCanvas canvas(100, 60);
    MakeStroke(kToolPencil, 0, crInk, {{10, 30, 3}, {50, 30, 3}, {90, 10, 3}})->Draw(canvas.Dc());
    EXPECT_EQ(canvas.Pixel(30, 30), crInk);
    EXPECT_EQ(canvas.Pixel(30, 29), crInk);
    EXPECT_EQ(canvas.Pixel(30, 31), crInk);
    EXPECT_EQ(canvas.Pixel(30, 33), kWhite);
    EXPECT_EQ(BlendedPixels(canvas, crInk), 0);
}

TEST(StrokeDraw, SmoothedStrokeGoesThroughTheBrushWithBlendedEdges) {
    const COLORREF crInk = RGB(200, 30, 40);
    CDibCanvas canvas(100, 60);
    MakeStroke(kToolBrush, 1, crInk, {{10, 30, 300}, {30, 30, 300}, {50, 30, 300}, {90, 10, 300}})
        ->Draw(canvas.Dc());
    EXPECT_GT(BlendedPixels(canvas, crInk), 20);
}

TEST(StrokeDraw, OneSamplePlainStrokeLeavesNoMarkAndSmoothedOneADot) {
    CDibCanvas plain(40, 40), smooth(40, 40);
    MakeStroke(kToolPencil, 0, 0, {{20, 20, 5}})->Draw(plain.Dc());
    MakeStroke(kToolPencil, 1, 0, {{20, 20, 300}})->Draw(smooth.Dc());
    EXPECT_EQ(plain.CountOther(kWhite), 0);
    EXPECT_GT(smooth.CountOther(kWhite), 0);
    EXPECT_EQ(smooth.Pixel(20, 20), RGB(0, 0, 0));
}

TEST(StrokeDraw, MarkerDarkensAndNeverLightens) {
    const COLORREF crMarker = RGB(255, 255, 0);
    CDibCanvas canvas(100, 60);
    canvas.Fill({50, 0, 100, 60}, RGB(60, 90, 200));
    const int nRop = SetROP2(canvas.Dc(), R2_COPYPEN);
    auto pMarker = MakeStroke(kToolMarker, 0, crMarker, {{10, 30, 12}, {90, 30, 12}});
    pMarker->Draw(canvas.Dc());
    EXPECT_EQ(canvas.Pixel(30, 30), crMarker);         // on white: the marker colour
    EXPECT_EQ(canvas.Pixel(70, 30), RGB(60, 90, 0));   // on blue: paper AND marker
    EXPECT_EQ(canvas.Pixel(70, 10), RGB(60, 90, 200)); // untouched
    EXPECT_EQ(GetROP2(canvas.Dc()), R2_COPYPEN);       // the raster mode comes back
    SetROP2(canvas.Dc(), nRop);
}

TEST(StrokeDraw, MarkerOverInkKeepsEveryChannelAtMostWhatItWas) {
    CDibCanvas before(80, 40), after(80, 40);
    for (CDibCanvas* p : {&before, &after})
        MakeStroke(kToolBrush, 1, RGB(10, 120, 240), {{5, 20, 400}, {40, 18, 420}, {75, 22, 400}})
            ->Draw(p->Dc());
    MakeStroke(kToolMarker, 0, RGB(250, 200, 20), {{5, 20, 10}, {75, 20, 10}})->Draw(after.Dc());
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) {
            const COLORREF a = before.Pixel(x, y), b = after.Pixel(x, y);
            ASSERT_LE(GetRValue(b), GetRValue(a)) << "at (" << x << "," << y << ")";
            ASSERT_LE(GetGValue(b), GetGValue(a)) << "at (" << x << "," << y << ")";
            ASSERT_LE(GetBValue(b), GetBValue(a)) << "at (" << x << "," << y << ")";
        }
}

// A damaged note's plain stroke that runs to (2^26, 2^26): the page shows what a stroke to just
// beyond its corner shows, without a region or bitmap millions of pixels long.
TEST(StrokeDraw, FarAwaySampleOfAPlainStrokeDrawsWhatIsVisibleOnly) {
    CDibCanvas farPage(120, 100), nearPage(120, 100);
    const auto pFar = MakeStroke(kToolPencil, 0, 0, {{10, 10, 3}, {1 << 26, 1 << 26, 3}});
    const auto pNear = MakeStroke(kToolPencil, 0, 0, {{10, 10, 3}, {400, 400, 3}});
    const SIZE_T nPeakBefore = PeakWorkingSet();
    pFar->Draw(farPage.Dc());
    EXPECT_LT(PeakWorkingSet() - nPeakBefore, SIZE_T(64) << 20) << "bytes more at the peak";
    pNear->Draw(nearPage.Dc());
    EXPECT_EQ(farPage.FirstDifference(nearPage), "");
    EXPECT_GT(farPage.CountOther(kWhite), 200);
    // Far the other way, and across: nothing of it reaches the page.
    CDibCanvas empty(120, 100);
    MakeStroke(kToolMarker, 0, 0, {{-(1 << 26), 50, 3}, {-(1 << 25), 1 << 26, 3}})
        ->Draw(empty.Dc());
    EXPECT_EQ(empty.CountOther(kWhite), 0);
}

TEST(StrokeDraw, DrawIfVisibleDrawsOnlyWhenTheInflatedBoundMeetsTheClip) {
    auto pLine = MakeStroke(kToolPencil, 0, 0, {{10, 10, 1}, {30, 10, 1}});
    // Bound (9,9,31,11), inflated (4,4,36,16).
    CDibCanvas outside(40, 40), inside(40, 40);
    pLine->DrawIfVisible(outside.Dc(), {36, 16, 60, 60});
    EXPECT_EQ(outside.CountOther(kWhite), 0);
    pLine->DrawIfVisible(inside.Dc(), {35, 15, 60, 60});
    EXPECT_GT(inside.CountOther(kWhite), 0);
}

TEST(StrokePressureRange, RangeFollowsTheTabletAxis) {
    EXPECT_EQ(PressureRangeFromAxis(1023).nMax, 511);
    EXPECT_EQ(PressureRangeFromAxis(1023).nScale, 2);
    EXPECT_EQ(PressureRangeFromAxis(511).nMax, 511);
    EXPECT_EQ(PressureRangeFromAxis(511).nScale, 1);
    EXPECT_EQ(PressureRangeFromAxis(2047).nScale, 4);
    // Fewer than 512 levels keep a divisor of 1.
    EXPECT_EQ(PressureRangeFromAxis(255).nMax, 255);
    EXPECT_EQ(PressureRangeFromAxis(255).nScale, 1);
    EXPECT_EQ(PressureRangeFromAxis(-5).nScale, 1);
}

TEST(StrokePressureRange, NewStrokeAsksTheInstalledSource) {
    SetPressureAxisSource([] { return std::optional<int>(1023); });
    CLine tablet;
    SetPressureAxisSource([] { return std::optional<int>(); });
    CLine none;
    SetPressureAxisSource({});
    CLine unset;
    EXPECT_EQ(tablet.GetPressureScale(), 2);
    EXPECT_EQ(tablet.GetPressureMax(), 511);
    EXPECT_EQ(none.GetPressureScale(), 1);
    EXPECT_EQ(none.GetPressureMax(), 511);
    EXPECT_EQ(unset.GetPressureMax(), 511);
}

TEST(StrokeDraw, SmoothedStrokeFeedsTheRendererKindsInPenOrder) {
    const std::vector<Sample> samples = {{10, 30, 300}, {30, 34, 340}, {50, 28, 380},
                                         {70, 40, 400}, {90, 30, 360}, {100, 20, 300}};
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(RGB(0, 0, 128));
    pLine->SetTool(kToolBrush, 1);
    for (const Sample& s : samples)
        pLine->AddPoint(s.x, s.y, static_cast<short>(s.nPressure));
    CDibCanvas byLine(120, 60), byRenderer(120, 60);
    pLine->Draw(byLine.Dc());
    CSMLine sm;
    DrawSamples(sm, byRenderer.Dc(), samples, pLine->GetPressureMax(), 1.0f, RGB(0, 0, 128));
    EXPECT_EQ(byLine.FirstDifference(byRenderer), "");
    EXPECT_GT(byLine.CountOther(kWhite), 200);
}

TEST(StrokeDraw, SkippedSamplesStayInTheStroke) {
    auto pLine =
        MakeStroke(kToolBrush, 1, 0, {{10, 10, 300}, {30, 10, 300}, {31, 11, 300}, {50, 10, 300}});
    EXPECT_EQ(pLine->GetPointCount(), 4);
    CDibCanvas canvas(60, 30);
    pLine->Draw(canvas.Dc());
    EXPECT_EQ(pLine->GetPointCount(), 4);
    EXPECT_EQ(pLine->GetPoint(2).x, 31);
}
