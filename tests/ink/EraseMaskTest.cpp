// The eraser mask of an eraser stroke and the touch test of a stroke against it.
#include <gtest/gtest.h>

#include "EraseMask.h"
#include "GdiObjects.h"
#include "InkTestUtil.h"
#include "Line.h"

namespace {

constexpr COLORREF kPath = 0x00FF0000;

// Builds the mask of an eraser in its own memory DC and gives it back on destruction.
class CMaskScope {
public:
    explicit CMaskScope(CLine& eraser) : m_dc(nullptr) {
        m_hOld = eraser.MakeEraseMask(m_dc.Get(), m_rc);
    }
    ~CMaskScope() {
        if (m_hOld)
            DeleteObject(SelectObject(m_dc.Get(), m_hOld));
    }
    HDC Dc() const { return m_dc.Get(); }
    const RECT& Rect() const { return m_rc; }
    bool Made() const { return m_hOld != nullptr; }
    // The mask pixel at a page position.
    COLORREF At(int x, int y) const { return GetPixel(m_dc.Get(), x - m_rc.left, y - m_rc.top); }

private:
    CMemoryDC m_dc;
    RECT m_rc{};
    HBITMAP m_hOld = nullptr;
};

std::unique_ptr<CLine> SquareEraser() {
    return MakeStroke(kToolEraser, 1, 0,
                      {{20, 20, 80}, {120, 20, 80}, {120, 100, 80}, {20, 100, 80}, {20, 20, 80}});
}

} // namespace

TEST(EraseMask, ClosedPathIsBlackInsideWhiteOutsideAndBlueOnThePath) {
    auto pEraser = SquareEraser();
    CMaskScope mask(*pEraser);
    ASSERT_TRUE(mask.Made());
    EXPECT_EQ(mask.Rect(), (RECT{15, 15, 125, 105}));
    EXPECT_EQ(mask.At(15, 15), kWhite);
    EXPECT_EQ(mask.At(124, 104), kWhite);
    EXPECT_EQ(mask.At(19, 60), kWhite);
    EXPECT_EQ(mask.At(20, 60), kPath);
    EXPECT_EQ(mask.At(70, 20), kPath);
    EXPECT_EQ(mask.At(120, 100), kPath);
    EXPECT_EQ(mask.At(21, 21), kBlack);
    EXPECT_EQ(mask.At(70, 60), kBlack);
    EXPECT_EQ(mask.At(119, 99), kBlack);
}

TEST(EraseMask, OpenPathLeavesNothingBlack) {
    auto pEraser =
        MakeStroke(kToolEraser, 1, 0, {{20, 20, 80}, {20, 100, 80}, {120, 100, 80}, {120, 20, 80}});
    CMaskScope mask(*pEraser);
    ASSERT_TRUE(mask.Made());
    EXPECT_EQ(mask.At(70, 60), kWhite);
    EXPECT_EQ(mask.At(20, 60), kPath);
}

TEST(EraseMask, NoDeviceContextMakesNoMask) {
    auto pEraser = SquareEraser();
    RECT rc = {1, 2, 3, 4};
    EXPECT_EQ(pEraser->MakeEraseMask(nullptr, rc), nullptr);
    EXPECT_EQ(rc, RECT{});
}

namespace {

RECT Touch(CLine& stroke, CLine& eraser) {
    CEraseMask mask(eraser);
    return stroke.HitByMask(mask);
}

} // namespace

// A touched brush stroke reports its bounds widened by its stamps' reach (7), a pencil stroke
// its bounds widened by 5: the area to repaint.
TEST(StrokeTouch, EnclosedStrokeIsTouchedAndReportsItsInflatedBound) {
    auto pEraser = SquareEraser();
    auto pStroke = MakeStroke(kToolBrush, 1, 0, {{50, 50, 300}, {60, 55, 300}, {70, 52, 300}});
    EXPECT_EQ(Touch(*pStroke, *pEraser), Inflated(pStroke->GetBound(), 7));
}

