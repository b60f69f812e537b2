#include "PenRules.h"
#include "TabletClient.h"

#include <gtest/gtest.h>

TEST(PressureNormalisation, AxisMax1023GivesScaleTwoAndMaximum511) {
    const PressureNorm norm = NormalisePressureAxis(1023);
    EXPECT_EQ(norm.nScale, 2);
    EXPECT_EQ(norm.nMax, 511);
}

TEST(PressureNormalisation, AxisMax2047GivesScaleFourAndMaximum511) {
    const PressureNorm norm = NormalisePressureAxis(2047);
    EXPECT_EQ(norm.nScale, 4);
    EXPECT_EQ(norm.nMax, 511);
}

TEST(PressureNormalisation, AxisMax511GivesScaleOne) {
    const PressureNorm norm = NormalisePressureAxis(511);
    EXPECT_EQ(norm.nScale, 1);
    EXPECT_EQ(norm.nMax, 511);
}

TEST(PressureNormalisation, FewerThan512LevelsKeepScaleOneAndTheirOwnRange) {
    for (LONG nAxisMax : {1, 100, 255, 510}) {
        const PressureNorm norm = NormalisePressureAxis(nAxisMax);
        EXPECT_EQ(norm.nScale, 1) << "axis maximum " << nAxisMax;
        EXPECT_EQ(norm.nMax, nAxisMax) << "axis maximum " << nAxisMax;
    }
}

TEST(PressureNormalisation, MissingAxisCountsAs512Levels) {
    const PressureNorm norm = NormalisePressureAxis(0);
    EXPECT_EQ(norm.nScale, 1);
    EXPECT_EQ(norm.nMax, 511);
}

TEST(LetterWeights, PencilLevelsOneToFiveGive80To400WhateverThePressure) {
    for (int nLevel = 1; nLevel <= 5; ++nLevel)
        for (int nPressure : {1, 200, 511})
            EXPECT_EQ(LetterWeight(kToolPencil, nLevel, nPressure, 511), 80 * nLevel)
                << "level " << nLevel << ", pressure " << nPressure;
}

TEST(LetterWeights, PencilFollowsTheNormalisedMaximumAndNeverWeighsNothing) {
    EXPECT_EQ(LetterWeight(kToolPencil, 2, 100, 255), 80);
    for (int nMax : {254, 100, 1})
        EXPECT_EQ(LetterWeight(kToolPencil, 2, 1, nMax), 80) << "maximum " << nMax;
}

TEST(LetterWeights, BrushAtLevelFiveAndFullPressureGives511) {
    EXPECT_EQ(LetterWeight(kToolBrush, 5, 511, 511), 511);
}

TEST(LetterWeights, BrushScalesPressureByLevelOverFive) {
    EXPECT_EQ(LetterWeight(kToolBrush, 1, 511, 511), 102);
    EXPECT_EQ(LetterWeight(kToolBrush, 2, 300, 511), 120);
    EXPECT_EQ(LetterWeight(kToolBrush, 3, 7, 511), 4);
}

TEST(LetterWeights, MarkerLevelNGivesTwoN) {
    for (int nLevel = 1; nLevel <= 5; ++nLevel)
        EXPECT_EQ(LetterWeight(kToolMarker, nLevel, 300, 511), 2 * nLevel) << "level " << nLevel;
}

TEST(LetterWeights, EraserIsAlwaysOne) {
    for (int nLevel = 1; nLevel <= 5; ++nLevel)
        EXPECT_EQ(LetterWeight(kToolEraser, nLevel, 400, 511), 1) << "level " << nLevel;
}

