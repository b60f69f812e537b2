// The virtual tablet writes into the real program: strokes of every tool land where the cursor
// was, on the screen and in the saved note, at zoom 1 and 2; erasing, undo and redo.
#include <gtest/gtest.h>

#include "PenSession.h"

namespace {
using namespace LetterPanel;

bool IsInk(COLORREF cr) {
    return ColorDistance(cr, kPaperColor) >= 80;
}

void ExpectRow(const SavedStroke& s, int nTool, int x0, int nStep, int y, short nWeight,
               size_t nPoints, const char* pszWhat) {
    EXPECT_EQ(s.nTool, nTool) << pszWhat;
    EXPECT_EQ(s.crColor, kPenColor) << pszWhat;
    EXPECT_EQ(s.nSmooth, nTool == 4 ? 0 : 1) << pszWhat;
    EXPECT_EQ(s.nMask, nTool == 4 ? 1 : 0) << pszWhat;
    ASSERT_EQ(s.points.size(), nPoints) << pszWhat;
    for (size_t i = 0; i < nPoints; ++i) {
        EXPECT_EQ(s.points[i].x, x0 + nStep * int(i)) << pszWhat << ", sample " << i;
        EXPECT_EQ(s.points[i].y, y) << pszWhat << ", sample " << i;
        EXPECT_EQ(s.weights[i], nWeight) << pszWhat << ", sample " << i;
    }
}
} // namespace

TEST(PenWriting, EveryToolWritesWhereTheCursorWasAndTheNoteKeepsItsSamples) {
    CPenSession session;
    session.AddChapter(HorizontalStroke(100, 300, 60, 20));
    session.AddChapter(HorizontalStroke(100, 300, 160, 20));
    session.AddChapter(HorizontalStroke(100, 300, 260, 20));
    session.AddChapter("down 500 40 700\nline 500 40 500 -30 7 700\nup 500 -30");
    session.AddChapter(HorizontalStroke(100, 300, 400, 20));
    ASSERT_TRUE(session.Start(L"native,builtin"));

    ASSERT_TRUE(session.RunChapter(0));
    EXPECT_TRUE(session.WaitForPixel(200, 60, kPenColor, 60)) << "pencil ink on the screen";
    session.ClickPanel(kBrush);
    ASSERT_TRUE(session.RunChapter(1));
    EXPECT_TRUE(IsInk(session.ViewPixel(200, 160))) << "brush ink on the screen";
    session.ClickPanel(kMarker);
    ASSERT_TRUE(session.RunChapter(2));
    EXPECT_EQ(session.ViewPixel(200, 260), kPaperColor & kPenColor) << "marker masks the paper";
    session.ClickPanel(kPencil);
    ASSERT_TRUE(session.RunChapter(3));
    session.ClickPanel(kZoomIn);
    ASSERT_TRUE(session.RunChapter(4));
    EXPECT_TRUE(session.WaitForPixel(200, 400, kPenColor, 60)) << "pencil ink at zoom 2";
    // Shown again from the page bitmap, the ink stays where it was written.
    RedrawWindow(session.m_hView, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(session.WaitForPixel(200, 400, kPenColor, 80)) << "page ink at zoom 2";
    EXPECT_TRUE(IsInk(session.ViewPixel(200, 120))) << "the first stroke, zoomed to y 120";

    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(session.SaveAndRead(strokes));
    ASSERT_EQ(strokes.size(), 5u);
    ExpectRow(strokes[0], 2, 100, 10, 60, 160, 21, "pencil");
    ExpectRow(strokes[1], 3, 100, 10, 160, 140, 21, "brush");
    ExpectRow(strokes[2], 4, 100, 10, 260, 4, 21, "marker");
    // Leaving the canvas ended the stroke once, at the last sample on the canvas.
    ASSERT_EQ(strokes[3].points.size(), 5u);
    EXPECT_EQ(strokes[3].points[0].y, 40);
    EXPECT_EQ(strokes[3].points[4].y, 0);
    ExpectRow(strokes[4], 2, 50, 5, 200, 160, 21, "pencil at zoom 2");
}

TEST(PenWriting, EraserUndoAndRedoChangeOnlyWhatTheyShould) {
    CPenSession session;
    session.AddChapter(HorizontalStroke(100, 200, 60, 10));
    session.AddChapter(HorizontalStroke(100, 200, 160, 10));
    session.AddChapter(HorizontalStroke(100, 200, 260, 10));
    session.AddChapter(HorizontalStroke(100, 200, 360, 10));
    session.AddChapter("down 80 40 700\nline 80 40 220 40 14 700\nline 220 40 220 80 4 700\n"
                       "line 220 80 80 80 14 700\nline 80 80 80 40 4 700\nup 80 40");
    ASSERT_TRUE(session.Start(L"native,builtin"));
    for (size_t i = 0; i < 3; ++i)
        ASSERT_TRUE(session.RunChapter(i));
    ASSERT_TRUE(session.WaitForPixel(150, 260, kPenColor, 60));

    session.ClickPanel(kUndo);
    session.ClickPanel(kUndo);
    EXPECT_TRUE(session.WaitForPixel(150, 260, kPaperColor, 8)) << "third stroke undone";
    EXPECT_TRUE(session.WaitForPixel(150, 160, kPaperColor, 8)) << "second stroke undone";
    EXPECT_TRUE(IsInk(session.ViewPixel(150, 60))) << "first stroke stays";
    session.ClickPanel(kRedo);
    EXPECT_TRUE(session.WaitForPixel(150, 160, kPenColor, 60)) << "second stroke redone";

    ASSERT_TRUE(session.RunChapter(3));
    session.ClickPanel(kRedo);
    Sleep(300);
    EXPECT_EQ(session.ViewPixel(150, 260), kPaperColor) << "the undone third stroke is gone";

    session.ClickPanel(kEraser);
    ASSERT_TRUE(session.RunChapter(4));
    EXPECT_TRUE(session.WaitForPixel(150, 60, kPaperColor, 8)) << "enclosed stroke erased";
    EXPECT_TRUE(session.WaitForPixel(150, 40, kPaperColor, 8)) << "the eraser path vanishes";
    EXPECT_TRUE(IsInk(session.ViewPixel(150, 160))) << "strokes outside the eraser stay";
    EXPECT_TRUE(IsInk(session.ViewPixel(150, 360)));

    std::vector<SavedStroke> strokes;
    ASSERT_TRUE(session.SaveAndRead(strokes));
    ASSERT_EQ(strokes.size(), 2u);
    ExpectRow(strokes[0], 2, 100, 10, 160, 160, 11, "second stroke");
    ExpectRow(strokes[1], 2, 100, 10, 360, 160, 11, "fourth stroke");
}