TEST(StrokeTouch, EnclosedSingleDotIsTouched) {
    auto pEraser = SquareEraser();
    auto pDot = MakeStroke(kToolBrush, 1, 0, {{70, 60, 200}});
    EXPECT_EQ(Touch(*pDot, *pEraser), Inflated(pDot->GetBound(), 7));
}

TEST(StrokeTouch, StrokeCrossingThePathIsTouched) {
    auto pEraser = SquareEraser();
    // Starts outside, ends outside, crosses the left side of the square.
    auto pStroke = MakeStroke(kToolPencil, 0, 0, {{0, 60, 1}, {40, 60, 1}});
    auto pOutside = MakeStroke(kToolPencil, 0, 0, {{0, 60, 1}, {12, 60, 1}});
    EXPECT_EQ(Touch(*pStroke, *pEraser), Inflated(pStroke->GetBound(), 5));
    EXPECT_EQ(Touch(*pOutside, *pEraser), RECT{});
}

TEST(StrokeTouch, StrokeOutsideThePathIsNotTouched) {
    auto pEraser = SquareEraser();
    // Its inflated bound overlaps the mask, its pixels do not.
    auto pStroke = MakeStroke(kToolBrush, 1, 0, {{130, 40, 100}, {135, 80, 100}});
    EXPECT_EQ(Touch(*pStroke, *pEraser), RECT{});
    auto pFar = MakeStroke(kToolBrush, 1, 0, {{500, 500, 100}, {520, 520, 100}});
    EXPECT_EQ(Touch(*pFar, *pEraser), RECT{});
}

TEST(StrokeTouch, OpenPathTouchesOnlyWhatItsLineCrosses) {
    auto pEraser =
        MakeStroke(kToolEraser, 1, 0, {{20, 20, 80}, {20, 100, 80}, {120, 100, 80}, {120, 20, 80}});
    auto pInside = MakeStroke(kToolBrush, 1, 0, {{50, 50, 300}, {70, 52, 300}});
    auto pCrossed = MakeStroke(kToolPencil, 0, 0, {{60, 90, 3}, {60, 110, 3}});
    EXPECT_EQ(Touch(*pInside, *pEraser), RECT{});
    EXPECT_EQ(Touch(*pCrossed, *pEraser), Inflated(pCrossed->GetBound(), 5));
}

TEST(StrokeTouch, HeavySmoothedStrokeIsTestedWithAWiderPen) {
    // Weight 500 with a maximum of 511: pen 500 / 50 * (511 / 256) + 2 = 12 pixels, so a
    // stroke 5 pixels outside the square still reaches its side.
    auto pEraser = SquareEraser();
    auto pHeavy = MakeStroke(kToolBrush, 1, 0, {{125, 40, 500}, {125, 80, 500}});
    auto pLight = MakeStroke(kToolBrush, 1, 0, {{125, 40, 40}, {125, 80, 40}});
    EXPECT_EQ(Touch(*pHeavy, *pEraser), Inflated(pHeavy->GetBound(), 7));
    EXPECT_EQ(Touch(*pLight, *pEraser), RECT{});
}

// Strokes of a damaged file that run millions of pixels across: only the part within the
// eraser's area is drawn for the test, so it takes no huge bitmap or region.
TEST(StrokeTouch, FarReachingStrokesAreTestedOverTheEraserAreaOnly) {
    auto pEraser = SquareEraser();
    const int n = 100000000;
    auto pThrough = MakeStroke(kToolPencil, 0, 0, {{70 - n, 60 - n, 3}, {70 + n, 60 + n, 3}});
    auto pBeside = MakeStroke(kToolPencil, 0, 0, {{300 - n, 60 - n, 3}, {300 + n, 60 + n, 3}});
    const SIZE_T nPeakBefore = PeakWorkingSet();
    EXPECT_EQ(Touch(*pThrough, *pEraser), Inflated(pThrough->GetBound(), 5));
    EXPECT_EQ(Touch(*pBeside, *pEraser), RECT{});
    EXPECT_LT(PeakWorkingSet() - nPeakBefore, SIZE_T(64) << 20) << "bytes more at the peak";
}
