#include "ToolTipCtrl.h"

void InitCommonControlClasses() {
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = 0xFF;
    InitCommonControlsEx(&icc);
}

bool CToolTipCtrl::Create(HWND hwndOwner, DWORD dwStyle) {
    Destroy();
    InitCommonControlClasses();
    m_hwndOwner = hwndOwner;
    // The tip window has no owner of its own: an owned window above a frame keeps the frame
    // out of the top-most band under Wine, where the strip of desktop and inking mode lives.
    m_hWnd = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    return m_hWnd != nullptr;
}

void CToolTipCtrl::Destroy() {
    if (m_hWnd && IsWindow(m_hWnd))
        DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

bool CToolTipCtrl::AddTool(HWND hwndTool, const wchar_t* pszText) {
    if (!m_hWnd || !hwndTool)
        return false;
    TOOLINFOW ti{};
    ti.cbSize = kToolInfoSize;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = m_hwndOwner;
    ti.uId = reinterpret_cast<UINT_PTR>(hwndTool);
    ti.hinst = GetModuleHandleW(nullptr);
    ti.lpszText = const_cast<wchar_t*>(pszText);
    return SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != FALSE;
}

void CToolTipCtrl::Activate(bool bActivate) {
    if (m_hWnd)
        SendMessageW(m_hWnd, TTM_ACTIVATE, bActivate ? TRUE : FALSE, 0);
}

void CToolTipCtrl::RelayEvent(const MSG* pMsg) const {
    if (m_hWnd && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        SendMessageW(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}

int CToolTipCtrl::GetToolCount() const {
    return m_hWnd ? static_cast<int>(SendMessageW(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)) : 0;
}
