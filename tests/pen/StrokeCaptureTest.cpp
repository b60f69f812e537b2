#include "CanvasTestAccess.h"
#include "FakeCanvas.h"
#include "PenRules.h"

#include <gtest/gtest.h>

namespace {
// Whether a pixel within two of (x, y) on the page is of colour cr (within a tolerance).
bool PageInkNear(const CFakeCanvas& c, int x, int y, COLORREF cr, int nTolerance = 40) {
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (ColorDistance(c.PagePixel(x + dx, y + dy), cr) <= nTolerance)
                return true;
    return false;
}

std::vector<POINT> Line(POINT from, POINT to, int nSteps) {
    std::vector<POINT> v;
    for (int i = 0; i <= nSteps; ++i)
        v.push_back({from.x + (to.x - from.x) * i / nSteps, from.y + (to.y - from.y) * i / nSteps});
    return v;
}
} // namespace

TEST(StrokeCapture, APencilStrokeLandsOnThePageUnderTheCursorInThePenColour) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.Stroke(Line({50, 60}, {250, 60}, 40), 600);
    ASSERT_EQ(canvas.m_lines.GetCount(), 1);
    const CLine& line = *canvas.m_lines.GetAt(0);
    EXPECT_EQ(line.GetTool(), kToolPencil);
    EXPECT_TRUE(line.IsSmooth());
    EXPECT_EQ(line.GetColor(), kDefaultPenColor);
    ASSERT_EQ(line.GetPointCount(), 41);
    for (int i = 0; i < 41; ++i) {
        EXPECT_EQ(line.GetPoint(i).x, 50 + 5 * i) << "sample " << i;
        EXPECT_EQ(line.GetPoint(i).y, 60) << "sample " << i;
        EXPECT_EQ(line.GetPoint(i).nWidth, 160) << "sample " << i;
    }
    for (int x = 70; x <= 230; x += 20)
        EXPECT_TRUE(PageInkNear(canvas, x, 60, kDefaultPenColor)) << "page x " << x;
    EXPECT_EQ(canvas.PagePixel(150, 90), kPaper);
    EXPECT_EQ(canvas.PagePixel(150, 40), kPaper);
    EXPECT_EQ(canvas.m_nModified, 1);
    EXPECT_TRUE(canvas.HasInk());
    EXPECT_FALSE(CCanvasTestAccess::IsDrawing(canvas));
}

TEST(StrokeCapture, TheLiveScreenInkIsWhereTheCursorWas) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.Stroke(Line({50, 100}, {250, 100}, 40), 600);
    EXPECT_LE(ColorDistance(canvas.ScreenPixel(150, 100), kDefaultPenColor), 60);
}

TEST(StrokeCapture, AtZoomTwoWithScrollingSamplesAreInPageCoordinates) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.m_fZoom = 2.0f;
    canvas.m_ptScroll = {40, 101};
    canvas.Stroke(Line({51, 60}, {251, 60}, 20), 600);
    ASSERT_EQ(canvas.m_lines.GetCount(), 1);
    const CLine& line = *canvas.m_lines.GetAt(0);
    ASSERT_EQ(line.GetPointCount(), 21);
    EXPECT_EQ(line.GetPoint(0).x, 45);
    EXPECT_EQ(line.GetPoint(0).y, 80);
    EXPECT_EQ(line.GetPoint(20).x, 145);
    EXPECT_TRUE(PageInkNear(canvas, 95, 80, kDefaultPenColor));
    EXPECT_EQ(canvas.PagePixel(95, 60), kPaper);
}

TEST(StrokeCapture, BrushWeightIsTheNormalisedPressureTimesLevelOverFive) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.SelectTool(kToolBrush);
    canvas.Stroke(Line({50, 60}, {150, 60}, 10), 1022);
    ASSERT_EQ(canvas.m_lines.GetCount(), 1);
    const CLine& line = *canvas.m_lines.GetAt(0);
    EXPECT_EQ(line.GetTool(), kToolBrush);
    EXPECT_EQ(line.GetPoint(0).nWidth, 511 * 2 / 5);
    canvas.SetThickness(kToolBrush, 5);
    canvas.Stroke(Line({50, 160}, {150, 160}, 10), 1023);
    EXPECT_EQ(canvas.m_lines.GetAt(1)->GetPoint(3).nWidth, 511);
}

