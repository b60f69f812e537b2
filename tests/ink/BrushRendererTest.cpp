// The pressure brush renderer, pixel by pixel, on 24-bit DIB sections.
#include <gtest/gtest.h>

#include <vector>

#include "DibCanvas.h"
#include "InkTestUtil.h"
#include "PtPres.h"
#include "SMLine.h"

namespace {

// Feeds a whole stroke in pen order, the way a stroke redraws itself.
void Draw(CSMLine& sm, HDC hdc, const std::vector<Sample>& samples, int nPressureMax = 511,
          float fScale = 1.0f) {
    DrawSamples(sm, hdc, samples, nPressureMax, fScale, kBlack);
}

void Draw(HDC hdc, const std::vector<Sample>& samples, int nPressureMax = 511,
          float fScale = 1.0f) {
    CSMLine sm;
    Draw(sm, hdc, samples, nPressureMax, fScale);
}

// A wavy stroke with changing pressure inside 120 x 80.
std::vector<Sample> Wave() {
    return {{10, 40, 200}, {22, 30, 300}, {35, 24, 380},  {50, 28, 420},  {62, 40, 440},
            {74, 52, 400}, {88, 56, 360}, {100, 48, 320}, {108, 36, 300}, {112, 30, 280}};
}

// Dark pixels (any channel below 128) in one column.
int ColumnInk(const CDibCanvas& canvas, int x) {
    int n = 0;
    for (int y = 0; y < canvas.Height(); ++y)
        n += GetRValue(canvas.Pixel(x, y)) < 128;
    return n;
}

} // namespace

TEST(BrushDot, OneSampleStrokeLeavesOneRoundDot) {
    CDibCanvas canvas(40, 40);
    Draw(canvas.Dc(), {{20, 20, 200}}, 256);
    // Pressure 200: softness 143, so only pixels closer than (300 + 256) / 143 = 3.9 take ink.
    EXPECT_EQ(canvas.InkBox(kWhite), (RECT{17, 17, 24, 24}));
    EXPECT_EQ(canvas.Pixel(20, 20), kBlack);
    EXPECT_EQ(canvas.Pixel(21, 21), kBlack);
    // sqrt(13) * 143 = 515, less 300: 215 of 255 towards the paper.
    EXPECT_EQ(canvas.Pixel(23, 22), RGB(214, 214, 214));
    EXPECT_EQ(canvas.Pixel(24, 23), kWhite);
}

TEST(BrushDot, TwoSampleStrokeDrawsNothingBeyondTheFirstDot) {
    CDibCanvas dot(60, 60), stroke(60, 60);
    Draw(dot.Dc(), {{20, 20, 300}});
    Draw(stroke.Dc(), {{20, 20, 300}, {45, 35, 300}});
    EXPECT_EQ(stroke.FirstDifference(dot), "");
    EXPECT_GT(dot.CountOther(kWhite), 0);
}

TEST(BrushSkip, NearInnerSampleAtAnEvenPlaceIsSkippedAndParityKept) {
    const std::vector<Sample> plain = {
        {20, 20, 300}, {40, 25, 300}, {60, 20, 300}, {80, 30, 300}, {100, 25, 300}};
    std::vector<Sample> extra = plain;
    extra.insert(extra.begin() + 2, {41, 26, 500}); // within 1 pixel of the control point
    CDibCanvas a(120, 60), b(120, 60);
    Draw(a.Dc(), plain);
    Draw(b.Dc(), extra);
    EXPECT_EQ(b.FirstDifference(a), "");

    CDibCanvas c(120, 60);
    CSMLine sm;
    sm.DrawSegment(c.Dc(), 0, 0, 20, 20, 300, kBlack, CSMLine::kKindFirst, 511, 1.0f);
    sm.DrawSegment(c.Dc(), 20, 20, 40, 25, 300, kBlack, CSMLine::kKindInner, 511, 1.0f);
    const int nParity = sm.GetParity();
    sm.DrawSegment(c.Dc(), 40, 25, 41, 26, 500, kBlack, CSMLine::kKindInner, 511, 1.0f);
    EXPECT_EQ(sm.GetParity(), nParity);
}

TEST(BrushSkip, NearInnerSampleAtAnOddPlaceIsSkippedAndParityKept) {
    const std::vector<Sample> plain = {
        {20, 20, 300}, {40, 25, 300}, {60, 20, 300}, {80, 30, 300}, {100, 25, 300}};
    std::vector<Sample> extra = plain;
    extra.insert(extra.begin() + 3, {61, 19, 50}); // within 1 pixel of the curve's end
    CDibCanvas a(120, 60), b(120, 60);
    Draw(a.Dc(), plain);
    Draw(b.Dc(), extra);
    EXPECT_EQ(b.FirstDifference(a), "");
}

TEST(BrushSkip, NearLastSampleIsNotSkipped) {
    const std::vector<Sample> plain = {{20, 20, 300}, {40, 25, 300}, {60, 20, 300}};
    std::vector<Sample> extra = plain;
    extra.push_back({61, 21, 300});
    CDibCanvas a(120, 60), b(120, 60);
    Draw(a.Dc(), plain);
    Draw(b.Dc(), extra);
    EXPECT_NE(b.FirstDifference(a), "");
}

