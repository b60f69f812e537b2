#include "Dialog.h"

#include "Resources.h"

INT_PTR CDialog::DoModal(HWND hwndParent) {
    LPCWSTR pszTemplate = MAKEINTRESOURCEW(m_nIDTemplate);
    m_bModal = true;
    const INT_PTR nResult =
        DialogBoxParamW(FindResourceModule(pszTemplate, RT_DIALOG), pszTemplate, hwndParent,
                        StaticDialogProc, reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return nResult;
}

bool CDialog::Create(HWND hwndParent) {
    LPCWSTR pszTemplate = MAKEINTRESOURCEW(m_nIDTemplate);
    m_bModal = false;
    return CreateDialogParamW(FindResourceModule(pszTemplate, RT_DIALOG), pszTemplate, hwndParent,
                              StaticDialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(INT_PTR nResult) {
    if (!m_hWnd)
        return;
    if (m_bModal)
        ::EndDialog(m_hWnd, nResult);
    else
        ShowWindow(m_hWnd, SW_HIDE);
}

bool CDialog::PreTranslateMessage(MSG* pMsg) {
    // A modal dialog's own loop does this already.
    if (m_bModal || !m_hWnd)
        return false;
    const bool bInput = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                        (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    return bInput && IsDialogMessageW(m_hWnd, pMsg) != FALSE;
}

INT_PTR CDialog::DialogProc(UINT uMsg, WPARAM wParam, LPARAM /*lParam*/) {
    switch (uMsg) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
            OnOK();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
        if (HWND hwndOwner = GetParent(m_hWnd))
            SendMessageW(hwndOwner, WM_COMMAND, wParam, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
