// The colour and line panel's mouse and scroll-bar handling: colour swatches, colour blocks,
// line spacing and dragging the strip.
#include <windowsx.h>

#include "BarLayout.h"
#include "ControlDlg.h"
#include "DialogPause.h"
#include "MainFrame.h"
#include "Resources.h"
#include "ScrivoView.h"
#include "resource.h"

bool ControlDlg::PickColor(COLORREF& cr) {
    CDialogPause pause(View());
    m_dlgColor.SetCurrentColor(cr);
    // Owned by the frame: above the top-most strip, and nothing else of the program can be
    // clicked while it is open.
    if (m_dlgColor.DoModal(m_pFrame ? m_pFrame->m_hWnd : nullptr) != IDOK)
        return false;
    cr = m_dlgColor.GetColor();
    return true;
}

void ControlDlg::SetPenColor(COLORREF cr) {
    CScrivoView* pView = View();
    if (!pView)
        return;
    pView->SetPenColor(cr);
    pView->RebuildToolCursor();
    const RECT rc = PenSwatchRect();
    InvalidateRect(m_hWnd, &rc, FALSE);
}

int ControlDlg::BlockAt(POINT pt) const {
    // Blocks that are not drawn cannot be hit either.
    if (m_nArrangedMode == kModeLetter && m_bSmallScreen)
        return -1;
    for (int i = 0; i < settings::kColorBlocks; ++i) {
        const RECT rc = ChildRect(m_hWnd, GetDlgItem(m_hWnd, IDC_COLOR_BLOCK0 + i));
        if (PtInRect(&rc, pt))
            return i;
    }
    return -1;
}

void ControlDlg::OnLButtonDown(POINT pt) {
    m_penw.HideRequest();
    CScrivoView* pView = View();
    bool bCancelled = false, bInvalidated = false;
    const RECT rcPen = PenSwatchRect();
    if (pView && PtInRect(&rcPen, pt)) {
        COLORREF cr = pView->PenColor();
        if (PickColor(cr))
            SetPenColor(cr);
        else
            bCancelled = true;
    }
    const RECT rcBack = BackSwatchRect();
    // The pen swatch lies over the background swatch's top-left corner: a click there is the
    // pen swatch's alone.
    if (pView && Mode() == kModeLetter && PtInRect(&rcBack, pt) && !PtInRect(&rcPen, pt)) {
        COLORREF cr = pView->GetPaper().crBack;
        if (PickColor(cr)) {
            pView->SetBackColor(cr);
            // The strokes are drawn again on the new paper.
            pView->PaintPage(true);
            InvalidateRect(m_hWnd, &rcBack, FALSE);
            bInvalidated = true;
        } else {
            bCancelled = true;
        }
    }
    if (const int i = BlockAt(pt); i >= 0)
        SetPenColor(m_crBlocks[i]);
    // The button may have been let go inside a colour dialog: only a press still held drags.
    if (!bInvalidated && !bCancelled && GetKeyState(VK_LBUTTON) < 0)
        m_drag.Begin(m_hWnd, pt);
}

void ControlDlg::OnLButtonDblClk(POINT pt) {
    const int i = BlockAt(pt);
    if (i < 0)
        return;
    COLORREF cr = m_crBlocks[i];
    if (!PickColor(cr))
        return;
    m_crBlocks[i] = cr;
    SetPenColor(cr);
    const RECT rc = ChildRect(m_hWnd, GetDlgItem(m_hWnd, IDC_COLOR_BLOCK0 + i));
    InvalidateRect(m_hWnd, &rc, FALSE);
}

void ControlDlg::OnVScroll(int nCode) {
    CScrivoView* pView = View();
    if (!pView || (nCode != SB_LINEUP && nCode != SB_LINEDOWN))
        return;
    // The spacing of a written note stays (the view also disables the scroll bar then).
    if (pView->HasInk())
        return;
    if (nCode == SB_LINEUP)
        pView->LineHeightUp();
    else
        pView->LineHeightDown();
}

INT_PTR ControlDlg::DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return FALSE;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return FALSE;
    default:
        return CButtonBar::DialogProc(uMsg, wParam, lParam);
    }
}
