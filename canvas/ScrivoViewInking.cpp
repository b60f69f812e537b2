// Inking mode of the canvas view: a writing run freezes the screen in the overlay, the strokes
// are written over it in screen pixels, and Inking hands them to the application under them
// (InkHandOver) or Cancel throws them away. Inking mode keeps no ink either way.
#include "ScrivoView.h"

#include "DialogPause.h"
#include "FrameWnd.h"
#include "InkHandOver.h"
#include "Message.h"
#include "Resources.h"
#include "ScrivoFrame.h"
#include "WaitCursor.h"
#include "MessagePump.h"
#include "resource.h"

bool CScrivoView::OnInkingCommand(UINT nID) {
    switch (nID) {
    case ID_START_WRITING:
        StartWriting();
        return true;
    case ID_HAND_OVER_INK:
        HandOverInk();
        return true;
    case ID_CANCEL_WRITING:
        CancelWriting();
        return true;
    case IDC_PANEL_TEST:
    case IDC_FOCUS_SINK:
        return true;
    case ID_TOOL_PENCIL:
    case ID_TOOL_BRUSH:
    case ID_TOOL_MARKER: {
        // Until writing was started once, choosing a pen in inking mode starts it; the tool
        // command then goes on as usual.
        IScrivoFrame* pFrame = GetScrivoFrame();
        if (pFrame && pFrame->GetMode() == kModeInking && pFrame->IsStartTipWanted())
            StartWriting();
        return false;
    }
    default:
        return false;
    }
}

void CScrivoView::StartWriting() {
    IScrivoFrame* pFrame = GetScrivoFrame();
    CFrameWnd* pFrameWnd = GetParentFrame();
    // A writing run belongs to inking mode, and one at a time.
    if (m_bInkArmed || !pFrame || !pFrameWnd || pFrame->GetMode() != kModeInking)
        return;
    if (!m_hCtx)
        OpenViewContext();
    else if (IsBound())
        Binding().WTOverlap(m_hCtx, TRUE);
    pFrame->ClosePenWidthPopup();
    pFrame->OnStartWriting();
    DispatchWaitingMessages();
    // The strip leaves the screen while it is frozen, so that the capture shows only the
    // application under it.
    RECT rcFrame{};
    GetWindowRect(pFrameWnd->m_hWnd, &rcFrame);
    MoveWindow(pFrameWnd->m_hWnd, 0, 0, 0, 0, TRUE);
    DispatchWaitingMessages();
    FreezeForWriting();
    m_bInkArmed = true;
    SetWindowPos(pFrameWnd->m_hWnd, HWND_TOPMOST, rcFrame.left, rcFrame.top,
                 rcFrame.right - rcFrame.left, rcFrame.bottom - rcFrame.top, SWP_SHOWWINDOW);
    BringWindowToTop(pFrameWnd->m_hWnd);
    RebuildToolCursor();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void CScrivoView::HandOverInk() {
    if (!m_bInkArmed)
        return;
    // Without the bridge the ink cannot go anywhere: it stays on the screen, the run stays armed,
    // and Cancel remains the way out.
    if (!Bridge().IsAvailable()) {
        ShowInkingMessage(IDS_NO_BRIDGE);
        return;
    }
    IScrivoFrame* pFrame = GetScrivoFrame();
    m_bInkArmed = false;
    CloseTabletContext();
    if (m_pOverlay && m_pOverlay->m_hWnd)
        SetCapture(m_pOverlay->m_hWnd);
    if (pFrame) {
        pFrame->OnInkDone();
        pFrame->ClosePenWidthPopup();
    }
    DispatchWaitingMessages();
    auto result = CInkHandOver::Result::NoInk;
    if (CLines* pLines = Strokes(); pLines && pLines->GetCount() > 0) {
        CWaitCursor wait;
        // The application under the ink must be what the bridge finds there.
        ShowOverlay(false);
        result = CInkHandOver(Bridge(), m_hWnd).HandOver(*pLines);
    }
    OpenViewContext();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    if (result == CInkHandOver::Result::Failed) {
        KeepInkAfterFailedHandOver();
        return;
    }
    ShowOverlay(false);
    if (CLines* pLines = Strokes()) {
        pLines->RemoveAll();
        pLines->ClearRedo();
    }
}

void CScrivoView::KeepInkAfterFailedHandOver() {
    // The run goes on as it was before Inking: the ink back on the frozen screen, the strip in
    // its writing state. Inking tries again; Cancel throws the ink away.
    m_bInkArmed = true;
    ShowOverlay(true);
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->OnStartWriting();
    ShowInkingMessage(IDS_INK_NOT_PLACED);
}

void CScrivoView::ShowInkingMessage(UINT nText) {
    CDialogPause pause(this);
    ShowMessage(m_hWnd, LoadResString(nText), LoadResString(IDS_INKING_TITLE), MB_ICONEXCLAMATION);
}

void CScrivoView::CancelWriting() {
    IScrivoFrame* pFrame = GetScrivoFrame();
    if (pFrame)
        pFrame->ClosePenWidthPopup();
    ShowOverlay(false);
    m_bInkArmed = false;
    // A stroke still being written goes with the others.
    m_bDrawing = false;
    m_pCurLine.reset();
    if (pFrame)
        pFrame->OnInkDone();
    if (CLines* pLines = Strokes()) {
        pLines->RemoveAll();
        pLines->ClearRedo();
    }
}