// The weights of one touch, the same fraction of each pen's range (700 of 1,024 levels, and
// full pressure), per mode and tool at levels 2 and 5: 1,024 levels (most tablets the rules were
// written for), 8,192 (most pens sold today) and 65,536 (what X reports under Wine).
TEST(SampleWeights, TheSameTouchWeighsTheSameAt1024And8192And65536Levels) {
    struct Row {
        int nMode, nTool, nLevel;
        short nAt700, nAtFull;
    };
    const Row table[] = {
        {kModeLetter, kToolPencil, 2, 160, 160}, {kModeLetter, kToolBrush, 2, 140, 204},
        {kModeLetter, kToolBrush, 5, 350, 511},  {kModeLetter, kToolMarker, 5, 10, 10},
        {kModeLetter, kToolEraser, 2, 1, 1},     {kModeDesktop, kToolPencil, 2, 160, 160},
        {kModeDesktop, kToolBrush, 2, 140, 204}, {kModeDesktop, kToolBrush, 5, 350, 511},
        {kModeDesktop, kToolMarker, 5, 10, 10},  {kModeDesktop, kToolEraser, 2, 1, 1},
        {kModeInking, kToolPencil, 2, 2, 2},     {kModeInking, kToolBrush, 2, 7, 10},
        {kModeInking, kToolBrush, 5, 17, 25},    {kModeInking, kToolMarker, 5, 10, 10},
        {kModeInking, kToolEraser, 2, 1, 1},
    };
    for (LONG nLevels : {1024, 8192, 65536}) {
        const PressureNorm norm = NormalisePressureAxis(nLevels - 1);
        const UINT nTouch = UINT(700 * nLevels / 1024), nFull = UINT(nLevels - 1);
        for (const Row& r : table) {
            EXPECT_EQ(SampleWeight(r.nMode, r.nTool, r.nLevel, nTouch, nLevels - 1, norm.nScale,
                                   norm.nMax),
                      r.nAt700)
                << nLevels << " levels, mode " << r.nMode << ", tool " << r.nTool << ", level "
                << r.nLevel;
            EXPECT_EQ(SampleWeight(r.nMode, r.nTool, r.nLevel, nFull, nLevels - 1, norm.nScale,
                                   norm.nMax),
                      r.nAtFull)
                << nLevels << " levels at full pressure, mode " << r.nMode << ", tool " << r.nTool
                << ", level " << r.nLevel;
        }
    }
}

// Up to 2,048 levels desktop mode keeps its divisors: the raw pressure halved up to 1024, divided
// by 3 up to 1536 and by 4 up to 2048, kept below 513.
TEST(SampleWeights, OlderTabletsKeepTheDesktopDivisorsAndTheRawInkingPressure) {
    EXPECT_EQ(DesktopPressure(1200, 1535, 3), 400);
    EXPECT_EQ(DesktopPressure(1200, 2047, 4), 300);
    EXPECT_EQ(DesktopPressure(300, 511, 1), 300);
    EXPECT_EQ(DesktopPressure(300, 255, 1), 300);
    EXPECT_EQ(InkingPressure(1500, 2047, 4), 1500);
    EXPECT_EQ(InkingPressure(8000, 8191, 16), 1000);
}

struct ZoomCase {
    float fZoom;
    POINT ptExpected;
};

TEST(PageCoordinates, ClientPointPlusScrollIsDividedByTheZoomAndTruncated) {
    const POINT ptClient{101, 51}, ptScroll{30, 60};
    for (const ZoomCase& c : {ZoomCase{0.5f, {262, 222}}, ZoomCase{1.0f, {131, 111}},
                              ZoomCase{2.0f, {65, 55}}, ZoomCase{4.0f, {32, 27}}}) {
        const POINT pt = ClientToPage(ptClient, ptScroll, c.fZoom);
        EXPECT_EQ(pt.x, c.ptExpected.x) << "zoom " << c.fZoom;
        EXPECT_EQ(pt.y, c.ptExpected.y) << "zoom " << c.fZoom;
    }
}

TEST(PageCoordinates, ScreenPointIsTakenRelativeToTheWindow) {
    const POINT pt = ScreenToPage({340, 250}, {200, 100}, {0, 800}, 2.0f);
    EXPECT_EQ(pt.x, 70);
    EXPECT_EQ(pt.y, 475);
}

TEST(PageCoordinates, LargeScrollAtZoomFourStaysExact) {
    const POINT pt = ClientToPage({3, 1}, {4093, 16383}, 4.0f);
    EXPECT_EQ(pt.x, 1024);
    EXPECT_EQ(pt.y, 4096);
}

TEST(CanvasInsideTest, CursorOutsideTheWindowIsOffCanvasExceptForTheEraser) {
    const RECT rc{100, 100, 500, 400};
    EXPECT_TRUE(IsOnCanvas(kToolPencil, {150, 150}, rc, 1280, 1280, 1.0f));
    EXPECT_FALSE(IsOnCanvas(kToolPencil, {50, 150}, rc, 1280, 1280, 1.0f));
    EXPECT_FALSE(IsOnCanvas(kToolMarker, {150, 450}, rc, 1280, 1280, 1.0f));
    EXPECT_TRUE(IsOnCanvas(kToolEraser, {150, 450}, rc, 1280, 1280, 1.0f));
}

TEST(CanvasInsideTest, PointsRightOfTheShownPageAreOffCanvas) {
    const RECT rc{0, 0, 1280, 900};
    EXPECT_TRUE(IsOnCanvas(kToolPencil, {600, 10}, rc, 600, 1280, 1.0f));
    EXPECT_FALSE(IsOnCanvas(kToolPencil, {601, 10}, rc, 600, 1280, 1.0f));
    EXPECT_TRUE(IsOnCanvas(kToolPencil, {1200, 10}, rc, 600, 1280, 2.0f));
    EXPECT_FALSE(IsOnCanvas(kToolPencil, {641, 10}, rc, 600, 1280, 0.5f));
}
