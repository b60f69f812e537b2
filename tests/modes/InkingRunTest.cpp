// A writing run of inking mode in the program's own process: Start to write freezes the screen,
// strokes are plain lines in screen pixels on the overlay, Inking hands them over once the
// overlay is gone, Cancel drops them; either way no stroke and no redo is left. Without the
// bridge, or when it places nothing, the ink stays on the screen.
#include <gtest/gtest.h>

#include "ModesFixture.h"

namespace {
constexpr COLORREF kPen = 0x800000;

class InkingRun : public CModesFixture {
protected:
    void SetUp() override {
        CModesFixture::SetUp();
        m_pFrame->OnInkingMode();
        ASSERT_EQ(m_pFrame->m_nMode, 2);
    }
    void WriteTwoStrokes() {
        InkingStroke({300, 300}, {500, 300}, 10);
        m_pFrame->RouteCommand(ID_TOOL_MARKER);
        InkingStroke({300, 400}, {500, 400}, 10);
    }
};
} // namespace

TEST_F(InkingRun, StrokesArePlainLinesOnTheFrozenScreenAndGoOverOnceTheOverlayIsGone) {
    CColourWindow white({200, 200, 600, 500}, RGB(255, 255, 255));
    InkingStroke({300, 250}, {500, 250}, 10);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0) << "no run, no ink";
    View().StartWriting();
    ASSERT_TRUE(View().m_bInkArmed);
    HWND hwndOverlay = m_pView->GetOverlay()->m_hWnd;
    ASSERT_TRUE(IsWindowVisible(hwndOverlay));
    WriteTwoStrokes();
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 2);
    const CLine& pencil = *m_pDoc->m_lines.GetAt(0);
    EXPECT_FALSE(pencil.IsSmooth());
    EXPECT_EQ(pencil.GetPoint(0).nWidth, 2) << "the pencil's level is its width";
    EXPECT_EQ(pencil.GetPoint(10).x, 500);
    EXPECT_EQ(InkPixel({400, 300}), kPen);
    EXPECT_EQ(InkPixel({400, 400}), RGB(255, 255, 255) & kPen) << "the marker masks";
    EXPECT_FALSE(m_pDoc->IsModified()) << "inking ink is no note";

    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    EXPECT_EQ(m_pBridge->Sequence(), "Begin Rect End Begin Rect End");
    ASSERT_EQ(m_pBridge->m_hwndUnderInk.size(), 2u);
    EXPECT_EQ(m_pBridge->m_hwndUnderInk[0], white.m_hWnd) << "the overlay is gone by then";
    EXPECT_EQ(m_pBridge->m_calls[1].points.size(), 11u);
    EXPECT_EQ(m_pBridge->m_calls[4].nFlag, 1);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_EQ(m_pDoc->m_lines.GetRedoCount(), 0);
    EXPECT_FALSE(View().m_bInkArmed);
    EXPECT_FALSE(IsWindowVisible(hwndOverlay));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(InkingRun, CancelDropsTheInkAndWhatUndoTookBack) {
    View().StartWriting();
    WriteTwoStrokes();
    m_pFrame->RouteCommand(ID_EDIT_UNDO_STROKE);
    ASSERT_EQ(m_pDoc->m_lines.GetRedoCount(), 1);
    EXPECT_EQ(InkPixel({400, 400}), FrozenPixel({400, 400})) << "undo repaints the frozen screen";
    m_pFrame->RouteCommand(ID_CANCEL_WRITING);
    EXPECT_TRUE(m_pBridge->m_calls.empty());
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_EQ(m_pDoc->m_lines.GetRedoCount(), 0);
    EXPECT_FALSE(View().m_bInkArmed);
    EXPECT_FALSE(IsWindowVisible(m_pView->GetOverlay()->m_hWnd));
}

TEST_F(InkingRun, WithoutTheBridgeTheInkStaysOnTheScreenAndTheRunGoesOn) {
    m_pBridge->m_bAvailable = false;
    View().StartWriting();
    WriteTwoStrokes();
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, LoadResString(IDS_NO_BRIDGE));
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2);
    EXPECT_TRUE(View().m_bInkArmed);
    EXPECT_TRUE(IsWindowVisible(m_pView->GetOverlay()->m_hWnd));
    EXPECT_EQ(InkPixel({400, 300}), kPen);
    // Cancel still ends the run.
    m_pFrame->RouteCommand(ID_CANCEL_WRITING);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
}

TEST_F(InkingRun, InkTheBridgeCouldNotPlaceStaysOnTheScreenAndInkingTriesAgain) {
    m_pBridge->m_nBeginResult = 0;
    m_pBridge->m_nInsertResult = 0;
    View().StartWriting();
    WriteTwoStrokes();
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    EXPECT_EQ(m_pBridge->Sequence(), "Begin End Insert");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, LoadResString(IDS_INK_NOT_PLACED));
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2);
    EXPECT_TRUE(View().m_bInkArmed);
    EXPECT_TRUE(IsWindowVisible(m_pView->GetOverlay()->m_hWnd));
    EXPECT_EQ(InkPixel({400, 300}), kPen);
    // The strip is back in its writing state: Inking again, and this time the picture is taken.
    m_pBridge->m_calls.clear();
    m_pBridge->m_nInsertResult = 1;
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    EXPECT_EQ(m_pBridge->Sequence(), "Begin End Insert");
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_FALSE(IsWindowVisible(m_pView->GetOverlay()->m_hWnd));
    EXPECT_EQ(m_messages.size(), 1u);
}
