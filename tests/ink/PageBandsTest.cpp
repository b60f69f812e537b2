// A whole page redrawn in horizontal bands on several threads leaves the bytes that drawing the
// strokes one after another through GDI leaves: at every band count, over a moved origin, and
// with marker strokes between the brush strokes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

#include "DibCanvas.h"
#include "InkTestUtil.h"
#include "Lines.h"
#include "StrokeBands.h"

namespace {

constexpr int kWidth = 300, kHeight = 400;
constexpr COLORREF kBandsPaper = RGB(250, 250, 240);

// Wandering heavy brush strokes over the whole canvas and past its edges, 24,000 samples in all
// (runs of brush strokes long enough for bands); every sixtieth one a wide marker stroke when
// bMarkers is set.
std::vector<std::unique_ptr<CLine>> PageStrokes(bool bMarkers) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> startX(-10, kWidth + 10), startY(-10, kHeight + 10),
        turn(-30, 30), pressure(60, 500);
    std::vector<std::unique_ptr<CLine>> strokes;
    for (int s = 0; s < 300; ++s) {
        const bool bMarker = bMarkers && s % 60 == 59;
        auto pLine = std::make_unique<CLine>();
        pLine->SetColor(bMarker ? RGB(255, 230, 0) : RGB(20 + s % 200, 40, 160));
        pLine->SetTool(bMarker ? kToolMarker : kToolBrush, bMarker ? 0 : 1);
        double x = startX(rng), y = startY(rng), dAngle = turn(rng) * 0.2;
        for (int i = 0; i < 80; ++i) {
            dAngle += turn(rng) * 0.02;
            x += 3.5 * std::cos(dAngle);
            y += 3.5 * std::sin(dAngle);
            pLine->AddPoint(static_cast<int>(x), static_cast<int>(y),
                            static_cast<short>(bMarker ? 9 : pressure(rng)));
        }
        strokes.push_back(std::move(pLine));
    }
    return strokes;
}

// The strokes one after another through GDI (GetPixel and fills: the advanced graphics mode
// keeps the renderer off the section's memory), on one thread.
void DrawOneByOne(const std::vector<std::unique_ptr<CLine>>& strokes, CDibCanvas& canvas) {
    SetGraphicsMode(canvas.Dc(), GM_ADVANCED);
    for (const auto& pLine : strokes)
        pLine->Draw(canvas.Dc());
    SetGraphicsMode(canvas.Dc(), GM_COMPATIBLE);
}

// The page strokes drawn one by one into expected, then handed to lines.
void FillPage(bool bMarkers, CDibCanvas& expected, CLines& lines) {
    std::vector<std::unique_ptr<CLine>> strokes = PageStrokes(bMarkers);
    DrawOneByOne(strokes, expected);
    for (auto& pLine : strokes)
        lines.Add(std::move(pLine));
}

} // namespace

TEST(PageBands, EveryThreadCountLeavesTheBytesOfOneStrokeAfterAnother) {
    const std::vector<std::unique_ptr<CLine>> strokes = PageStrokes(false);
    for (POINT ptOrigin : {POINT{0, 0}, POINT{-13, 29}}) {
        CDibCanvas expected(kWidth, kHeight, kBandsPaper, 24, true);
        SetViewportOrgEx(expected.Dc(), ptOrigin.x, ptOrigin.y, nullptr);
        DrawOneByOne(strokes, expected);
        ASSERT_GT(expected.CountOther(kBandsPaper), kWidth * kHeight / 3);
        for (int nThreads = 1; nThreads <= 4; ++nThreads) {
            SCOPED_TRACE(testing::Message()
                         << nThreads << " threads, origin " << ptOrigin.x << "," << ptOrigin.y);
            CDibCanvas banded(kWidth, kHeight, kBandsPaper, 24, true);
            SetViewportOrgEx(banded.Dc(), ptOrigin.x, ptOrigin.y, nullptr);
            const CPixelTarget target(banded.Dc());
            ASSERT_TRUE(target.IsDirect());
            CStrokeBands(strokes).Draw(target, nThreads);
            EXPECT_EQ(banded.FirstDifference(expected), "");
        }
    }
}

