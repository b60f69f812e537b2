// A writing run of inking mode in the program's own process: Start to write freezes the screen,
// strokes are plain lines in screen pixels on the overlay, Inking hands them over once the
// overlay is gone, Cancel drops them; either way no stroke and no redo is left. Without the
// bridge, or when it places nothing, the ink stays on the screen.
#include <gtest/gtest.h>

#include "CanvasTestAccess.h"
#include "FakeTablet.h"
#include "FrameworkIds.h"
#include "ModesFixture.h"
#include "RecoveryKeeper.h"

namespace {

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
    View().ScreenRun().StartWriting();
    ASSERT_TRUE(View().IsInkArmed());
    HWND hwndOverlay = m_pView->ScreenRun().GetOverlay()->m_hWnd;
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
    EXPECT_FALSE(View().IsInkArmed());
    EXPECT_FALSE(IsWindowVisible(hwndOverlay));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(InkingRun, CancelDropsTheInkAndWhatUndoTookBack) {
    View().ScreenRun().StartWriting();
    WriteTwoStrokes();
    m_pFrame->RouteCommand(ID_EDIT_UNDO_STROKE);
    ASSERT_EQ(m_pDoc->m_lines.GetRedoCount(), 1);
    EXPECT_EQ(InkPixel({400, 400}), FrozenPixel({400, 400})) << "undo repaints the frozen screen";
    m_pFrame->RouteCommand(ID_CANCEL_WRITING);
    EXPECT_TRUE(m_pBridge->m_calls.empty());
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_EQ(m_pDoc->m_lines.GetRedoCount(), 0);
    EXPECT_FALSE(View().IsInkArmed());
    EXPECT_FALSE(IsWindowVisible(m_pView->ScreenRun().GetOverlay()->m_hWnd));
}

TEST_F(InkingRun, WithoutTheBridgeTheInkStaysOnTheScreenAndTheRunGoesOn) {
    m_pBridge->m_bAvailable = false;
    View().ScreenRun().StartWriting();
    WriteTwoStrokes();
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, LoadResString(IDS_NO_BRIDGE));
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2);
    EXPECT_TRUE(View().IsInkArmed());
    EXPECT_TRUE(IsWindowVisible(m_pView->ScreenRun().GetOverlay()->m_hWnd));
    EXPECT_EQ(InkPixel({400, 300}), kPen);
    // Cancel still ends the run.
    m_pFrame->RouteCommand(ID_CANCEL_WRITING);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
}

TEST_F(InkingRun, InkTheBridgeCouldNotPlaceStaysOnTheScreenAndInkingTriesAgain) {
    m_pBridge->m_nBeginResult = 0;
    m_pBridge->m_nInsertResult = 0;
    View().ScreenRun().StartWriting();
    WriteTwoStrokes();
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    EXPECT_EQ(m_pBridge->Sequence(), "Begin End Insert");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, LoadResString(IDS_INK_NOT_PLACED));
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2);
    EXPECT_TRUE(View().IsInkArmed());
    EXPECT_TRUE(IsWindowVisible(m_pView->ScreenRun().GetOverlay()->m_hWnd));
    EXPECT_EQ(InkPixel({400, 300}), kPen);
    // The strip is back in its writing state: Inking again, and this time the picture is taken.
    m_pBridge->m_calls.clear();
    m_pBridge->m_nInsertResult = 1;
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    EXPECT_EQ(m_pBridge->Sequence(), "Begin End Insert");
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_FALSE(IsWindowVisible(m_pView->ScreenRun().GetOverlay()->m_hWnd));
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(InkingRun, FileCommandsOnlyBeepWhileTheRunIsArmed) {
    int nPrompts = 0;
    CScrivoDoc::SetFilePrompt([&](bool, const std::wstring&, const std::wstring&) {
        ++nPrompts;
        return std::optional<std::wstring>();
    });
    View().ScreenRun().StartWriting();
    WriteTwoStrokes();
    const UINT commands[] = {ID_FILE_NEW,     ID_FILE_OPEN,          ID_FILE_SAVE,
                             ID_FILE_SAVE_AS, ID_FILE_PRINT_PREVIEW, ID_FILE_SEND_MAIL};
    for (UINT nID : commands)
        m_pFrame->RouteCommand(nID);
    EXPECT_EQ(View().m_nBeeps, int(std::size(commands)));
    EXPECT_EQ(nPrompts, 0);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_pView->GetPreview(), nullptr);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2) << "the run keeps its strokes";
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    EXPECT_EQ(m_pBridge->Sequence(), "Begin Rect End Begin Rect End");
    // After the run a file command is one again.
    m_pFrame->RouteCommand(ID_FILE_OPEN);
    EXPECT_EQ(nPrompts, 1);
    EXPECT_EQ(View().m_nBeeps, int(std::size(commands)));
}

