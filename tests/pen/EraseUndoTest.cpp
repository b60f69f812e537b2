#include "CanvasTestAccess.h"
#include "DibCanvas.h"
#include "FakeCanvas.h"
#include "PenRules.h"

#include <gtest/gtest.h>

namespace {
std::vector<POINT> Box(int l, int t, int r, int b) {
    std::vector<POINT> v;
    for (int x = l; x <= r; x += 10)
        v.push_back({x, t});
    for (int y = t; y <= b; y += 10)
        v.push_back({r, y});
    for (int x = r; x >= l; x -= 10)
        v.push_back({x, b});
    for (int y = b; y >= t; y -= 10)
        v.push_back({l, y});
    return v;
}

// The page painted afresh: paper, then every stroke once (a stroke drawn live by the pen may
// differ from its redraw in the last bits).
void PaintPageAfresh(CFakeCanvas& c, HDC hdc) {
    COwnedBrush brush(CreateSolidBrush(kPaper));
    const RECT rc{0, 0, 1280, 2048};
    FillRect(hdc, &rc, brush.Get());
    c.m_lines.DrawAll(hdc);
}

// The pixels of the page that differ, over the area, from the page painted afresh.
int DifferencesFromAFreshPage(CFakeCanvas& c, RECT rc) {
    CDibCanvas fresh(1280, 2048, kPaper, 24, true);
    PaintPageAfresh(c, fresh.Dc());
    int nDiffer = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            nDiffer += c.PagePixel(x, y) != fresh.Pixel(x, y);
    return nDiffer;
}

bool PageHasInkIn(const CFakeCanvas& c, RECT rc) {
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (c.PagePixel(x, y) != kPaper)
                return true;
    return false;
}
} // namespace

TEST(Erasing, TheEraserRemovesTheStrokesItEnclosesOrCrossesAndRepaintsOnlyThere) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.Stroke({{60, 60}, {80, 70}, {100, 60}}, 600);    // enclosed
    canvas.Stroke({{150, 40}, {150, 90}, {150, 140}}, 600); // crossed by the right edge
    canvas.Stroke({{300, 60}, {320, 70}, {340, 60}}, 600);  // far away
    ASSERT_EQ(canvas.m_lines.GetCount(), 3);
    const int nModified = canvas.m_nModified;
    canvas.SelectTool(kToolEraser);
    canvas.Stroke(Box(40, 40, 150, 110), 600);
    ASSERT_EQ(canvas.m_lines.GetCount(), 1);
    EXPECT_EQ(canvas.m_lines.GetAt(0)->GetPoint(0).x, 300);
    EXPECT_EQ(canvas.m_nModified, nModified + 1);
    ASSERT_EQ(canvas.m_repaints.size(), 1u);
    const RECT& rc = canvas.m_repaints[0];
    EXPECT_LE(rc.left, 50);
    EXPECT_GE(rc.right, 150);
    EXPECT_LE(rc.top, 35);
    EXPECT_GE(rc.bottom, 145);
    EXPECT_LT(rc.right, 300);
    EXPECT_FALSE(PageHasInkIn(canvas, {40, 30, 170, 150}));
    EXPECT_TRUE(PageHasInkIn(canvas, {295, 55, 345, 75}));
}

TEST(Erasing, AnEraserStrokeTouchingNothingOnlyInvalidates) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.Stroke({{300, 60}, {320, 70}, {340, 60}}, 600);
    canvas.SelectTool(kToolEraser);
    canvas.Stroke(Box(40, 40, 150, 110), 600);
    EXPECT_EQ(canvas.m_lines.GetCount(), 1);
    EXPECT_EQ(canvas.m_nModified, 1);
    EXPECT_TRUE(canvas.m_repaints.empty());
}

