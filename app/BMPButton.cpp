#include "BMPButton.h"

#include <windowsx.h>

#include "BarLayout.h"
#include "resource.h"

bool CBMPButton::s_bHover = false;
bool CBMPButton::s_bPressed = false;
bool CBMPButton::s_bDestroyed = false;

bool CBMPButton::CreateOverMarker(HWND hwndBar, HWND hwndMarker, UINT nID, bool bVisible) {
    if (!hwndMarker)
        return false;
    const RECT rc = ChildRect(hwndBar, hwndMarker);
    // The mark has done its work; some marks share their id with another button's command.
    ::DestroyWindow(hwndMarker);
    if (!Create(hwndBar, rc, nID, bVisible ? WS_VISIBLE : 0))
        return false;
    SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void CBMPButton::OnMouseMove(POINT pt) {
    if (s_bPressed)
        return;
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    if (PtInRect(&rc, pt)) {
        if (!s_bHover) {
            SetCapture(m_hWnd);
            s_bHover = true;
        }
        SetFocus(m_hWnd);
    } else if (s_bHover) {
        s_bHover = false;
        ReleaseCapture();
        GiveFocusToSink();
    }
}

void CBMPButton::GiveFocusToSink() {
    if (HWND hwndSink = GetDlgItem(GetParent(m_hWnd), IDC_FOCUS_SINK))
        SetFocus(hwndSink);
}

void CBMPButton::OnLButtonUp(WPARAM wParam, LPARAM lParam) {
    s_bPressed = false;
    HWND hwnd = m_hWnd;
    // The click's command may hide or destroy this very button.
    Default(WM_LBUTTONUP, wParam, lParam);
    if (!IsWindow(hwnd) || FromHandle(hwnd) != this)
        return;
    if (GetCapture() == hwnd)
        ReleaseCapture();
    // The capture comes back so that leaving the button is still noticed, together with the
    // hover state that notices it, and only while the pointer is over the button: a release
    // elsewhere (a press that a tablet delivered to the button while it held the capture) must
    // not leave the program's mouse with a button that would never let it go. A button that its
    // command hid cannot be left any more.
    RECT rc{};
    GetClientRect(hwnd, &rc);
    s_bHover = !s_bDestroyed && IsWindowVisible(hwnd) &&
               PtInRect(&rc, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (s_bHover)
        SetCapture(hwnd);
    else if (GetFocus() == hwnd)
        GiveFocusToSink();
}

LRESULT CBMPButton::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return Default(uMsg, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A quick second click is a second press: pressing Undo twice takes back two strokes.
        s_bPressed = true;
        return Default(WM_LBUTTONDOWN, wParam, lParam);
    case WM_LBUTTONUP:
        OnLButtonUp(wParam, lParam);
        return 0;
    case WM_DESTROY:
        s_bDestroyed = true;
        if (GetCapture() == m_hWnd) {
            s_bHover = false;
            ReleaseCapture();
        }
        return Default(uMsg, wParam, lParam);
    default:
        return CBitmapButton::WindowProc(uMsg, wParam, lParam);
    }
}