// The last sample is an odd one whose midpoint with the control point is the control point
// itself: as for any odd sample, nothing is drawn.
TEST(BrushSkip, LastOddSampleWhoseMidpointIsTheControlPointDrawsNothing) {
    CDibCanvas stroke(60, 40), dot(60, 40);
    CSMLine sm;
    sm.DrawSegment(stroke.Dc(), 0, 0, 10, 10, 200, kBlack, CSMLine::kKindFirst, 256, 1.0f);
    sm.DrawSegment(stroke.Dc(), 10, 10, 20, 10, 200, kBlack, CSMLine::kKindInner, 256, 1.0f);
    sm.DrawSegment(stroke.Dc(), 20, 10, 30, 10, 200, kBlack, CSMLine::kKindInner, 256, 1.0f);
    sm.DrawSegment(stroke.Dc(), 30, 10, 21, 10, 200, kBlack, CSMLine::kKindLast, 256, 1.0f);
    CSMLine smDot;
    smDot.DrawSegment(dot.Dc(), 0, 0, 10, 10, 200, kBlack, CSMLine::kKindFirst, 256, 1.0f);
    EXPECT_EQ(stroke.FirstDifference(dot), "");
    EXPECT_GT(dot.CountOther(kWhite), 0);
}

TEST(BrushPressure, PressuresAreHalvedAboveAMaximumOf256) {
    std::vector<Sample> half = Wave();
    for (Sample& s : half)
        s.nPressure /= 2;
    CDibCanvas full511(120, 80), half256(120, 80), full256(120, 80);
    Draw(full511.Dc(), Wave(), 511);
    Draw(half256.Dc(), half, 256);
    Draw(full256.Dc(), Wave(), 256);
    EXPECT_EQ(full511.FirstDifference(half256), "");
    EXPECT_NE(full256.FirstDifference(half256), "");
    // Used as given, the heavier pressures make a wider line.
    EXPECT_GT(full256.CountOther(kWhite), half256.CountOther(kWhite));
}

TEST(BrushScale, ScaleTwoPaintsEveryPixelAsATwoByTwoBlock) {
    CDibCanvas one(120, 80), two(240, 160);
    Draw(one.Dc(), Wave(), 511, 1.0f);
    Draw(two.Dc(), Wave(), 511, 2.0f);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x)
            ASSERT_EQ(two.Pixel(x, y), one.Pixel(x / 2, y / 2)) << "at (" << x << "," << y << ")";
}

TEST(BrushScale, ScaleHalfPaintsEverySecondPixelAtHalfTheCoordinates) {
    CDibCanvas one(120, 80), half(60, 40);
    Draw(one.Dc(), Wave(), 511, 1.0f);
    Draw(half.Dc(), Wave(), 511, 0.5f);
    for (int v = 0; v < 40; ++v)
        for (int u = 0; u < 60; ++u)
            ASSERT_EQ(half.Pixel(u, v), one.Pixel(2 * u, 2 * v)) << "at (" << u << "," << v << ")";
    EXPECT_GT(half.CountOther(kWhite), 100);
}

// The last sample ends a curve whether it comes at an even or at an odd place.
TEST(BrushTaper, StrokeNarrowsToItsEndAfterEvenAndOddSampleCounts) {
    for (int nSamples : {24, 25}) {
        SCOPED_TRACE(nSamples);
        std::vector<Sample> samples;
        for (int k = 0; k < nSamples; ++k)
            samples.push_back({20 + 7 * k, 40, 400});
        const int xLast = samples.back().x;
        CDibCanvas canvas(220, 80);
        Draw(canvas.Dc(), samples);
        const int nMiddle = ColumnInk(canvas, 100);
        EXPECT_GE(nMiddle, 5);
        // The end pressure drops to 30: the line is at most half as thick at its last sample.
        EXPECT_LE(ColumnInk(canvas, xLast), nMiddle / 2);
        EXPECT_EQ(ColumnInk(canvas, xLast + 2), 0);
    }
}

TEST(BrushRing, RingHoldsTwentyEntriesAndWraps) {
    CPtPres ring;
    EXPECT_EQ(ring.GetNewest(), -1);
    EXPECT_FALSE(ring.Get(-1).has_value());
    for (int i = 0; i < 25; ++i)
        ring.Push({i, -i}, {i * 256, -i * 256}, 100 + i);
    EXPECT_EQ(ring.GetNewest(), 4);
    ASSERT_TRUE(ring.Get(-1).has_value());
    EXPECT_EQ(ring.Get(-1)->nPressure, 124);
    EXPECT_EQ(ring.Get(-3)->pt.x, 22);
    EXPECT_EQ(ring.Get(-3)->ptFix.y, -22 * 256);
    EXPECT_EQ(ring.Get(-20)->nPressure, 105);
    EXPECT_FALSE(ring.Get(-21).has_value());
}

TEST(BrushRing, OnlyFilledEntriesAreReturned) {
    CPtPres ring;
    ring.Push({1, 2}, {256, 512}, 7);
    EXPECT_TRUE(ring.Get(-1).has_value());
    EXPECT_FALSE(ring.Get(-2).has_value());
}

TEST(BrushRobustness, AbsurdPressuresAndCoordinatesStayBounded) {
    CDibCanvas canvas(60, 60);
    Draw(canvas.Dc(), {{30, 30, 32767},
                       {-2000000000, 5, -32768},
                       {2000000000, 40, 32767},
                       {31, 31, 1000},
                       {30, 50, 400}});
    EXPECT_EQ(canvas.Pixel(30, 30), kBlack);
}
