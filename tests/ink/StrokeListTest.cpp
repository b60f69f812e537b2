// The stroke list: undo and redo, erasing with an eraser stroke, bounds.
#include <gtest/gtest.h>

#include <cmath>

#include "DibCanvas.h"
#include "InkTestUtil.h"
#include "Lines.h"

namespace {

// A horizontal pencil stroke at y 40..45 crossing x = 50.
std::unique_ptr<CLine> StrokeA() {
    return MakeStroke(kToolPencil, 0, 0, {{40, 40, 2}, {60, 45, 2}});
}
// A smoothed brush stroke.
std::unique_ptr<CLine> StrokeB() {
    return MakeStroke(kToolBrush, 1, 0, {{70, 50, 200}, {74, 60, 220}, {80, 70, 200}});
}
// A stroke far from every eraser below.
std::unique_ptr<CLine> StrokeC() {
    return MakeStroke(kToolPencil, 1, 0, {{300, 300, 100}, {320, 310, 100}});
}

std::unique_ptr<CLine> Eraser(std::initializer_list<LinePoint> points) {
    return MakeStroke(kToolEraser, 1, 0, points);
}

// A closed square around A and B.
std::unique_ptr<CLine> ClosedEraser() {
    return Eraser({{20, 20, 100}, {120, 20, 100}, {120, 100, 100}, {20, 100, 100}, {20, 20, 100}});
}

} // namespace

TEST(StrokeListUndo, UndoAndRedoMoveTheSameStrokeObjects) {
    CLines lines;
    lines.Add(StrokeA());
    lines.Add(StrokeB());
    CLine* pB = lines.GetAt(1);
    const RECT rcB = Inflated(pB->GetBound(), CSMLine::kStampReach);
    EXPECT_EQ(lines.Undo(), rcB);
    EXPECT_EQ(lines.GetCount(), 1);
    EXPECT_EQ(lines.GetRedoCount(), 1);
    CDibCanvas canvas(200, 200);
    EXPECT_EQ(lines.Redo(canvas.Dc()), rcB);
    ASSERT_EQ(lines.GetCount(), 2);
    EXPECT_EQ(lines.GetAt(1), pB);
    EXPECT_EQ(lines.GetRedoCount(), 0);
    // Redo draws the stroke it brings back, and only that one.
    const RECT rcInk = canvas.InkBox(kWhite);
    EXPECT_GE(rcInk.left, rcB.left);
    EXPECT_LE(rcInk.right, rcB.right);
    EXPECT_GT(canvas.CountOther(kWhite), 0);
}

TEST(StrokeListUndo, UndoTakesTheNewestFirstAndRedoRestoresTheOrder) {
    CLines lines;
    lines.Add(StrokeA());
    lines.Add(StrokeB());
    lines.Add(StrokeC());
    CLine* p[3] = {lines.GetAt(0), lines.GetAt(1), lines.GetAt(2)};
    lines.Undo();
    lines.Undo();
    EXPECT_EQ(lines.GetAt(0), p[0]);
    lines.Redo(nullptr);
    lines.Redo(nullptr);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(lines.GetAt(i), p[i]) << "stroke " << i;
}

TEST(StrokeListUndo, UndoOnEmptyAndRedoWithEmptyStackChangeNothing) {
    CLines lines;
    EXPECT_EQ(lines.Undo(), RECT{});
    EXPECT_EQ(lines.Redo(nullptr), RECT{});
    lines.Add(StrokeA());
    EXPECT_EQ(lines.Redo(nullptr), RECT{});
    EXPECT_EQ(lines.GetCount(), 1);
}

TEST(StrokeListUndo, ClearRedoAndRemoveAllEmptyTheirArrays) {
    CLines lines;
    lines.Add(StrokeA());
    lines.Add(StrokeB());
    lines.Undo();
    lines.RemoveAll();
    EXPECT_EQ(lines.GetCount(), 0);
    EXPECT_EQ(lines.GetRedoCount(), 1);
    lines.ClearRedo();
    EXPECT_EQ(lines.GetRedoCount(), 0);
    EXPECT_THROW(lines.GetAt(0), std::out_of_range);
}

TEST(EraseByLast, EnclosedStrokesAreRemovedAndTheUnionOfTheirReachReturned) {
    CLines lines;
    lines.Add(StrokeA());
    lines.Add(StrokeB());
    lines.Add(StrokeC());
    CLine* pC = lines.GetAt(2);
    RECT rcExpected;
    const RECT rcA = Inflated(lines.GetAt(0)->GetBound(), 5);
    const RECT rcB = Inflated(lines.GetAt(1)->GetBound(), CSMLine::kStampReach);
    UnionRect(&rcExpected, &rcA, &rcB);
    lines.Add(ClosedEraser());
    EXPECT_EQ(lines.EraseByLast(), rcExpected);
    ASSERT_EQ(lines.GetCount(), 1);
    EXPECT_EQ(lines.GetAt(0), pC);
}

