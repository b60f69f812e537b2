#include "Wnd.h"

CWnd::~CWnd() {
    DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    return reinterpret_cast<CWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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

LRESULT CWnd::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return Default(uMsg, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = nullptr;
    if (uMsg == WM_NCCREATE) {
        auto* pcs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        pWnd = static_cast<CWnd*>(pcs->lpCreateParams);
        if (pWnd) {
            pWnd->m_hWnd = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pWnd));
        }
    } else {
        pWnd = FromHandle(hwnd);
    }
    if (!pWnd)
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(uMsg, wParam, lParam);
    } catch (...) {
        // No exception may leave a window procedure; the message counts as not handled.
        lResult = DefWindowProcW(hwnd, uMsg, wParam, lParam);
    }
    if (uMsg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        pWnd->m_hWnd = nullptr;
        pWnd->PostNcDestroy();
    }
    return lResult;
}
