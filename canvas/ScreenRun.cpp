// The desktop and inking runs of the canvas view: freezing the screen for desktop mode and for a
// writing run, capturing a screen area as a picture (the tinted frozen screen with a rubber band),
// and the end of a writing run, whose strokes are written over the frozen screen in screen pixels
// and which Inking hands to the application under them (InkHandOver) or Cancel throws away.
// Inking mode keeps no ink either way.
#include "ScreenRun.h"

#include <algorithm>

#include "DialogPause.h"
#include "FrameWnd.h"
#include "InkHandOver.h"
#include "Message.h"
#include "MessagePump.h"
#include "Picture.h"
#include "Resources.h"
#include "ScrivoFrame.h"
#include "ScrivoView.h"
#include "WaitCursor.h"
#include "resource.h"

namespace {
// Packets ignored after a capture starts (the pen may still be down from the start button).
constexpr short kCaptureSkipPackets = 10;
// The rubber band follows the pen at most this often.
constexpr DWORD kSelectIntervalMs = 150;
constexpr COLORREF kTint = 0xFF8080;

RECT Normalised(const RECT& rc) {
    return {std::min(rc.left, rc.right), std::min(rc.top, rc.bottom), std::max(rc.left, rc.right),
            std::max(rc.top, rc.bottom)};
}

// The union of two rectangles, also when one has no width or height.
RECT Span(const RECT& a, const RECT& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

void Copy(HDC hdcTo, const RECT& rc, HDC hdcFrom, DWORD dwRop = SRCCOPY) {
    BitBlt(hdcTo, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hdcFrom, rc.left, rc.top,
           dwRop);
}
} // namespace

CScreenRun::CScreenRun(CScrivoView& view)
    : m_view(view), m_pBridge(std::make_unique<CBrevixBridge>()) {}

bool CScreenRun::CreateOverlay() {
    IScrivoFrame* pFrame = m_view.GetScrivoFrame();
    const bool bInking = pFrame && pFrame->IsInkingProcess();
    m_pOverlay = std::make_unique<CCaptureWindow>(m_view);
    return m_pOverlay->Create(bInking ? L"Plovexa-I" : L"Plovexa-L");
}

void CScreenRun::DestroyOverlay() {
    // The overlay never outlives the program on the screen.
    if (m_pOverlay)
        m_pOverlay->Hide();
    m_pOverlay.reset();
    ReleaseFrozenScreen();
}

void CScreenRun::ShowMainWindow(bool bShow) const {
    CFrameWnd* pFrame = m_view.GetParentFrame();
    if (!pFrame || !pFrame->m_hWnd)
        return;
    ShowWindow(pFrame->m_hWnd, bShow ? SW_SHOW : SW_HIDE);
    if (bShow) {
        EnableWindow(pFrame->m_hWnd, TRUE);
        BringWindowToTop(pFrame->m_hWnd);
        SetForegroundWindow(pFrame->m_hWnd);
    }
}

bool CScreenRun::FreezeScreen() {
    RECT rc{};
    GetWindowRect(GetDesktopWindow(), &rc);
    if (!m_dcScreen.EnsureSize(rc.right - rc.left, rc.bottom - rc.top))
        return false;
    CWindowDC screen(nullptr);
    BitBlt(m_dcScreen.Get(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, screen.Get(), rc.left,
           rc.top, SRCCOPY);
    return true;
}

void CScreenRun::ShowFrozenScreen() {
    if (!m_pOverlay || !m_pOverlay->m_hWnd || !m_pOverlay->PrepareInkImage())
        return;
    const SIZE size = m_dcScreen.Size();
    Copy(m_pOverlay->InkDC(), {0, 0, size.cx, size.cy}, m_dcScreen.Get());
    m_pOverlay->ShowOverDesktop();
}

void CScreenRun::ReleaseFrozenScreen() {
    m_dcScreen.Reset();
    m_dcTint.Reset();
}

void CScreenRun::FreezeForWriting() {
    // The windows that the main window covered paint themselves again meanwhile.
    Sleep(250);
    // The screen is copied before the overlay appears, so that the copy never holds the overlay.
    if (FreezeScreen() && m_pOverlay) {
        m_pOverlay->SetSelectMode(false);
        ShowFrozenScreen();
    }
    m_view.OverlapContext();
}

void CScreenRun::EnterDesktopMode() {
    DispatchWaitingMessages();
    ShowMainWindow(false);
    FreezeForWriting();
    ShowMainWindow(true);
}

void CScreenRun::ShowOverlay(bool bShow) {
    if (!m_pOverlay)
        return;
    if (!bShow) {
        m_pOverlay->Hide();
    } else if (m_view.GetFrameMode() != kModeLetter && m_dcScreen) {
        m_pOverlay->ShowOverDesktop();
        // The strip stays in front of the overlay.
        RaiseMainFrame();
    }
}

void CScreenRun::PauseForDialog(bool bPause) {
    const bool bDesktop = m_view.GetFrameMode() == kModeDesktop;
    if (m_pOverlay && bDesktop)
        m_pOverlay->SetModal(bPause);
    if (bPause) {
        BeginDialogPause();
        return;
    }
    EndDialogPause();
    if (bDesktop)
        ShowOverlay(true);
}

bool CScreenRun::BeginDialogPause() {
    if (!m_view.m_hWnd || m_view.GetFrameMode() == kModeLetter)
        return false;
    if (m_nDialogPauses++ > 0)
        return true;
    m_view.CloseTabletContext();
    if (m_pOverlay && GetCapture() == m_pOverlay->m_hWnd)
        ReleaseCapture();
    return true;
}

void CScreenRun::EndDialogPause() {
    if (m_nDialogPauses == 0 || --m_nDialogPauses > 0 || !m_view.m_hWnd)
        return;
    m_view.OpenViewContext();
}

void CScreenRun::PauseForMail(bool bPause) {
    if (m_view.GetFrameMode() != kModeDesktop)
        return;
    const HWND hwndFrame = MainFrameWindow();
    if (bPause) {
        if (hwndFrame)
            ShowWindow(hwndFrame, SW_MINIMIZE);
        ShowOverlay(false);
        m_view.CloseTabletContext();
        return;
    }
    if (hwndFrame)
        ShowWindow(hwndFrame, SW_RESTORE);
    m_view.OpenViewContext();
    // The overlay comes back active, with the strip in front of it.
    ShowOverlay(true);
}

HDC CScreenRun::GetDesktopImage() const {
    return m_view.GetFrameMode() == kModeDesktop ? m_dcScreen.Get() : nullptr;
}

void CScreenRun::LeaveDesktopMode() {
    ShowOverlay(false);
    ReleaseFrozenScreen();
}

void CScreenRun::ClearDesktopInk() {
    if (m_view.GetFrameMode() != kModeDesktop || !m_dcScreen || !m_pOverlay || !m_pOverlay->InkDC())
        return;
    const SIZE size = m_dcScreen.Size();
    const RECT rcAll{0, 0, size.cx, size.cy};
    Copy(m_pOverlay->InkDC(), rcAll, m_dcScreen.Get());
    m_pOverlay->ShowArea(rcAll);
}

void CScreenRun::OnCaptureScreen() {
    // The overlay of desktop and inking mode holds their ink: no capture may take it over. The
    // area is dragged with the pen, or with the mouse when it is the pen.
    if ((!m_view.HasContext() && !m_view.IsMousePen()) || m_view.GetFrameMode() != kModeLetter)
        return;
    m_view.SetCaptureState(kCaptureDialog);
    ShowMainWindow(false);
    IScrivoFrame* pFrame = m_view.GetScrivoFrame();
    if (!pFrame || !pFrame->ShowCaptureDialog()) {
        m_view.SetCaptureState(kCaptureIdle);
        ShowMainWindow(true);
    }
}

void CScreenRun::GiveScreenBack() {
    if (m_view.CaptureState() == kCaptureSelecting)
        ExitCapture();
}

void CScreenRun::StartCapture() {
    m_view.OverlapContext();
    ShowMainWindow(false);
    if (!m_dcScreen) {
        if (!FreezeScreen()) {
            ShowMainWindow(true);
            return;
        }
        const SIZE size = m_dcScreen.Size();
        if (m_dcTint.Create(size.cx, size.cy)) {
            COwnedBrush tint(CreateSolidBrush(kTint));
            const RECT rc{0, 0, size.cx, size.cy};
            FillRect(m_dcTint.Get(), &rc, tint.Get());
        }
    }
    if (!m_pOverlay || !m_pOverlay->PrepareInkImage()) {
        ExitCapture();
        return;
    }
    // The overlay shows the frozen screen tinted blue until an area is selected.
    const SIZE size = m_dcScreen.Size();
    const RECT rcAll{0, 0, size.cx, size.cy};
    Copy(m_pOverlay->InkDC(), rcAll, m_dcScreen.Get());
    if (m_dcTint)
        Copy(m_pOverlay->InkDC(), rcAll, m_dcTint.Get(), SRCAND);
    m_view.SetCaptureState(kCaptureSelecting);
    m_bSelecting = false;
    // The mouse's button came up on the start button before this: none of its packets is left
    // over from that click.
    if (m_view.IsMousePen())
        m_nCaptureSkip = kCaptureSkipPackets;
    m_pOverlay->SetSelectMode(true);
    m_pOverlay->ShowOverDesktop();
    SetCursor(m_pOverlay->CaptureCursor());
    m_view.OverlapContext();
    SetCapture(m_pOverlay->m_hWnd);
    EnableWindow(m_pOverlay->m_hWnd, TRUE);
    BringWindowToTop(m_pOverlay->m_hWnd);
}

// Esc must always give the screen back, also when the tablet context went away meanwhile.
void CScreenRun::ExitCapture() {
    m_view.OverlapContext();
    if (m_pOverlay) {
        m_pOverlay->Hide();
        m_pOverlay->SetSelectMode(false);
    }
    ShowMainWindow(true);
    ReleaseFrozenScreen();
    m_view.SetCaptureState(kCaptureIdle);
    m_bSelecting = false;
    m_nCaptureSkip = 0;
    m_view.OverlapContext();
}

BOOL CScreenRun::OnCapturePacket(DWORD nTime, DWORD nButtons, LONG x, LONG y, UINT nPressure) {
    // A press among the ignored packets still counts: the drag that follows it selects.
    if (HIWORD(nButtons) == TBN_DOWN)
        m_view.SetPenDown(true);
    else if (HIWORD(nButtons) == TBN_UP)
        m_view.SetPenDown(false);
    if (m_nCaptureSkip < kCaptureSkipPackets) {
        ++m_nCaptureSkip;
        return FALSE;
    }
    if (!m_view.IsPenDown() || nPressure == 0) {
        // The area ends where the pen lifts: the rubber band may trail it by up to its interval.
        if (m_bSelecting) {
            m_rcSelect.right = x;
            m_rcSelect.bottom = y;
            FinishCapture();
        }
        return TRUE;
    }
    if (!m_bSelecting) {
        m_bSelecting = true;
        m_rcSelect = {x, y, x, y};
        m_dwSelectTime = nTime;
    }
    if (nTime - m_dwSelectTime < kSelectIntervalMs)
        return FALSE;
    m_dwSelectTime = nTime;
    const RECT rcOld = Normalised(m_rcSelect);
    m_rcSelect.right = x;
    m_rcSelect.bottom = y;
    DrawRubberBand(rcOld, Normalised(m_rcSelect));
    return TRUE;
}

void CScreenRun::DrawRubberBand(const RECT& rcOld, const RECT& rcNew) {
    if (!m_pOverlay || !m_pOverlay->InkDC())
        return;
    HDC hdc = m_pOverlay->InkDC();
    RECT rcBoth = Span(rcOld, rcNew);
    // The outline's right and bottom pixels lie on the rectangle's last row and column.
    InflateRect(&rcBoth, 1, 1);
    Copy(hdc, rcBoth, m_dcScreen.Get());
    if (m_dcTint)
        Copy(hdc, rcBoth, m_dcTint.Get(), SRCAND);
    Copy(hdc, rcNew, m_dcScreen.Get());
    COwnedPen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
    CSelectScope selPen(hdc, pen.Get());
    CSelectScope selBrush(hdc, GetStockObject(NULL_BRUSH));
    const int nOldRop = SetROP2(hdc, R2_NOTXORPEN);
    Rectangle(hdc, rcNew.left, rcNew.top, rcNew.right + 1, rcNew.bottom + 1);
    SetROP2(hdc, nOldRop);
    m_pOverlay->ShowArea(rcBoth);
}

void CScreenRun::FinishCapture() {
    m_nCaptureSkip = 0;
    m_view.SetPenDown(false);
    m_bSelecting = false;
    m_view.SetCaptureState(kCaptureIdle);
    const RECT rc = Normalised(m_rcSelect);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    // An area without width or height makes no picture.
    if (w > 0 && h > 0) {
        CWindowDC screen(nullptr);
        COwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), w, h));
        CMemoryDC dc(screen.Get());
        if (bitmap && dc) {
            {
                CSelectScope select(dc.Get(), bitmap.Get());
                BitBlt(dc.Get(), 0, 0, w, h, m_dcScreen.Get(), rc.left, rc.top, SRCCOPY);
            }
            auto pPicture = std::make_unique<CPicture>();
            pPicture->SetImage(bitmap.Detach(), w, h);
            m_view.PlaceNewPicture(std::move(pPicture));
        }
    }
    ReleaseFrozenScreen();
    if (m_pOverlay) {
        m_pOverlay->Hide();
        m_pOverlay->SetSelectMode(false);
    }
    ShowMainWindow(true);
    m_view.InvalidateCanvas();
}