TEST(StrokeCapture, MarkerInkMasksThePaperWithThePenColour) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.SetThickness(kToolMarker, 5);
    canvas.Stroke(Line({50, 60}, {250, 60}, 10), 600);
    ASSERT_EQ(canvas.m_lines.GetCount(), 1);
    const CLine& line = *canvas.m_lines.GetAt(0);
    EXPECT_EQ(line.GetTool(), kToolMarker);
    EXPECT_FALSE(line.IsSmooth());
    EXPECT_TRUE(line.IsMask());
    EXPECT_EQ(line.GetPoint(4).nWidth, 10);
    EXPECT_EQ(canvas.PagePixel(150, 60), kPaper & kDefaultPenColor);
    EXPECT_EQ(canvas.PagePixel(150, 64), kPaper & kDefaultPenColor);
    EXPECT_EQ(canvas.PagePixel(150, 67), kPaper);
}

TEST(StrokeCapture, WithoutTheMouseButtonDownNothingIsWritten) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    CCanvasTestAccess::MouseDown(canvas) = false;
    canvas.Stroke(Line({50, 60}, {250, 60}, 10), 600);
    EXPECT_EQ(canvas.m_lines.GetCount(), 0);
    EXPECT_EQ(canvas.PagePixel(150, 60), kPaper);
}

TEST(StrokeCapture, ASampleRepeatingTheLastPositionAddsNothing) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.Stroke({{50, 60}, {60, 60}, {60, 60}, {60, 60}, {70, 62}}, 600);
    ASSERT_EQ(canvas.m_lines.GetCount(), 1);
    EXPECT_EQ(canvas.m_lines.GetAt(0)->GetPointCount(), 3);
}

TEST(StrokeCapture, LeavingTheCanvasMidStrokeEndsItOnce) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.Feed(TBN_DOWN, 50, 60, 600);
    canvas.Feed(TBN_NONE, 30, 60, 600);
    canvas.Feed(TBN_NONE, 10, 60, 600);
    canvas.Feed(TBN_NONE, -10, 60, 600);
    EXPECT_EQ(canvas.m_lines.GetCount(), 1);
    EXPECT_FALSE(CCanvasTestAccess::IsDrawing(canvas));
    EXPECT_TRUE(CCanvasTestAccess::HasLeftCanvas(canvas));
    canvas.Feed(TBN_NONE, -30, 60, 600);
    canvas.Feed(TBN_UP, -40, 60, 0);
    EXPECT_EQ(canvas.m_lines.GetCount(), 1);
    EXPECT_EQ(canvas.m_lines.GetAt(0)->GetPointCount(), 3);
    EXPECT_EQ(canvas.m_nModified, 1);
    // The next stroke that leaves the canvas ends just the same.
    canvas.Feed(TBN_DOWN, 50, 160, 600);
    canvas.Feed(TBN_NONE, 10, 160, 600);
    canvas.Feed(TBN_NONE, -10, 160, 600);
    EXPECT_EQ(canvas.m_lines.GetCount(), 2);
    EXPECT_FALSE(CCanvasTestAccess::IsDrawing(canvas));
}

TEST(StrokeCapture, ThePenLiftingEndsTheStrokeWhereverTheMouseIs) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.Feed(TBN_DOWN, 50, 60, 600);
    canvas.Feed(TBN_NONE, 80, 60, 600);
    canvas.Feed(TBN_NONE, 90, 60, 0);
    EXPECT_EQ(canvas.m_lines.GetCount(), 1);
    canvas.Feed(TBN_NONE, 100, 60, 0);
    EXPECT_EQ(canvas.m_lines.GetCount(), 1);
}