TEST_F(InkingRun, EscRestoresTheMainWindowAndTheRunKeepsItsStrokes) {
    View().ScreenRun().StartWriting();
    WriteTwoStrokes();
    HWND hwndOverlay = m_pView->ScreenRun().GetOverlay()->m_hWnd;
    ShowWindow(m_pFrame->m_hWnd, SW_MINIMIZE);
    SendMessageW(hwndOverlay, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_FALSE(IsWindowVisible(hwndOverlay));
    EXPECT_TRUE(IsWindowVisible(m_pFrame->m_hWnd));
    EXPECT_FALSE(IsIconic(m_pFrame->m_hWnd));
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2);
    InkingStroke({300, 500}, {500, 500}, 10);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2) << "no ink while the frozen screen is away";
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    EXPECT_EQ(m_pBridge->Sequence(), "Begin Rect End Begin Rect End");
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
}

TEST_F(InkingRun, APartlyPlacedHandOverKeepsWhatWasNotPlacedAndTheRetrySendsOnlyThat) {
    // The pencil stroke is taken; the marker pass's begin is refused once.
    m_pBridge->m_nBeginsTaken = 1;
    View().ScreenRun().StartWriting();
    WriteTwoStrokes();
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    EXPECT_EQ(m_pBridge->Sequence(), "Begin Rect End Begin End");
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, LoadResString(IDS_INK_NOT_PLACED));
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 1);
    EXPECT_EQ(m_pDoc->m_lines.GetAt(0)->GetTool(), kToolMarker);
    EXPECT_TRUE(View().IsInkArmed());
    m_pBridge->m_calls.clear();
    m_pBridge->m_nBeginsTaken = 1000;
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    ASSERT_EQ(m_pBridge->Sequence(), "Begin Rect End") << "the marker stroke alone, once";
    EXPECT_EQ(m_pBridge->m_calls[1].nFlag, 1);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(InkingRun, TheRunsBoxesAndTheQuestionOfNewCloseTheTabletContextWhileTheyShow) {
    FakeTablet tablet;
    CCanvasTestAccess::WintabLibrary(*m_pView) = &tablet.api;
    m_pView->OpenViewContext();
    ASSERT_NE(CCanvasTestAccess::Context(*m_pView), nullptr);
    std::vector<bool> open;
    // Yes to the mode switch's question, Cancel to the others.
    SetMessageHook([&](const std::wstring&, const std::wstring&, UINT uType) {
        open.push_back(CCanvasTestAccess::Context(*m_pView) != nullptr);
        return (uType & MB_TYPEMASK) == MB_YESNO ? IDYES : IDCANCEL;
    });
    m_pBridge->m_bAvailable = false;
    View().ScreenRun().StartWriting();
    WriteTwoStrokes();
    m_pFrame->RouteCommand(ID_HAND_OVER_INK);
    m_pFrame->RouteCommand(ID_CANCEL_WRITING);
    // On the desktop, New asks about the written note; Cancel keeps it.
    m_pFrame->OnDesktopMode();
    DesktopStroke({250, 300}, {450, 300}, 20);
    m_pFrame->RouteCommand(ID_FILE_NEW);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1);
    EXPECT_EQ(open, std::vector<bool>({false, false, false}))
        << "the no-bridge box, the question of the switch to desktop mode, New's";
    EXPECT_NE(CCanvasTestAccess::Context(*m_pView), nullptr) << "open again after each";
    m_pView->CloseTabletContext();
    CCanvasTestAccess::WintabLibrary(*m_pView) = &Wintab();
}

TEST_F(InkingRun, TheRestoreQuestionOfAnInkingStartClosesTheTabletContextWhileItShows) {
    const std::wstring strFolder = m_folder / L"Recovery";
    {
        // What an inking instance that was killed left behind.
        CRecoveryStore store(strFolder, L"inking");
        ASSERT_TRUE(store.Open());
        ASSERT_TRUE(m_pDoc->StoreCopy(store.CopyPath().c_str()));
        store.MarkWritten();
    }
    FakeTablet tablet;
    CCanvasTestAccess::WintabLibrary(*m_pView) = &tablet.api;
    m_pView->OpenViewContext();
    std::vector<bool> open;
    SetMessageHook([&](const std::wstring&, const std::wstring&, UINT) {
        open.push_back(CCanvasTestAccess::Context(*m_pView) != nullptr);
        return IDNO;
    });
    CRecoveryKeeper keeper;
    keeper.Start(strFolder, L"inking", m_pDoc, m_pFrame->m_hWnd);
    EXPECT_EQ(open, std::vector<bool>{false});
    EXPECT_NE(CCanvasTestAccess::Context(*m_pView), nullptr) << "open again after the answer";
    keeper.End();
    m_pView->CloseTabletContext();
    CCanvasTestAccess::WintabLibrary(*m_pView) = &Wintab();
}