TEST(UndoRedo, UndoTwiceRedoOnceThenANewStrokeDropsTheRemainingUndoneStroke) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.Stroke({{50, 60}, {80, 60}, {110, 60}}, 600);
    canvas.Stroke({{50, 160}, {80, 160}, {110, 160}}, 600);
    canvas.Stroke({{50, 260}, {80, 260}, {110, 260}}, 600);
    canvas.OnPenCommand(ID_EDIT_UNDO_STROKE);
    EXPECT_FALSE(PageHasInkIn(canvas, {40, 250, 120, 270}));
    EXPECT_TRUE(PageHasInkIn(canvas, {40, 150, 120, 170}));
    canvas.OnPenCommand(ID_EDIT_UNDO_STROKE);
    EXPECT_FALSE(PageHasInkIn(canvas, {40, 150, 120, 170}));
    EXPECT_TRUE(CCanvasTestAccess::ClearsRedo(canvas));
    EXPECT_EQ(canvas.m_lines.GetCount(), 1);
    EXPECT_EQ(canvas.m_lines.GetRedoCount(), 2);
    canvas.OnPenCommand(ID_EDIT_REDO_STROKE);
    EXPECT_TRUE(PageHasInkIn(canvas, {40, 150, 120, 170}));
    EXPECT_EQ(canvas.m_lines.GetCount(), 2);
    EXPECT_EQ(canvas.m_lines.GetRedoCount(), 1);
    EXPECT_TRUE(CCanvasTestAccess::ClearsRedo(canvas));
    canvas.Stroke({{50, 360}, {80, 360}, {110, 360}}, 600);
    EXPECT_EQ(canvas.m_lines.GetCount(), 3);
    EXPECT_EQ(canvas.m_lines.GetRedoCount(), 0);
    EXPECT_FALSE(CCanvasTestAccess::ClearsRedo(canvas));
    canvas.OnPenCommand(ID_EDIT_REDO_STROKE);
    EXPECT_EQ(canvas.m_lines.GetCount(), 3);
    EXPECT_FALSE(PageHasInkIn(canvas, {40, 250, 120, 270}));
}

TEST(UndoRedo, UndoOnAnEmptyPageChangesNothing) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.OnPenCommand(ID_EDIT_UNDO_STROKE);
    EXPECT_FALSE(CCanvasTestAccess::ClearsRedo(canvas));
    EXPECT_TRUE(canvas.m_repaints.empty());
    canvas.OnPenCommand(ID_EDIT_REDO_STROKE);
    EXPECT_EQ(canvas.m_lines.GetCount(), 0);
}

TEST(UndoRedo, UndoRepaintsOnlyTheStrokesAreaInflatedBySeven) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.Stroke({{50, 60}, {80, 60}, {110, 60}}, 600);
    const RECT rcBound = canvas.m_lines.GetAt(0)->GetPaintBound();
    canvas.OnPenCommand(ID_EDIT_UNDO_STROKE);
    ASSERT_EQ(canvas.m_repaints.size(), 1u);
    EXPECT_EQ(canvas.m_repaints[0].left, rcBound.left - 7);
    EXPECT_EQ(canvas.m_repaints[0].bottom, rcBound.bottom + 7);
}

// Brush ink blends into what lies under it: undoing or erasing a stroke beside a brush stroke
// must repaint the brush stroke's pixels once, inside the repainted area and outside it alike.
TEST(UndoRedo, UndoAndEraseBesideABrushStrokeLeaveItAsAFreshPageShowsIt) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.SelectTool(kToolBrush);
    canvas.Stroke({{40, 100}, {120, 104}, {200, 100}, {280, 108}}, 600);
    canvas.Stroke({{60, 116}, {140, 120}, {220, 116}}, 600);
    PaintPageAfresh(canvas, canvas.m_dcPage.Get());
    canvas.OnPenCommand(ID_EDIT_UNDO_STROKE);
    ASSERT_EQ(canvas.m_lines.GetCount(), 1);
    EXPECT_EQ(DifferencesFromAFreshPage(canvas, {0, 60, 320, 160}), 0);

    canvas.Stroke({{60, 124}, {140, 128}, {220, 124}}, 600);
    PaintPageAfresh(canvas, canvas.m_dcPage.Get());
    canvas.SelectTool(kToolEraser);
    canvas.Stroke(Box(100, 120, 180, 140), 600);
    ASSERT_EQ(canvas.m_lines.GetCount(), 1);
    EXPECT_EQ(DifferencesFromAFreshPage(canvas, {0, 60, 320, 160}), 0);
}