TEST(ToolCommands, ToolAndWidthCommandsSetToolLevelAndCursor) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    EXPECT_EQ(canvas.Tool(), kToolPencil);
    EXPECT_TRUE(canvas.OnPenCommand(ID_TOOL_BRUSH));
    EXPECT_EQ(canvas.Tool(), kToolBrush);
    EXPECT_NE(CCanvasTestAccess::ToolCursor(canvas), nullptr);
    EXPECT_TRUE(canvas.OnPenCommand(ID_TOOL_ERASER));
    EXPECT_EQ(canvas.Tool(), kToolEraser);
    EXPECT_TRUE(canvas.OnPenCommand(ID_TOOL_PICTURE));
    EXPECT_EQ(canvas.Tool(), kToolPicture);
    EXPECT_EQ(canvas.PenCursor(), nullptr);
    canvas.SetThickness(kToolMarker, 4);
    EXPECT_EQ(canvas.Tool(), kToolMarker);
    EXPECT_EQ(canvas.LevelOf(kToolMarker), 4);
    canvas.SetThickness(kToolPencil, 9);
    EXPECT_EQ(canvas.LevelOf(kToolPencil), 5);
    EXPECT_FALSE(canvas.OnPenCommand(1081));
}

TEST(ToolCursor, IsACircleOfThePenColourOnATransparentSquare) {
    FakeTablet tablet;
    CFakeCanvas canvas(tablet);
    canvas.SetPenColor(RGB(200, 30, 40));
    canvas.SetThickness(kToolPencil, 5);
    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(CCanvasTestAccess::ToolCursor(canvas), &ii));
    const int cx = GetSystemMetrics(SM_CXCURSOR), cy = GetSystemMetrics(SM_CYCURSOR);
    EXPECT_EQ(ii.xHotspot, DWORD(cx / 2 - 3));
    EXPECT_EQ(ii.yHotspot, DWORD(cy / 2 - 3));
    CMemoryDC dc;
    {
        CSelectScope sel(dc.Get(), ii.hbmColor);
        EXPECT_EQ(GetPixel(dc.Get(), cx / 2, cy / 2), RGB(200, 30, 40));
        EXPECT_EQ(GetPixel(dc.Get(), cx / 2 + 8, cy / 2), RGB(128, 128, 128));
        EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0, 0, 0));
    }
    {
        CSelectScope sel(dc.Get(), ii.hbmMask);
        EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(dc.Get(), cx / 2, cy / 2), RGB(0, 0, 0));
    }
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
}

// A tablet of 128 pressure levels: every tool writes, and the pencil exactly as on 256 levels.
TEST(StrokeCapture, ATabletOfFewLevelsWritesWithEveryToolAndThePencilAsOnAFullOne) {
    std::vector<COLORREF> pencil[2];
    for (LONG nAxisMax : {255, 127}) {
        FakeTablet tablet;
        tablet.nAxisMax = nAxisMax;
        CFakeCanvas canvas(tablet);
        for (int nTool : {kToolPencil, kToolBrush, kToolMarker}) {
            canvas.SelectTool(nTool);
            const int y = 60 + 40 * nTool;
            canvas.Stroke(Line({50, y}, {250, y}, 20), UINT(nAxisMax));
            EXPECT_TRUE(PageInkNear(canvas, 150, y, kDefaultPenColor, 60))
                << "axis maximum " << nAxisMax << ", tool " << nTool;
        }
        ASSERT_EQ(canvas.m_lines.GetCount(), 3);
        EXPECT_EQ(canvas.m_lines.GetAt(0)->GetPoint(0).nWidth, 80) << "axis maximum " << nAxisMax;
        for (int y = 130; y <= 150; ++y)
            for (int x = 40; x <= 260; ++x)
                pencil[nAxisMax == 127].push_back(canvas.PagePixel(x, y));
    }
    EXPECT_EQ(pencil[1], pencil[0]) << "the pencil's pixels";
}
