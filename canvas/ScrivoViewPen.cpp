// The canvas view's pen: its input (tablet packets, the left mouse button, the tool cursor), what
// the stroke capture and the overlay need of the view, and what the tools ask of the shell around
// them (the width buttons and the pen-width popup, the tool buttons' looks and the line-spacing
// control of the colour and line panel).
#include "ScrivoView.h"

#include <windowsx.h>

#include "Resources.h"
#include "ScrivoFrame.h"
#include "resource.h"

namespace {
// The screen point of a mouse message's client coordinates.
POINT ScreenPointOf(HWND hWnd, LPARAM lParam) {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(hWnd, &pt);
    return pt;
}
} // namespace

bool CScrivoView::OnPenMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    switch (uMsg) {
    case WT_PACKET:
        lResult = OnWTPacket(wParam, lParam);
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // Writing on the page closes the pen-width popup.
        ClosePenWidthPopup();
        PenMouseDown();
        OnMousePen(uMsg, ScreenPointOf(m_hWnd, lParam));
        lResult = 0;
        return true;
    case WM_LBUTTONUP:
        // The stroke ends while the button still counts as down, as with the pen's own release.
        OnMousePen(uMsg, ScreenPointOf(m_hWnd, lParam));
        PenMouseUp();
        lResult = 0;
        return true;
    case WM_MOUSEMOVE:
        if (!m_hToolCursor)
            RebuildToolCursor();
        OnMousePen(uMsg, ScreenPointOf(m_hWnd, lParam));
        return false;
    case kWmPointerDown:
    case kWmPointerUpdate:
    case kWmPointerUp:
        return OnViewPointer(uMsg, wParam, lResult);
    case WM_CAPTURECHANGED: {
        // Another window took the mouse in the middle of a stroke: the stroke ends there.
        const DWORD dwPos = GetMessagePos();
        OnMousePen(uMsg, {GET_X_LPARAM(dwPos), GET_Y_LPARAM(dwPos)});
        return false;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            if (HCURSOR hCursor = PenCursor()) {
                SetCursor(hCursor);
                lResult = TRUE;
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

// A Windows Ink pen on the view is pressed and lifted as the left button is, around its samples.
bool CScrivoView::OnViewPointer(UINT uMsg, WPARAM wParam, LRESULT& lResult) {
    if (!IsInkPen())
        return false;
    if (uMsg == kWmPointerDown) {
        ClosePenWidthPopup();
        PenMouseDown();
    }
    const bool bPen = OnPointerMessage(uMsg, wParam);
    if (uMsg == kWmPointerUp || (!bPen && uMsg == kWmPointerDown))
        PenMouseUp();
    lResult = 0;
    return bPen;
}

HWND CScrivoView::ContextOwner() const {
    if (HWND hwndOverlay = OverlayWindow(); hwndOverlay && IsWindowVisible(hwndOverlay))
        return hwndOverlay;
    return GetAncestor(m_hWnd, GA_ROOT);
}

void CScrivoView::OnActivateView(bool bActivate) {
    ActivateTabletContext(bActivate ? TRUE : FALSE);
}

SIZE CScrivoView::PageSize() const {
    return {m_rcPage.right - m_rcPage.left, m_rcPage.bottom - m_rcPage.top};
}

CLines* CScrivoView::Strokes() const {
    CScrivoDoc* pDoc = GetDocument();
    return pDoc ? &pDoc->m_lines : nullptr;
}

void CScrivoView::MarkModified() {
    if (CScrivoDoc* pDoc = GetDocument())
        pDoc->SetModifiedFlag(true);
}

HCURSOR CScrivoView::EraserCursor() const {
    HCURSOR hCursor = LoadCursorW(GetResourceInstance(), MAKEINTRESOURCEW(IDC_ERASER));
    return hCursor ? hCursor : LoadCursorW(nullptr, IDC_CROSS);
}

HWND CScrivoView::OverlayWindow() const {
    const CCaptureWindow* pOverlay = m_run.GetOverlay();
    return pOverlay ? pOverlay->m_hWnd : nullptr;
}

HDC CScrivoView::OverlayInkDC() const {
    const CCaptureWindow* pOverlay = m_run.GetOverlay();
    return pOverlay ? pOverlay->InkDC() : nullptr;
}

bool CScrivoView::IsPenCovered(POINT pt) const {
    IScrivoFrame* pFrame = GetScrivoFrame();
    return pFrame && pFrame->IsPenCovered(pt);
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

void CScrivoView::OnOverlayClickBesideStrip() {
    ClosePenWidthPopup();
    RaiseMainFrame();
}

bool CScrivoView::OnWidthCommand(UINT nID) {
    IScrivoFrame* pFrame = GetScrivoFrame();
    if (!pFrame)
        return false;
    switch (nID) {
    case ID_PENCIL_WIDTH:
        pFrame->TogglePenWidthPopup(kToolPencil, m_nPencilLevel);
        pFrame->RepaintToolBar();
        return true;
    case ID_BRUSH_WIDTH:
        pFrame->TogglePenWidthPopup(kToolBrush, m_nBrushLevel);
        pFrame->RepaintToolBar();
        return true;
    case ID_MARKER_WIDTH:
        pFrame->TogglePenWidthPopup(kToolMarker, m_nMarkerLevel);
        return true;
    default:
        if (nID < ID_WIDTH_FIRST || nID >= ID_WIDTH_FIRST + kMaxLevel)
            return false;
        SetThickness(pFrame->PenWidthPopupTool(), static_cast<int>(nID - ID_WIDTH_FIRST) + 1);
        return true;
    }
}

void CScrivoView::OnToolChanged(int nOld, int nNew) {
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->OnToolChanged(nOld, nNew);
}

void CScrivoView::OnThicknessChanged(int nType, int nLevel) {
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->OnThicknessChanged(nType, nLevel);
}

void CScrivoView::OnInkWritten() {
    // The spacing of the ruled lines stays once the note has ink.
    if (IScrivoFrame* pFrame = GetScrivoFrame())
        pFrame->EnablePanelControl(IDC_LINE_SPACING, false);
}
