// CWnd: a C++ object bound to one window. The static window procedure takes the object from
// CREATESTRUCT::lpCreateParams on WM_NCCREATE, keeps it in GWLP_USERDATA and forwards every
// message to the virtual WindowProc; each window class answers its messages in one switch there.
#pragma once
#include <windows.h>

#include "CmdTarget.h"

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Destroys a window that still exists, so that no message reaches a deleted object.
    ~CWnd() override;

    HWND GetSafeHwnd() const { return m_hWnd; }
    // The object bound to a window of this framework, or null.
    static CWnd* FromHandle(HWND hwnd);

    // Registers a class whose window procedure is the framework's; an existing class is fine.
    static bool RegisterFrameworkClass(WNDCLASSEXW wc);
    // Creates the window and binds it to this object; false when the window was not created.
    bool CreateEx(DWORD dwExStyle, LPCWSTR pszClass, LPCWSTR pszTitle, DWORD dwStyle, int x, int y,
                  int cx, int cy, HWND hwndParent, HMENU hMenuOrId);
    void DestroyWindow();

    HWND m_hWnd = nullptr;

protected:
    // Handles one message; the default passes it to DefWindowProc.
    virtual LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Called after the window has gone (WM_NCDESTROY); m_hWnd is already null.
    virtual void PostNcDestroy() {}
    LRESULT Default(UINT uMsg, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
    }
    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    friend class CDialogBar;
};