TEST(PageBands, MarkerStrokesBetweenBrushStrokesKeepTheirPlaceInTheOrder) {
    CLines lines;
    CDibCanvas expected(kWidth, kHeight, kBandsPaper, 32, false);
    FillPage(true, expected, lines);
    CDibCanvas page(kWidth, kHeight, kBandsPaper, 32, false);
    lines.DrawAll(page.Dc());
    EXPECT_EQ(page.FirstDifference(expected), "");
    EXPECT_GT(expected.CountOther(kBandsPaper), kWidth * kHeight / 3);
}

// A repaint of one region (after an erase or an undo) draws only the strokes that reach it: a
// heavy brush stroke whose stamps reach into the region from beyond its samples' bounds must be
// among them, or the region loses the stroke's edge.
TEST(PageBands, EachRegionRepaintLeavesTheWholePagesPixels) {
    CLines lines;
    CDibCanvas expected(kWidth, kHeight, kBandsPaper, 24, false);
    FillPage(false, expected, lines);
    constexpr int kTile = 20;
    for (int y = 0; y < kHeight; y += kTile)
        for (int x = 0; x < kWidth; x += kTile) {
            const RECT rcTile = {x, y, x + kTile, y + kTile};
            CDibCanvas region(kWidth, kHeight, kBandsPaper, 24, false);
            lines.DrawInRect(region.Dc(), rcTile);
            for (int ty = y; ty < rcTile.bottom; ++ty)
                for (int tx = x; tx < rcTile.right; ++tx)
                    ASSERT_EQ(region.Pixel(tx, ty), expected.Pixel(tx, ty))
                        << "at " << tx << "," << ty;
        }
}

// A band draws the curves of a stroke that lie wholly outside it without stepping along them,
// yet must leave the renderer as they would: the corner repair's last stamps, the footprint the
// next stamp leaves alone, the pressure. Zigzag strokes with sharp heavy corners, drawn through
// bands a few rows high, leave the bytes of the whole page.
TEST(PageBands, ThinBandsOverSharpHeavyCornersLeaveTheWholePagesBytes) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> start(20, 180), leg(2, 9), pressure(140, 600);
    std::vector<std::unique_ptr<CLine>> strokes;
    for (int s = 0; s < 40; ++s) {
        auto pLine = std::make_unique<CLine>();
        pLine->SetColor(RGB(10 + 5 * s, 60, 200 - 4 * s));
        pLine->SetTool(kToolBrush, 1);
        int x = start(rng), y = start(rng), dx = 4, dy = 3;
        for (int i = 0; i < 60; ++i) {
            if (i % leg(rng) == 0) // a sharp turn
                std::tie(dx, dy) = std::pair(-dy + leg(rng) - 5, dx + leg(rng) - 5);
            x = std::clamp(x + dx, 0, 199);
            y = std::clamp(y + dy, 0, 199);
            pLine->AddPoint(x, y, static_cast<short>(pressure(rng)));
        }
        strokes.push_back(std::move(pLine));
    }
    CDibCanvas whole(200, 200, kBandsPaper, 24, true);
    const CPixelTarget wholeTarget(whole.Dc());
    for (const auto& pLine : strokes)
        pLine->Draw(wholeTarget);
    ASSERT_GT(whole.CountOther(kBandsPaper), 200 * 200 / 4);
    for (int nRows : {1, 3, 8}) {
        SCOPED_TRACE(testing::Message() << "bands of " << nRows << " rows");
        CDibCanvas banded(200, 200, kBandsPaper, 24, true);
        const CPixelTarget target(banded.Dc());
        for (int y = 0; y < 200; y += nRows) {
            const CPixelTarget band(target, {0, y, 200, y + nRows});
            for (const auto& pLine : strokes)
                pLine->Draw(band);
        }
        EXPECT_EQ(banded.FirstDifference(whole), "");
    }
}