// A square standing on its corner, and a round loop: what lies in the corners of their bounds
// stays, what they enclose or cross goes.
TEST(EraseByLast, DiagonalLoopTakesWhatItEnclosesAndLeavesItsBoundsCorners) {
    CLines lines;
    lines.Add(MakeStroke(kToolBrush, 1, 0, {{66, 58, 300}, {74, 62, 300}}));
    lines.Add(MakeStroke(kToolPencil, 0, 0, {{26, 16, 1}, {30, 18, 1}}));
    lines.Add(MakeStroke(kToolPencil, 0, 0, {{112, 104, 2}, {116, 100, 2}}));
    lines.Add(MakeStroke(kToolPencil, 0, 0, {{95, 20, 1}, {95, 50, 1}}));
    CLine* pCorner1 = lines.GetAt(1);
    CLine* pCorner2 = lines.GetAt(2);
    RECT rcExpected;
    const RECT rcInside = Inflated(lines.GetAt(0)->GetBound(), CSMLine::kStampReach);
    const RECT rcCrossing = Inflated(lines.GetAt(3)->GetBound(), 5);
    UnionRect(&rcExpected, &rcInside, &rcCrossing);
    lines.Add(Eraser({{120, 60, 1}, {70, 110, 1}, {20, 60, 1}, {70, 10, 1}, {120, 60, 1}}));
    EXPECT_EQ(lines.EraseByLast(), rcExpected);
    ASSERT_EQ(lines.GetCount(), 2);
    EXPECT_EQ(lines.GetAt(0), pCorner1);
    EXPECT_EQ(lines.GetAt(1), pCorner2);
}

TEST(EraseByLast, RoundLoopTakesWhatItEnclosesAndLeavesItsBoundsCorners) {
    CLines lines;
    lines.Add(MakeStroke(kToolBrush, 1, 0, {{60, 50, 200}, {80, 70, 200}}));
    lines.Add(MakeStroke(kToolPencil, 0, 0, {{26, 18, 1}, {30, 20, 1}}));
    lines.Add(MakeStroke(kToolPencil, 0, 0, {{70, 2, 1}, {70, 16, 1}}));
    CLine* pCorner = lines.GetAt(1);
    RECT rcExpected;
    const RECT rcInside = Inflated(lines.GetAt(0)->GetBound(), CSMLine::kStampReach);
    const RECT rcCrossing = Inflated(lines.GetAt(2)->GetBound(), 5);
    UnionRect(&rcExpected, &rcInside, &rcCrossing);
    auto pEraser = std::make_unique<CLine>();
    pEraser->SetTool(kToolEraser, 1);
    for (int k = 0; k <= 36; ++k)
        pEraser->AddPoint(70 + static_cast<int>(std::lround(50 * std::cos(k * 3.14159265 / 18))),
                          60 + static_cast<int>(std::lround(50 * std::sin(k * 3.14159265 / 18))),
                          1);
    lines.Add(std::move(pEraser));
    EXPECT_EQ(lines.EraseByLast(), rcExpected);
    ASSERT_EQ(lines.GetCount(), 1);
    EXPECT_EQ(lines.GetAt(0), pCorner);
}

TEST(EraseByLast, CrossedStrokeIsRemoved) {
    CLines lines;
    lines.Add(StrokeA());
    lines.Add(StrokeC());
    const RECT rcA = Inflated(lines.GetAt(0)->GetBound(), 5);
    lines.Add(Eraser({{50, 0, 100}, {50, 200, 100}}));
    EXPECT_EQ(lines.EraseByLast(), rcA);
    ASSERT_EQ(lines.GetCount(), 1);
    EXPECT_EQ(lines.GetAt(0)->GetBound(), StrokeC()->GetBound());
}

TEST(EraseByLast, EraserThatTouchesNothingLeavesEveryStroke) {
    CLines lines;
    lines.Add(StrokeA());
    lines.Add(StrokeB());
    lines.Add(StrokeC());
    lines.Add(Eraser({{200, 200, 100}, {260, 200, 100}, {260, 260, 100}, {200, 200, 100}}));
    EXPECT_EQ(lines.EraseByLast(), RECT{});
    EXPECT_EQ(lines.GetCount(), 3);
}

TEST(EraseByLast, OpenEraserPathEnclosesNothing) {
    CLines lines;
    lines.Add(StrokeA());
    lines.Add(StrokeB());
    // A U around both strokes, open at the top.
    lines.Add(Eraser({{20, 20, 100}, {20, 100, 100}, {120, 100, 100}, {120, 20, 100}}));
    EXPECT_EQ(lines.EraseByLast(), RECT{});
    EXPECT_EQ(lines.GetCount(), 2);
}

TEST(EraseByLast, EraseDoesNotTouchTheRedoStack) {
    CLines lines;
    lines.Add(StrokeA());
    lines.Add(StrokeC());
    lines.Undo();
    lines.Add(ClosedEraser());
    lines.EraseByLast();
    EXPECT_EQ(lines.GetCount(), 0);
    EXPECT_EQ(lines.GetRedoCount(), 1);
}

