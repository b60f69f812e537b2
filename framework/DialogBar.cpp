#include "DialogBar.h"

#include "Resources.h"

bool CDialogBar::Create(HWND hwndParent, UINT nIDTemplate, UINT nStyle, UINT nID) {
    m_nBarStyle = nStyle;
    HWND hwnd = CreateDialogParamW(GetResourceInstance(), MAKEINTRESOURCEW(nIDTemplate), hwndParent,
                                   StaticDialogProc, reinterpret_cast<LPARAM>(this));
    if (!hwnd)
        return false;
    SetWindowLongPtrW(hwnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    m_sizeDefault = {rc.right - rc.left, rc.bottom - rc.top};
    ShowWindow(hwnd, SW_SHOW);
    return true;
}

RECT CDialogBar::GetLayoutRect(bool /*bMove*/) {
    return {0, 0, m_sizeDefault.cx, m_sizeDefault.cy};
}

INT_PTR CDialogBar::DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_COMMAND:
        SendMessageW(GetParent(m_hWnd), WM_COMMAND, wParam, lParam);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CDialogBar::StaticDialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CDialogBar* pBar = nullptr;
    if (uMsg == WM_INITDIALOG) {
        pBar = reinterpret_cast<CDialogBar*>(lParam);
        pBar->m_hWnd = hwnd;
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    } else {
        pBar = reinterpret_cast<CDialogBar*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!pBar)
        return FALSE;
    INT_PTR nResult = FALSE;
    try {
        nResult = pBar->DialogProc(uMsg, wParam, lParam);
    } catch (...) {
        // No exception leaves a dialog procedure; the message counts as not handled.
        nResult = FALSE;
    }
    if (uMsg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        pBar->m_hWnd = nullptr;
    }
    return nResult;
}
