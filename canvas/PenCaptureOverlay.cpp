// Packets into strokes on the overlay of desktop and inking mode: the rules of those modes, the
// end of a stroke there (an eraser puts the frozen screen back where it erased), and the
// repaint of overlay areas from the frozen screen.
#include "PenCapture.h"

#include "GdiObjects.h"
#include "PenRules.h"

bool CPenCapture::TakeOverlayButton(DWORD nButtons, POINT pt) {
    const WORD nEvent = HIWORD(nButtons);
    // A pen lifted over a pop-up still ends its stroke; anything else there is not ink.
    if (nEvent == TBN_UP) {
        m_bPenDown = false;
        return true;
    }
    if (IsPenCovered(pt))
        return false;
    // A press on the program's own strip is a click on its buttons, not ink.
    if (nEvent == TBN_DOWN) {
        m_ptLast = pt;
        if (!IsOverMainFrame(pt))
            m_bPenDown = true;
    }
    return true;
}

BOOL CPenCapture::OnDesktopPacket(DWORD, DWORD nButtons, LONG x, LONG y, UINT nPressure) {
    const POINT pt{x, y};
    if (!TakeOverlayButton(nButtons, pt))
        return FALSE;
    // The view lies hidden behind the strip: a held mouse button there means no pen.
    if (m_bMouseDown || !m_bPenDown || nPressure == 0) {
        if (m_bDrawing)
            EndOverlayStroke(true);
        return TRUE;
    }
    const short nWeight = SampleWeight(kModeDesktop, m_nTool, LevelOf(m_nTool), nPressure,
                                       m_axPressure.axMax, m_nPressureScale, m_nPressureMax);
    ClearRedoOnce();
    CInkSurface surface = OverlaySurface(CanvasZoom());
    TakeSample(surface, pt, nWeight, false);
    return TRUE;
}

BOOL CPenCapture::OnInkingPacket(DWORD, DWORD nButtons, LONG x, LONG y, UINT nPressure) {
    const POINT pt{x, y};
    // After Esc the run waits with its strokes behind the restored main window: the pen writes
    // only while the frozen screen is shown.
    if (HWND hwndOverlay = OverlayWindow(); hwndOverlay && !IsWindowVisible(hwndOverlay))
        return FALSE;
    if (!m_bInkArmed || !TakeOverlayButton(nButtons, pt))
        return FALSE;
    if (!m_bPenDown || nPressure == 0) {
        if (m_bDrawing)
            EndOverlayStroke(false);
        return TRUE;
    }
    const short nWeight = SampleWeight(kModeInking, m_nTool, LevelOf(m_nTool), nPressure,
                                       m_axPressure.axMax, m_nPressureScale, m_nPressureMax);
    ClearRedoOnce();
    CInkSurface surface = OverlaySurface(1.0f);
    TakeSample(surface, pt, nWeight, true);
    return TRUE;
}

void CPenCapture::EndOverlayStroke(bool bMarkModified) {
    const bool bSmooth = m_pCurLine && m_pCurLine->IsSmooth();
    RECT rcEraser = m_pCurLine ? m_pCurLine->GetBound() : RECT{};
    CLines* pLines = FinishStroke();
    // The pen's touch raised the overlay above the strip.
    RaiseMainFrame();
    if (!pLines)
        return;
    if (m_nTool == kToolEraser) {
        RECT rcErased{};
        const bool bErased = EraseWithNewest(*pLines, rcErased);
        // The eraser's own line goes too: the area it crossed is restored with what it erased.
        InflateRect(&rcEraser, 5, 5);
        if (bErased) {
            if (bMarkModified)
                MarkModified();
            InflateRect(&rcErased, 10, 10);
            UnionRect(&rcEraser, &rcEraser, &rcErased);
        }
        RestoreOverlayArea(rcEraser);
        return;
    }
    if (bMarkModified)
        MarkModified();
    if (!bSmooth)
        return;
    CInkSurface surface = OverlaySurface(CanvasZoom());
    surface.DrawBrush(m_smScreen, m_smPage, m_ptPrev, m_ptLast, m_nLastWeight, m_crPen, m_crPen,
                      CSMLine::kKindLast, m_nPressureMax, false);
}

void CPenCapture::RestoreOverlayArea(const RECT& rc) {
    HDC hdcInk = OverlayInkDC();
    if (!hdcInk)
        return;
    if (HDC hdcFrozen = FrozenScreenDC())
        BitBlt(hdcInk, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hdcFrozen, rc.left,
               rc.top, SRCCOPY);
    if (CLines* pLines = Strokes())
        pLines->DrawInRect(hdcInk, rc);
    ShowOverlayArea(rc);
}

void CPenCapture::ShowOverlayArea(const RECT& rc) const {
    HDC hdcInk = OverlayInkDC();
    HWND hwnd = OverlayWindow();
    if (!hdcInk || !hwnd)
        return;
    CWindowDC window(hwnd);
    BitBlt(window.Get(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, hdcInk, rc.left,
           rc.top, SRCCOPY);
}
