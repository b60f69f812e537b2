#include "ColourWindow.h"

CColourWindow::CColourWindow(const RECT& rc, COLORREF cr, Ordinary, const wchar_t* pszTitle)
    : CColourWindow(rc, cr, pszTitle) {
    SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

CColourWindow::CColourWindow(const RECT& rc, COLORREF cr, const wchar_t* pszTitle) {
    m_hBrush = CreateSolidBrush(cr);
    m_strClass = L"ModesColour" + std::to_wstring(cr);
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = m_hBrush;
    wc.lpszClassName = m_strClass.c_str();
    RegisterClassExW(&wc);
    m_hWnd = CreateWindowExW(WS_EX_TOPMOST, m_strClass.c_str(), pszTitle, WS_POPUP | WS_VISIBLE,
                             rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(m_hWnd);
    // Only what the display shows can be frozen: wait until it shows the window.
    const POINT ptCentre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    for (int i = 0; i < 250 && !m_bShown; ++i) {
        m_bShown = ScreenPixel(ptCentre) == cr;
        if (!m_bShown)
            Sleep(20);
    }
}

void CColourWindow::Repaint(COLORREF cr) {
    HBRUSH hOld = m_hBrush;
    m_hBrush = CreateSolidBrush(cr);
    SetClassLongPtrW(m_hWnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(m_hBrush));
    DeleteObject(hOld);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    UpdateWindow(m_hWnd);
}

CColourWindow::~CColourWindow() {
    DestroyWindow(m_hWnd);
    UnregisterClassW(m_strClass.c_str(), GetModuleHandleW(nullptr));
    DeleteObject(m_hBrush);
}

COLORREF ScreenPixel(POINT pt) {
    // What a window draws outside a paint reaches the display when its thread next looks at
    // its messages.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    HDC hdc = GetDC(nullptr);
    const COLORREF cr = GetPixel(hdc, pt.x, pt.y);
    ReleaseDC(nullptr, hdc);
    return cr;
}