TEST(StrokeListBounds, InkAndMarkerBoundsSeparateTheMarker) {
    CLines lines;
    lines.Add(MakeStroke(kToolMarker, 0, 0, {{100, 100, 12}, {150, 110, 12}}));
    lines.Add(MakeStroke(kToolMarker, 0, 0, {{10, 200, 12}}));
    EXPECT_EQ(lines.GetInkBound(), RECT{});
    EXPECT_EQ(lines.GetMarkerBound(), (RECT{5, 95, 155, 205}));
    lines.Add(StrokeA());
    lines.Add(StrokeB());
    RECT rcInk;
    const RECT rcA = lines.GetAt(2)->GetBound(), rcB = lines.GetAt(3)->GetBound();
    UnionRect(&rcInk, &rcA, &rcB);
    EXPECT_EQ(lines.GetInkBound(), rcInk);
    EXPECT_EQ(lines.GetMarkerBound(), (RECT{5, 95, 155, 205}));
    RECT rcAll;
    const RECT rcMarker = lines.GetMarkerBound();
    UnionRect(&rcAll, &rcInk, &rcMarker);
    EXPECT_EQ(lines.GetBound(), rcAll);
}

TEST(StrokeListBounds, EmptyListHasNullBounds) {
    CLines lines;
    EXPECT_EQ(lines.GetBound(), RECT{});
    EXPECT_EQ(lines.GetInkBound(), RECT{});
    EXPECT_EQ(lines.GetMarkerBound(), RECT{});
}

TEST(EraseByLast, EraserTooLargeForAMaskIsDroppedAndErasesNothing) {
    CLines lines;
    lines.Add(StrokeA());
    lines.Add(Eraser({{-100000000, -100000000, 100},
                      {100000000, -100000000, 100},
                      {100000000, 100000000, 100},
                      {-100000000, -100000000, 100}}));
    EXPECT_EQ(lines.EraseByLast(), RECT{});
    ASSERT_EQ(lines.GetCount(), 1);
    EXPECT_EQ(lines.GetAt(0)->GetTool(), kToolPencil);
}

namespace {

// The strokes drawn one after another on a fresh page.
std::unique_ptr<CDibCanvas> DrawnPage(const CLines& lines) {
    auto pPage = std::make_unique<CDibCanvas>(260, 220, RGB(250, 250, 240));
    for (int i = 0; i < lines.GetCount(); ++i)
        lines.GetAt(i)->Draw(pPage->Dc());
    return pPage;
}

// Every pixel that differs between the two pages lies in rcRepaint, and some do.
void ExpectChangesWithin(const CDibCanvas& before, const CDibCanvas& after, const RECT& rcRepaint,
                         const char* pszWhat) {
    int nChanged = 0;
    for (int y = 0; y < before.Height(); ++y)
        for (int x = 0; x < before.Width(); ++x) {
            if (before.Pixel(x, y) == after.Pixel(x, y))
                continue;
            ++nChanged;
            const POINT pt{x, y};
            ASSERT_TRUE(PtInRect(&rcRepaint, pt))
                << pszWhat << ": pixel " << x << "," << y << " changed outside the rectangle";
        }
    EXPECT_GT(nChanged, 0) << pszWhat;
}

} // namespace

// Undo, redo and erase hand back the page rectangle to repaint: it holds every pixel they
// change, the faint outer stamps of heavy brush strokes included.
TEST(StrokeListRepaint, UndoRedoAndEraseReturnEveryPixelTheyChange) {
    CLines lines;
    lines.Add(MakeStroke(kToolPencil, 0, 0, {{20, 20, 5}, {60, 30, 5}}));
    lines.Add(MakeStroke(kToolBrush, 1, RGB(0, 0, 128),
                         {{40, 80, 511}, {90, 84, 511}, {140, 80, 511}, {190, 86, 511}}));
    lines.Add(MakeStroke(kToolBrush, 1, RGB(90, 0, 0),
                         {{60, 190, 511}, {100, 150, 511}, {140, 110, 511}, {180, 70, 511}}));
    const auto pAll = DrawnPage(lines);
    const RECT rcUndo = lines.Undo();
    const auto pUndone = DrawnPage(lines);
    ExpectChangesWithin(*pAll, *pUndone, rcUndo, "undo");
    const auto pRedone = DrawnPage(lines);
    const RECT rcRedo = lines.Redo(pRedone->Dc());
    ExpectChangesWithin(*pUndone, *pRedone, rcRedo, "redo");
    // A line down across both brush strokes, clear of the pencil stroke.
    lines.Add(Eraser({{120, 40, 100}, {120, 200, 100}}));
    const RECT rcErase = lines.EraseByLast();
    ASSERT_EQ(lines.GetCount(), 1);
    ExpectChangesWithin(*pAll, *DrawnPage(lines), rcErase, "erase");
}
