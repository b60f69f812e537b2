#include "DialogBar.h"

#include "FrameWnd.h"
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
    if (m_nBarStyle & CBRS_TOOLTIPS)
        m_childTips.Create(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    return true;
}

RECT CDialogBar::GetLayoutRect(bool /*bMove*/) {
    return {0, 0, m_sizeDefault.cx, m_sizeDefault.cy};
}

void CDialogBar::UpdateDialogControls(CFrameWnd* pTarget) {
    if (!m_hWnd || !pTarget)
        return;
    for (HWND hwnd = GetWindow(m_hWnd, GW_CHILD); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        const int nID = GetDlgCtrlID(hwnd);
        if (nID <= 0 || nID == 0xFFFF)
            continue;
        CCmdUI cmdUI(static_cast<UINT>(nID));
        if (!pTarget->RouteUpdateCommand(cmdUI))
            continue;
        if ((IsWindowEnabled(hwnd) != FALSE) != cmdUI.m_bEnabled)
            EnableWindow(hwnd, cmdUI.m_bEnabled ? TRUE : FALSE);
    }
}

void CDialogBar::AddChildTips() {
    if (!m_childTips.GetSafeHwnd())
        return;
    TOOLINFOW ti{};
    ti.cbSize = CToolTipCtrl::kToolInfoSize;
    for (HWND hwnd = GetWindow(m_hWnd, GW_CHILD); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        ti.hwnd = m_hWnd;
        ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
        const bool bKnown = SendMessageW(m_childTips.GetSafeHwnd(), TTM_GETTOOLINFOW, 0,
                                         reinterpret_cast<LPARAM>(&ti)) != FALSE;
        if (!bKnown && GetDlgCtrlID(hwnd) > 0)
            m_childTips.AddTool(hwnd, LPSTR_TEXTCALLBACKW);
    }
}

std::wstring CDialogBar::ChildTipText(UINT nID) {
    const std::wstring str = LoadResString(nID);
    const std::wstring::size_type nNewline = str.find(L'\n');
    return nNewline == std::wstring::npos ? std::wstring() : str.substr(nNewline + 1);
}

void CDialogBar::OnGetTipText(NMTTDISPINFOW* pInfo) {
    HWND hwndTool =
        (pInfo->uFlags & TTF_IDISHWND) ? reinterpret_cast<HWND>(pInfo->hdr.idFrom) : nullptr;
    m_strTipText = hwndTool ? ChildTipText(static_cast<UINT>(GetDlgCtrlID(hwndTool))) : L"";
    pInfo->lpszText = m_strTipText.data();
    pInfo->szText[0] = L'\0';
    pInfo->hinst = nullptr;
}

bool CDialogBar::PreTranslateMessage(MSG* pMsg) {
    if (m_hWnd && (pMsg->hwnd == m_hWnd || IsChild(m_hWnd, pMsg->hwnd)))
        m_childTips.RelayEvent(pMsg);
    return false;
}

INT_PTR CDialogBar::DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_COMMAND:
        SendMessageW(GetParent(m_hWnd), WM_COMMAND, wParam, lParam);
        return TRUE;
    case WM_NOTIFY: {
        auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (pHdr->hwndFrom != m_childTips.GetSafeHwnd() || pHdr->code != TTN_GETDISPINFOW)
            return FALSE;
        OnGetTipText(reinterpret_cast<NMTTDISPINFOW*>(lParam));
        return TRUE;
    }
    default:
        return FALSE;
    }
}
