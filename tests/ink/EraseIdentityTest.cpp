// Erasing tests only the strokes whose bounds meet the eraser's and reads the mask in memory:
// with random strokes and random eraser loops (square, diagonal, round, open, crossing ones) it
// takes away exactly the strokes that the per-stroke bitmaps of the old touch test found.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <vector>

#include "EraseOracle.h"
#include "InkTestUtil.h"
#include "Lines.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Pencil, brush and marker strokes of every width and pressure, wandering over 400 x 300.
void AddRandomStrokes(CLines& lines, std::mt19937& rng, int nCount) {
    std::uniform_int_distribution<int> start(-10, 410), step(-12, 12), samples(1, 14), kind(0, 3);
    std::uniform_int_distribution<int> width(1, 14), pressure(0, 511);
    for (int s = 0; s < nCount; ++s) {
        const int nKind = kind(rng);
        auto pLine = std::make_unique<CLine>();
        const bool bSmooth = nKind < 2;
        pLine->SetTool(nKind == 0 ? kToolBrush : nKind == 3 ? kToolMarker : kToolPencil, bSmooth);
        int x = start(rng), y = start(rng) * 3 / 4;
        const int n = samples(rng);
        for (int i = 0; i < n; ++i) {
            pLine->AddPoint(x, y, static_cast<short>(bSmooth ? pressure(rng) : width(rng)));
            x += step(rng);
            y += step(rng);
        }
        lines.Add(std::move(pLine));
    }
}

// An eraser path of nPoints around an ellipse of radii rx, ry turned by dTurn, closed or not.
std::unique_ptr<CLine> Loop(POINT ptCentre, double rx, double ry, double dTurn, int nPoints,
                            bool bClosed) {
    auto pEraser = std::make_unique<CLine>();
    pEraser->SetTool(kToolEraser, 1);
    const int nLast = bClosed ? nPoints : nPoints - 2;
    for (int k = 0; k <= nLast; ++k) {
        const double a = 2 * kPi * k / nPoints;
        const double x = rx * std::cos(a), y = ry * std::sin(a);
        pEraser->AddPoint(
            ptCentre.x + static_cast<int>(std::lround(x * std::cos(dTurn) - y * std::sin(dTurn))),
            ptCentre.y + static_cast<int>(std::lround(x * std::sin(dTurn) + y * std::cos(dTurn))),
            1);
    }
    return pEraser;
}

// A figure eight: the path crosses itself.
std::unique_ptr<CLine> FigureEight(POINT ptCentre, double r) {
    auto pEraser = std::make_unique<CLine>();
    pEraser->SetTool(kToolEraser, 1);
    for (int k = 0; k <= 48; ++k) {
        const double a = 2 * kPi * k / 48;
        pEraser->AddPoint(ptCentre.x + static_cast<int>(std::lround(r * std::sin(a))),
                          ptCentre.y + static_cast<int>(std::lround(r * std::sin(a) * std::cos(a))),
                          1);
    }
    return pEraser;
}

// The eraser of case k: squares (4 points), diagonal squares, round loops, ellipses turned at
// any angle, open arcs and figure eights, anywhere over the strokes.
std::unique_ptr<CLine> RandomEraser(std::mt19937& rng, int k) {
    std::uniform_int_distribution<int> x(20, 380), y(20, 280), r(6, 90);
    std::uniform_real_distribution<double> turn(0.0, kPi);
    const POINT pt = {x(rng), y(rng)};
    const double dSide = r(rng);
    switch (k % 6) {
    case 0:
        return Loop(pt, dSide, dSide, 0.25 * kPi, 4, true); // a square, axis-parallel
    case 1:
        return Loop(pt, dSide, dSide, 0.0, 4, true); // a diamond: a square on its corner
    case 2:
        return Loop(pt, r(rng), r(rng), 0.0, 36, true); // round
    case 3:
        return Loop(pt, r(rng), r(rng) / 2.0, turn(rng), 24, true); // an ellipse, turned
    case 4:
        return Loop(pt, r(rng), r(rng), turn(rng), 20, false); // open
    default:
        return FigureEight(pt, r(rng));
    }
}

std::string Describe(const RECT& rc) {
    std::ostringstream out;
    out << "(" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << ")";
    return out.str();
}

} // namespace

TEST(EraseIdentity, RandomErasersTakeAwayWhatThePerStrokeBitmapsFound) {
    std::mt19937 rng(20261208);
    int nErased = 0, nKept = 0;
    for (int k = 0; k < 48; ++k) {
        SCOPED_TRACE("eraser " + std::to_string(k));
        CLines lines;
        AddRandomStrokes(lines, rng, 120);
        lines.Add(RandomEraser(rng, k));
        const COracleErase expected = OracleEraseByLast(lines);
        std::vector<CLine*> kept;
        for (int i = 0, j = static_cast<int>(expected.erased.size()) - 1; i + 1 < lines.GetCount();
             ++i) {
            if (j >= 0 && expected.erased[j] == i)
                --j;
            else
                kept.push_back(lines.GetAt(i));
        }
        const RECT rc = lines.EraseByLast();
        EXPECT_EQ(Describe(rc), Describe(expected.rcErased));
        ASSERT_EQ(lines.GetCount(), static_cast<int>(kept.size()));
        for (int i = 0; i < lines.GetCount(); ++i)
            ASSERT_EQ(lines.GetAt(i), kept[i]) << "stroke " << i << " of those kept";
        nErased += static_cast<int>(expected.erased.size());
        nKept += lines.GetCount();
    }
    // The cases are not trivial: many strokes go and many stay.
    EXPECT_GT(nErased, 300);
    EXPECT_GT(nKept, 3000);
}
