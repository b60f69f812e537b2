#include "Wnd.h"

#include <mutex>
#include <unordered_map>

namespace {
// Windows and their objects. Windows belong to the user-interface thread, but tests create
// windows on other threads too, so the map is guarded.
std::mutex g_mapLock;
std::unordered_map<HWND, CWnd*>& HandleMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}
} // namespace

CWnd::~CWnd() {
    DestroyWindow();
    // A window that outlives its object (it was never destroyed through it) must not reach it.
    if (m_hWnd)
        Unbind();
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    std::lock_guard<std::mutex> lock(g_mapLock);
    auto it = HandleMap().find(hwnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

void CWnd::Bind(HWND hwnd) {
    m_hWnd = hwnd;
    std::lock_guard<std::mutex> lock(g_mapLock);
    HandleMap()[hwnd] = this;
}

void CWnd::Unbind() {
    {
        std::lock_guard<std::mutex> lock(g_mapLock);
        auto it = HandleMap().find(m_hWnd);
        if (it != HandleMap().end() && it->second == this)
            HandleMap().erase(it);
    }
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
}

bool CWnd::RegisterFrameworkClass(WNDCLASSEXW wc) {
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = StaticWindowProc;
    if (!wc.hInstance)
        wc.hInstance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(wc.hInstance, wc.lpszClassName, &existing))
        return true;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWnd::CreateEx(DWORD dwExStyle, LPCWSTR pszClass, LPCWSTR pszTitle, DWORD dwStyle, int x,
                    int y, int cx, int cy, HWND hwndParent, HMENU hMenuOrId) {
    HWND hwnd = CreateWindowExW(dwExStyle, pszClass, pszTitle, dwStyle, x, y, cx, cy, hwndParent,
                                hMenuOrId, GetModuleHandleW(nullptr), this);
    return hwnd != nullptr;
}

void CWnd::DestroyWindow() {
    if (m_hWnd && IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

bool CWnd::Subclass(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandle(hwnd))
        return false;
    Bind(hwnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWindowProc)));
    if (!m_pfnSuper) {
        Unbind();
        return false;
    }
    return true;
}

bool CWnd::SubclassDlgItem(UINT nID, HWND hwndParent) {
    return Subclass(GetDlgItem(hwndParent, static_cast<int>(nID)));
}

bool CWnd::WalkPreTranslateTree(MSG* pMsg) {
    for (HWND hwnd = pMsg->hwnd; hwnd; hwnd = GetParent(hwnd)) {
        CWnd* pWnd = FromHandle(hwnd);
        if (pWnd && pWnd->PreTranslateMessage(pMsg))
            return true;
    }
    return false;
}

bool CWnd::ReflectDrawItem(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg != WM_DRAWITEM)
        return false;
    // Owner-drawn controls draw themselves: the parent hands their drawing back to them.
    CWnd* pItem = FromHandle(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem);
    return pItem && pItem->OnChildNotify(uMsg, wParam, lParam);
}

LRESULT CWnd::Default(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return CallWindowProcW(m_pfnSuper, m_hWnd, uMsg, wParam, lParam);
    return DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return Default(uMsg, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = nullptr;
    if (uMsg == WM_NCCREATE) {
        auto* pcs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        pWnd = static_cast<CWnd*>(pcs->lpCreateParams);
        if (pWnd)
            pWnd->Bind(hwnd);
    } else {
        pWnd = FromHandle(hwnd);
    }
    if (!pWnd)
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    LRESULT lResult = 0;
    try {
        lResult =
            ReflectDrawItem(uMsg, wParam, lParam) ? TRUE : pWnd->WindowProc(uMsg, wParam, lParam);
    } catch (...) {
        // No exception may leave a window procedure; the message counts as not handled.
        lResult = pWnd->Default(uMsg, wParam, lParam);
    }
    if (uMsg == WM_NCDESTROY) {
        pWnd->Unbind();
        pWnd->PostNcDestroy();
    }
    return lResult;
}

INT_PTR CALLBACK CWnd::StaticDialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = nullptr;
    if (uMsg == WM_INITDIALOG) {
        pWnd = reinterpret_cast<CWnd*>(lParam);
        if (pWnd)
            pWnd->Bind(hwnd);
    } else {
        pWnd = FromHandle(hwnd);
    }
    if (!pWnd)
        return FALSE;
    INT_PTR nResult = FALSE;
    try {
        nResult =
            ReflectDrawItem(uMsg, wParam, lParam) ? TRUE : pWnd->DialogProc(uMsg, wParam, lParam);
    } catch (...) {
        // No exception leaves a dialog procedure; the message counts as not handled.
        nResult = FALSE;
    }
    if (uMsg == WM_NCDESTROY) {
        pWnd->Unbind();
        pWnd->PostNcDestroy();
    }
    return nResult;
}
