// The overlay of the canvas view: freezing the screen for desktop mode, capturing a screen area
// as a picture (the tinted frozen screen with a rubber band), and what the pen capture and the
// overlay window need of the view.
#include "ScrivoView.h"

#include <algorithm>

#include "DialogPause.h"
#include "FrameWnd.h"
#include "Picture.h"
#include "ScrivoFrame.h"
#include "MessagePump.h"

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

bool CScrivoView::CreateOverlay() {
    IScrivoFrame* pFrame = GetScrivoFrame();
    const bool bInking = pFrame && pFrame->IsInkingProcess();
    m_pOverlay = std::make_unique<CCaptureWindow>(*this);
    return m_pOverlay->Create(bInking ? L"Plovexa-I" : L"Plovexa-L");
}

void CScrivoView::ShowMainWindow(bool bShow) const {
    CFrameWnd* pFrame = GetParentFrame();
    if (!pFrame || !pFrame->m_hWnd)
        return;
    ShowWindow(pFrame->m_hWnd, bShow ? SW_SHOW : SW_HIDE);
    if (bShow) {
        EnableWindow(pFrame->m_hWnd, TRUE);
        BringWindowToTop(pFrame->m_hWnd);
        SetForegroundWindow(pFrame->m_hWnd);
    }
}

bool CScrivoView::FreezeScreen() {
    RECT rc{};
    GetWindowRect(GetDesktopWindow(), &rc);
    if (!m_dcScreen.EnsureSize(rc.right - rc.left, rc.bottom - rc.top))
        return false;
    CWindowDC screen(nullptr);
    BitBlt(m_dcScreen.Get(), 0, 0, rc.right - rc.left, rc.bottom - rc.top, screen.Get(), rc.left,
           rc.top, SRCCOPY);
    return true;
}

void CScrivoView::ShowFrozenScreen() {
    if (!m_pOverlay || !m_pOverlay->m_hWnd || !m_pOverlay->PrepareInkImage())
        return;
    const SIZE size = m_dcScreen.Size();
    Copy(m_pOverlay->m_dcInk.Get(), {0, 0, size.cx, size.cy}, m_dcScreen.Get());
    m_pOverlay->ShowOverDesktop();
}

void CScrivoView::ReleaseFrozenScreen() {
    m_dcScreen.Reset();
    m_dcTint.Reset();
}

void CScrivoView::FreezeForWriting() {
    // The windows that the main window covered paint themselves again meanwhile.
    Sleep(250);
    // The screen is copied before the overlay appears, so that the copy never holds the overlay.
    if (FreezeScreen() && m_pOverlay) {
        m_pOverlay->m_bSelectMode = false;
        ShowFrozenScreen();
    }
    if (m_hCtx && IsBound())
        Binding().WTOverlap(m_hCtx, TRUE);
}

void CScrivoView::EnterDesktopMode() {
    DispatchWaitingMessages();
    ShowMainWindow(false);
    FreezeForWriting();
    ShowMainWindow(true);
}

void CScrivoView::ShowOverlay(bool bShow) {
    if (!m_pOverlay)
        return;
    if (!bShow) {
        m_pOverlay->Hide();
    } else if (GetFrameMode() != kModeLetter && m_dcScreen) {
        m_pOverlay->ShowOverDesktop();
        // The strip stays in front of the overlay.
        RaiseMainFrame();
    }
}

void CScrivoView::PauseForDialog(bool bPause) {
    const bool bDesktop = GetFrameMode() == kModeDesktop;
    if (m_pOverlay && bDesktop)
        m_pOverlay->m_bModal = bPause;
    if (bPause) {
        CDialogPause::Begin(this);
        return;
    }
    CDialogPause::End(this);
    if (bDesktop)
        ShowOverlay(true);
}

void CScrivoView::PauseForMail(bool bPause) {
    if (GetFrameMode() != kModeDesktop)
        return;
    const HWND hwndFrame = OverlayMainFrame();
    if (bPause) {
        if (hwndFrame)
            ShowWindow(hwndFrame, SW_MINIMIZE);
        ShowOverlay(false);
        CloseTabletContext();
        return;
    }
    if (hwndFrame)
        ShowWindow(hwndFrame, SW_RESTORE);
    OpenViewContext();
    // The overlay comes back active, with the strip in front of it.
    ShowOverlay(true);
}

HDC CScrivoView::GetDesktopImage() const {
    return GetFrameMode() == kModeDesktop ? m_dcScreen.Get() : nullptr;
}

void CScrivoView::LeaveDesktopMode() {
    ShowOverlay(false);
    ReleaseFrozenScreen();
}

void CScrivoView::OnCaptureScreen() {
    // The overlay of desktop and inking mode holds their ink: no capture may take it over. The
    // area is dragged with the pen, or with the mouse when it is the pen.
    if ((!m_hCtx && !IsMousePen()) || GetFrameMode() != kModeLetter)
        return;
    m_nCaptureState = kCaptureDialog;
    ShowMainWindow(false);
    IScrivoFrame* pFrame = GetScrivoFrame();
    if (!pFrame || !pFrame->ShowCaptureDialog()) {
        m_nCaptureState = kCaptureIdle;
        ShowMainWindow(true);
    }
}

void CScrivoView::GiveScreenBack() {
    if (m_nCaptureState == kCaptureSelecting)
        ExitCapture();
}

