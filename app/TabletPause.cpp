#include "TabletPause.h"

#include "ScrivoView.h"

CTabletPause::CTabletPause(CScrivoView* pView, int nMode) : m_pView(pView) {
    if (!m_pView || nMode <= 0)
        return;
    m_bPaused = true;
    if (m_pView->m_hCtx) {
        if (m_pView->IsBound())
            m_pView->Binding().WTClose(m_pView->m_hCtx);
        m_pView->m_hCtx = nullptr;
    }
}

CTabletPause::~CTabletPause() {
    if (m_bPaused && m_pView->m_hWnd)
        m_pView->OpenViewContext();
}
