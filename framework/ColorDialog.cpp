#include "ColorDialog.h"

CColorDialog::CColorDialog(COLORREF crInit, DWORD dwFlags, HWND hwndParent) {
    for (COLORREF& cr : m_crCustom)
        cr = RGB(255, 255, 255);
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.hwndOwner = hwndParent;
    m_cc.Flags = dwFlags;
    m_cc.lpCustColors = m_crCustom;
    if ((m_cc.rgbResult = crInit) != 0)
        m_cc.Flags |= CC_RGBINIT;
}

void CColorDialog::SetCurrentColor(COLORREF cr) {
    m_cc.rgbResult = cr;
    m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal(HWND hwndOwner) {
    if (hwndOwner)
        m_cc.hwndOwner = hwndOwner;
    m_bRunning = true;
    const BOOL bOk = ChooseColorW(&m_cc);
    m_bRunning = false;
    return bOk ? IDOK : IDCANCEL;
}