HWND CScreenRun::MainFrameWindow() const {
    CFrameWnd* pFrame = m_view.GetParentFrame();
    return pFrame ? pFrame->m_hWnd : nullptr;
}

bool CScreenRun::IsOverMainFrame(POINT pt) const {
    HWND hwndFrame = MainFrameWindow();
    RECT rc{};
    return hwndFrame && IsWindowVisible(hwndFrame) && GetWindowRect(hwndFrame, &rc) &&
           PtInRect(&rc, pt);
}

void CScreenRun::RaiseMainFrame() const {
    if (HWND hwndFrame = MainFrameWindow())
        SetWindowPos(hwndFrame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Esc ends the selection of a capture area (state 2: the state 1 that a cancelled capture dialog
// leaves selects nothing, and must not end the overlay of a later mode). In a writing run of
// inking mode it takes the overlay away and restores the main window; the run keeps its strokes,
// so that Inking still hands them over and Cancel still drops them. In desktop mode it changes
// nothing, so that no ink goes.
void CScreenRun::OnOverlayEscape() {
    if (m_view.CaptureState() == kCaptureSelecting || (m_pOverlay && m_pOverlay->IsSelectMode())) {
        if (m_pOverlay)
            EnableWindow(m_pOverlay->m_hWnd, FALSE);
        ExitCapture();
        return;
    }
    if (m_view.GetFrameMode() != kModeInking || !m_view.IsInkArmed())
        return;
    ShowOverlay(false);
    if (HWND hwndFrame = MainFrameWindow())
        ShowWindow(hwndFrame, SW_RESTORE);
    ShowMainWindow(true);
}

bool CScreenRun::IsOverlayInUse() const {
    return m_view.GetFrameMode() != kModeLetter || m_view.CaptureState() == kCaptureSelecting;
}

bool CScreenRun::OnInkingCommand(UINT nID) {
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
        IScrivoFrame* pFrame = m_view.GetScrivoFrame();
        if (pFrame && pFrame->GetMode() == kModeInking && pFrame->IsStartTipWanted())
            StartWriting();
        return false;
    }
    default:
        return false;
    }
}

void CScreenRun::StartWriting() {
    IScrivoFrame* pFrame = m_view.GetScrivoFrame();
    CFrameWnd* pFrameWnd = m_view.GetParentFrame();
    // A writing run belongs to inking mode, and one at a time.
    if (m_view.IsInkArmed() || !pFrame || !pFrameWnd || pFrame->GetMode() != kModeInking)
        return;
    if (!m_view.HasContext())
        m_view.OpenViewContext();
    else
        m_view.OverlapContext();
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
    m_view.SetInkArmed(true);
    SetWindowPos(pFrameWnd->m_hWnd, HWND_TOPMOST, rcFrame.left, rcFrame.top,
                 rcFrame.right - rcFrame.left, rcFrame.bottom - rcFrame.top, SWP_SHOWWINDOW);
    BringWindowToTop(pFrameWnd->m_hWnd);
    m_view.RebuildToolCursor();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void CScreenRun::HandOverInk() {
    if (!m_view.IsInkArmed())
        return;
    // Without the bridge the ink cannot go anywhere: it stays on the screen, the run stays armed,
    // and Cancel remains the way out.
    if (!Bridge().IsAvailable()) {
        ShowInkingMessage(IDS_NO_BRIDGE);
        return;
    }
    IScrivoFrame* pFrame = m_view.GetScrivoFrame();
    m_view.SetInkArmed(false);
    m_view.CloseTabletContext();
    if (m_pOverlay && m_pOverlay->m_hWnd)
        SetCapture(m_pOverlay->m_hWnd);
    if (pFrame) {
        pFrame->OnInkDone();
        pFrame->ClosePenWidthPopup();
    }
    DispatchWaitingMessages();
    auto result = CInkHandOver::Result::NoInk;
    if (CLines* pLines = m_view.Strokes(); pLines && pLines->GetCount() > 0) {
        CWaitCursor wait;
        // The application under the ink must be what the bridge finds there.
        ShowOverlay(false);
        result = CInkHandOver(Bridge(), m_view.m_hWnd).HandOver(*pLines);
    }
    m_view.OpenViewContext();
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    if (result == CInkHandOver::Result::Failed) {
        KeepInkAfterFailedHandOver();
        return;
    }
    ShowOverlay(false);
    if (CLines* pLines = m_view.Strokes()) {
        pLines->RemoveAll();
        pLines->ClearRedo();
    }
}

void CScreenRun::KeepInkAfterFailedHandOver() {
    // The run goes on as it was before Inking: the ink back on the frozen screen, the strip in
    // its writing state. Inking tries again; Cancel throws the ink away.
    m_view.SetInkArmed(true);
    ShowOverlay(true);
    if (IScrivoFrame* pFrame = m_view.GetScrivoFrame())
        pFrame->OnStartWriting();
    ShowInkingMessage(IDS_INK_NOT_PLACED);
}

void CScreenRun::ShowInkingMessage(UINT nText) {
    CDialogPause pause(&m_view);
    ShowMessage(m_view.m_hWnd, LoadResString(nText), LoadResString(IDS_INKING_TITLE),
                MB_ICONEXCLAMATION);
}

void CScreenRun::CancelWriting() {
    IScrivoFrame* pFrame = m_view.GetScrivoFrame();
    if (pFrame)
        pFrame->ClosePenWidthPopup();
    ShowOverlay(false);
    m_view.SetInkArmed(false);
    // A stroke still being written goes with the others.
    m_view.DropStroke();
    if (pFrame)
        pFrame->OnInkDone();
    if (CLines* pLines = m_view.Strokes()) {
        pLines->RemoveAll();
        pLines->ClearRedo();
    }
}