void CScrivoView::StartCapture() {
    if (m_hCtx && IsBound())
        Binding().WTOverlap(m_hCtx, TRUE);
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
    Copy(m_pOverlay->m_dcInk.Get(), rcAll, m_dcScreen.Get());
    if (m_dcTint)
        Copy(m_pOverlay->m_dcInk.Get(), rcAll, m_dcTint.Get(), SRCAND);
    m_nCaptureState = kCaptureSelecting;
    m_bSelecting = false;
    // The mouse's button came up on the start button before this: none of its packets is left
    // over from that click.
    if (IsMousePen())
        m_nCaptureSkip = kCaptureSkipPackets;
    m_pOverlay->m_bSelectMode = true;
    m_pOverlay->ShowOverDesktop();
    SetCursor(m_pOverlay->m_hcurCapture);
    if (m_hCtx && IsBound())
        Binding().WTOverlap(m_hCtx, TRUE);
    SetCapture(m_pOverlay->m_hWnd);
    EnableWindow(m_pOverlay->m_hWnd, TRUE);
    BringWindowToTop(m_pOverlay->m_hWnd);
}

// Esc must always give the screen back, also when the tablet context went away meanwhile.
void CScrivoView::ExitCapture() {
    if (m_hCtx && IsBound())
        Binding().WTOverlap(m_hCtx, TRUE);
    if (m_pOverlay) {
        m_pOverlay->Hide();
        m_pOverlay->m_bSelectMode = false;
    }
    ShowMainWindow(true);
    ReleaseFrozenScreen();
    m_nCaptureState = kCaptureIdle;
    m_bSelecting = false;
    m_nCaptureSkip = 0;
    if (m_hCtx && IsBound())
        Binding().WTOverlap(m_hCtx, TRUE);
}

BOOL CScrivoView::OnCapturePacket(DWORD nTime, DWORD nButtons, LONG x, LONG y, UINT nPressure) {
    // A press among the ignored packets still counts: the drag that follows it selects.
    if (HIWORD(nButtons) == TBN_DOWN)
        m_bPenDown = true;
    else if (HIWORD(nButtons) == TBN_UP)
        m_bPenDown = false;
    if (m_nCaptureSkip < kCaptureSkipPackets) {
        ++m_nCaptureSkip;
        return FALSE;
    }
    if (!m_bPenDown || nPressure == 0) {
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

void CScrivoView::DrawRubberBand(const RECT& rcOld, const RECT& rcNew) {
    if (!m_pOverlay || !m_pOverlay->m_dcInk)
        return;
    HDC hdc = m_pOverlay->m_dcInk.Get();
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

void CScrivoView::FinishCapture() {
    m_nCaptureSkip = 0;
    m_bPenDown = false;
    m_bSelecting = false;
    m_nCaptureState = kCaptureIdle;
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
            PlaceNewPicture(std::move(pPicture));
        }
    }
    ReleaseFrozenScreen();
    if (m_pOverlay) {
        m_pOverlay->Hide();
        m_pOverlay->m_bSelectMode = false;
    }
    ShowMainWindow(true);
    InvalidateCanvas();
}

HWND CScrivoView::OverlayWindow() const {
    return m_pOverlay ? m_pOverlay->m_hWnd : nullptr;
}

HDC CScrivoView::OverlayInkDC() const {
    return m_pOverlay ? m_pOverlay->m_dcInk.Get() : nullptr;
}

HWND CScrivoView::OverlayMainFrame() const {
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame ? pFrame->m_hWnd : nullptr;
}

bool CScrivoView::IsOverMainFrame(POINT pt) const {
    HWND hwndFrame = OverlayMainFrame();
    RECT rc{};
    return hwndFrame && IsWindowVisible(hwndFrame) && GetWindowRect(hwndFrame, &rc) &&
           PtInRect(&rc, pt);
}

bool CScrivoView::IsPenCovered(POINT pt) const {
    IScrivoFrame* pFrame = GetScrivoFrame();
    return pFrame && pFrame->IsPenCovered(pt);
}

void CScrivoView::RaiseMainFrame() {
    if (HWND hwndFrame = OverlayMainFrame())
        SetWindowPos(hwndFrame, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CScrivoView::ClosePenWidthPopup() {
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->ClosePenWidthPopup();
}

void CScrivoView::EnableOverlayTablet(BOOL bEnable) {
    if (!m_hCtx || !IsBound())
        return;
    Binding().WTEnable(m_hCtx, bEnable);
    Binding().WTOverlap(m_hCtx, bEnable);
}

// Esc ends the selection of a capture area (state 2: the state 1 that a cancelled capture dialog
// leaves selects nothing, and must not end the overlay of a later mode). In a writing run of
// inking mode it takes the overlay away and restores the main window; the run keeps its strokes,
// so that Inking still hands them over and Cancel still drops them. In desktop mode it changes
// nothing, so that no ink goes.
void CScrivoView::OnOverlayEscape() {
    if (m_nCaptureState == kCaptureSelecting || (m_pOverlay && m_pOverlay->m_bSelectMode)) {
        if (m_pOverlay)
            EnableWindow(m_pOverlay->m_hWnd, FALSE);
        ExitCapture();
        return;
    }
    if (GetFrameMode() != kModeInking || !m_bInkArmed)
        return;
    ShowOverlay(false);
    if (HWND hwndFrame = OverlayMainFrame())
        ShowWindow(hwndFrame, SW_RESTORE);
    ShowMainWindow(true);
}

void CScrivoView::OnOverlayClickBesideStrip() {
    ClosePenWidthPopup();
    RaiseMainFrame();
}

bool CScrivoView::IsOverlayInUse() const {
    return GetFrameMode() != kModeLetter || m_nCaptureState == kCaptureSelecting;
}
