#include "DialogPause.h"

#include "ScrivoView.h"

bool CDialogPause::Begin(CScrivoView* pView) {
    if (!pView || !pView->m_hWnd || pView->GetFrameMode() == kModeLetter)
        return false;
    if (pView->m_nDialogPauses++ > 0)
        return true;
    pView->CloseTabletContext();
    if (CCaptureWindow* pOverlay = pView->ScreenRun().GetOverlay();
        pOverlay && GetCapture() == pOverlay->m_hWnd)
        ReleaseCapture();
    return true;
}

void CDialogPause::End(CScrivoView* pView) {
    if (!pView || pView->m_nDialogPauses == 0 || --pView->m_nDialogPauses > 0 || !pView->m_hWnd)
        return;
    pView->OpenViewContext();
}

CDialogPause::CDialogPause(CScrivoView* pView) : m_pView(pView), m_bPaused(Begin(pView)) {}

CDialogPause::~CDialogPause() {
    if (m_bPaused)
        End(m_pView);
}
