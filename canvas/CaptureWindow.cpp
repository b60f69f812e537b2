#include "CaptureWindow.h"

#include <windowsx.h>

#include "DocTemplate.h"
#include "GdiObjects.h"
#include "PointerApi.h"
#include "Resources.h"
#include "WinApp.h"
#include "WintabApi.h"

namespace {
// The program's cursor for selecting a capture area.
constexpr UINT kCaptureCursor = 221;

// The overlay this process shows over the screen, for the crash filter.
HWND g_hwndOverlay = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER g_pfnNextFilter = nullptr;

// A crash must not leave the top-most full-screen overlay over the desktop while the system
// reports it: the process then stays, stopped, with its windows, and the overlay would hide the
// report and everything else. Another thread than the overlay's asks without waiting for a
// thread that may hang, and gives it half a second.
LONG WINAPI HideOverlayOnCrash(EXCEPTION_POINTERS* pInfo) {
    if (HWND hwnd = g_hwndOverlay; hwnd && IsWindowVisible(hwnd)) {
        const bool bOwnThread = GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (bOwnThread ? 0 : SWP_ASYNCWINDOWPOS));
        for (int i = 0; i < 50 && IsWindowVisible(hwnd); ++i)
            Sleep(10);
    }
    return g_pfnNextFilter ? g_pfnNextFilter(pInfo) : EXCEPTION_CONTINUE_SEARCH;
}

void WatchForCrash(HWND hwndOverlay) {
    static bool s_bInstalled = false;
    if (!s_bInstalled) {
        g_pfnNextFilter = SetUnhandledExceptionFilter(HideOverlayOnCrash);
        s_bInstalled = true;
    }
    g_hwndOverlay = hwndOverlay;
}

RECT DesktopRect() {
    RECT rc{};
    GetWindowRect(GetDesktopWindow(), &rc);
    return rc;
}
} // namespace

CCaptureWindow::CCaptureWindow(IOverlayOwner& owner) : m_owner(owner) {
    m_hcurCapture = LoadCursorW(GetResourceInstance(), MAKEINTRESOURCEW(kCaptureCursor));
    if (!m_hcurCapture)
        m_hcurCapture = LoadCursorW(nullptr, IDC_CROSS);
}

CCaptureWindow::~CCaptureWindow() {
    FollowMessages(false);
    if (g_hwndOverlay == m_hWnd)
        g_hwndOverlay = nullptr;
    DestroyWindow();
    if (!m_strClass.empty())
        UnregisterClassW(m_strClass.c_str(), GetModuleHandleW(nullptr));
}

bool CCaptureWindow::Create(const wchar_t* pszClass) {
    // An overlay that an earlier run left on the screen is asked to go; one that a running
    // instance uses stays (see OnClose).
    if (HWND hwndOld = FindWindowW(pszClass, pszClass))
        PostMessageW(hwndOld, WM_CLOSE, 0, 0);
    WNDCLASSEXW wc{};
    wc.hCursor = LoadCursorW(nullptr, IDC_WAIT);
    wc.lpszClassName = pszClass;
    if (!RegisterFrameworkClass(wc))
        return true;
    m_strClass = pszClass;
    if (!CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, pszClass, pszClass, WS_POPUP, 0, 0, 0, 0,
                  nullptr, nullptr))
        return false;
    WatchForCrash(m_hWnd);
    return true;
}

bool CCaptureWindow::PrepareInkImage() {
    m_rcDesktop = DesktopRect();
    return m_dcInk.EnsureSize(m_rcDesktop.right - m_rcDesktop.left,
                              m_rcDesktop.bottom - m_rcDesktop.top);
}

void CCaptureWindow::ShowOverDesktop() {
    if (!m_hWnd)
        return;
    m_rcDesktop = DesktopRect();
    SetWindowPos(m_hWnd, HWND_TOPMOST, m_rcDesktop.left, m_rcDesktop.top,
                 m_rcDesktop.right - m_rcDesktop.left, m_rcDesktop.bottom - m_rcDesktop.top,
                 SWP_SHOWWINDOW);
    SetForegroundWindow(m_hWnd);
    InvalidateRect(m_hWnd, nullptr, FALSE);
    UpdateWindow(m_hWnd);
    FollowMessages(true);
    m_owner.OnOverlayShown();
}

void CCaptureWindow::Hide() {
    if (!m_hWnd)
        return;
    ShowWindow(m_hWnd, SW_HIDE);
    FollowMessages(false);
    m_owner.OnOverlayShown();
}

void CCaptureWindow::FollowMessages(bool bShown) {
    m_hcurShown = nullptr;
    if (CWinApp* pApp = CWinApp::Get(); pApp && bShown)
        pApp->AddMessageFilter(this);
    else if (pApp)
        pApp->RemoveMessageFilter(this);
}

