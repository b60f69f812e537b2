// CWnd: a C++ object bound to one window. The framework keeps a map from window handles to their
// objects: a window of a framework class is bound on WM_NCCREATE (the object comes in
// CREATESTRUCT::lpCreateParams), a window made from a dialog template on WM_INITDIALOG, and an
// existing control when it is subclassed. Every message goes to the virtual WindowProc (or, for
// dialogs and dialog bars, DialogProc); each window class answers its messages in one switch there.
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

    // Binds the object to an existing window (a control of a dialog) and routes its messages
    // through WindowProc; what WindowProc passes to Default goes to the control's own procedure.
    bool Subclass(HWND hwnd);
    bool SubclassDlgItem(UINT nID, HWND hwndParent);

    // Sees a message of the thread's message loop before it is dispatched; true when it was used
    // and must not be dispatched. The loop offers it to the target window and then to each of its
    // parents (WalkPreTranslateTree).
    virtual bool PreTranslateMessage(MSG* /*pMsg*/) { return false; }
    static bool WalkPreTranslateTree(MSG* pMsg);
    // Sees every message of the loop first while the window is registered as a message filter
    // of the application (CWinApp::AddMessageFilter); true when it was used.
    virtual bool FilterMessage(MSG* /*pMsg*/) { return false; }

    // A notification that the parent hands back to the control it concerns (WM_DRAWITEM); true
    // when the control answered it.
    virtual bool OnChildNotify(UINT /*uMsg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
        return false;
    }

    HWND m_hWnd = nullptr;

protected:
    // Handles one message; the default passes it to DefWindowProc (or a subclassed control's own
    // procedure).
    virtual LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Handles one message of a window made from a dialog template; TRUE when handled.
    virtual INT_PTR DialogProc(UINT /*uMsg*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
        return FALSE;
    }
    // Called after the window has gone (WM_NCDESTROY); m_hWnd is already null.
    virtual void PostNcDestroy() {}
    LRESULT Default(UINT uMsg, WPARAM wParam, LPARAM lParam);

    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // The dialog procedure of CDialog and CDialogBar: WM_INITDIALOG's lParam is the object.
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

private:
    // Hands WM_DRAWITEM to the control it concerns; true when the control drew itself.
    static bool ReflectDrawItem(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void Bind(HWND hwnd);
    void Unbind();
    WNDPROC m_pfnSuper = nullptr;
};
