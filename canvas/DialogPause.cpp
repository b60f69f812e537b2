#include "DialogPause.h"

#include "ScrivoView.h"

bool CDialogPause::Begin(CScrivoView* pView) {
    return pView && pView->ScreenRun().BeginDialogPause();
}

void CDialogPause::End(CScrivoView* pView) {
    if (pView)
        pView->ScreenRun().EndDialogPause();
}

CDialogPause::CDialogPause(CScrivoView* pView) : m_pView(pView), m_bPaused(Begin(pView)) {}

CDialogPause::~CDialogPause() {
    if (m_bPaused)
        End(m_pView);
}