bool CCaptureWindow::FilterMessage(MSG* pMsg) {
    const UINT m = pMsg->message;
    const bool bMouse = (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
                        (m >= WM_NCMOUSEMOVE && m <= WM_NCXBUTTONDBLCLK);
    if (bMouse && pMsg->hwnd != m_hWnd)
        m_hcurShown = nullptr;
    return false;
}

void CCaptureWindow::ShowToolCursor() {
    HCURSOR hCursor = m_owner.OverlayToolCursor();
    if (hCursor == m_hcurShown)
        return;
    SetCursor(hCursor);
    m_hcurShown = hCursor;
}

void CCaptureWindow::ShowArea(const RECT& rc) {
    if (!m_hWnd || !m_dcInk || !IsWindowVisible(m_hWnd))
        return;
    CWindowDC window(m_hWnd);
    BitBlt(window.Get(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, m_dcInk.Get(),
           rc.left, rc.top, SRCCOPY);
}

void CCaptureWindow::OnActivate(UINT nState) {
    if (!m_bSelectMode)
        return;
    m_owner.EnableOverlayTablet(nState == WA_INACTIVE ? FALSE : TRUE);
    if (nState == WA_CLICKACTIVE) {
        SetForegroundWindow(m_hWnd);
        SetCapture(m_hWnd);
        EnableWindow(m_hWnd, TRUE);
    }
}

POINT CCaptureWindow::ScreenPointOf(LPARAM lParam) const {
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(m_hWnd, &pt);
    return pt;
}

void CCaptureWindow::OnMouseMove(POINT pt) {
    if (m_bSelectMode) {
        SetCapture(m_hWnd);
        EnableWindow(m_hWnd, TRUE);
        SetCursor(m_hcurCapture);
        return;
    }
    ShowToolCursor();
    // Over the strip the mouse is the strip's: its buttons must get the clicks.
    HWND hwndFrame = m_owner.OverlayMainFrame();
    RECT rcFrame{};
    POINT ptScreen = pt;
    ClientToScreen(m_hWnd, &ptScreen);
    if (!hwndFrame || !GetWindowRect(hwndFrame, &rcFrame) || !PtInRect(&rcFrame, ptScreen))
        return;
    m_bRepaintAll = true;
    m_hcurShown = nullptr;
    if (GetCapture() == m_hWnd) {
        ReleaseCapture();
        SetForegroundWindow(hwndFrame);
    }
    // Whoever holds the mouse, the strip must lie above the overlay where the pointer is, or the
    // first click on its buttons lands on the overlay.
    m_owner.KeepStripInFront();
}

void CCaptureWindow::OnLButtonDown() {
    if (m_bRepaintAll || m_bModal)
        m_owner.OnOverlayClickBesideStrip();
}

void CCaptureWindow::OnButtonDone() {
    if (!m_bSelectMode)
        m_owner.KeepStripInFront();
}

// A Windows Ink pen is pressed and lifted on the overlay as the left button is; any other pointer
// is left to the system, which makes mouse messages of it.
LRESULT CCaptureWindow::OnPointer(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (!m_owner.OnOverlayPointer(uMsg, wParam))
        return Default(uMsg, wParam, lParam);
    if (uMsg == kWmPointerDown)
        OnLButtonDown();
    if (uMsg != kWmPointerUpdate)
        OnButtonDone();
    return 0;
}

// The overlay shows its ink image and nothing else: the frozen screen (tinted while an area is
// selected) with the ink written over it.
void CCaptureWindow::OnPaint() {
    CPaintScope paint(m_hWnd);
    if (!m_bSelectMode)
        m_bRepaintAll = false;
    if (!m_dcInk)
        return;
    const RECT& rc = paint.Invalid();
    BitBlt(paint.Get(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, m_dcInk.Get(),
           rc.left, rc.top, SRCCOPY);
}

// Another start of the program asks an overlay of its class to close: one that nothing uses is
// hidden; one that a mode or a capture uses stays, or that instance would lose its screen. The
// window itself lives as long as the view.
void CCaptureWindow::OnClose() {
    if (!m_owner.IsOverlayInUse())
        Hide();
}

LRESULT CCaptureWindow::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && LOWORD(lParam) != 0)
            m_owner.OnOverlayEscape();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam)
            SetCapture(m_hWnd);
        else if (GetCapture() == m_hWnd)
            ReleaseCapture();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        m_owner.OnOverlayMouse(uMsg, ScreenPointOf(lParam));
        return 0;
    case WM_SETCURSOR:
        return TRUE;
    case WT_PACKET:
        return m_owner.OnOverlayPacket(wParam, lParam);
    case kWmPointerDown:
    case kWmPointerUpdate:
    case kWmPointerUp:
        return OnPointer(uMsg, wParam, lParam);
    case WM_LBUTTONDOWN:
        OnLButtonDown();
        m_owner.OnOverlayMouse(uMsg, ScreenPointOf(lParam));
        Default(uMsg, wParam, lParam);
        OnButtonDone();
        return 0;
    case WM_LBUTTONUP:
        m_owner.OnOverlayMouse(uMsg, ScreenPointOf(lParam));
        Default(uMsg, wParam, lParam);
        OnButtonDone();
        return 0;
    case WM_CAPTURECHANGED: {
        // Taking the mouse again while holding it (every move of a selection does) loses
        // nothing: the drag goes on.
        if (reinterpret_cast<HWND>(lParam) == m_hWnd)
            return 0;
        m_hcurShown = nullptr;
        const DWORD dwPos = GetMessagePos();
        m_owner.OnOverlayMouse(uMsg, {GET_X_LPARAM(dwPos), GET_Y_LPARAM(dwPos)});
        return Default(uMsg, wParam, lParam);
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    default:
        return Default(uMsg, wParam, lParam);
    }
}
