// Real mouse input on KVOmail's bars and what the shell's end-to-end tests look up in the
// program: the tool bar and the panel, their buttons, the pen-width popup and the bitmaps that
// the buttons are expected to show (read from the program file or QznRes.dll itself).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "PenSession.h"
#include "UserInput.h"

// The screen's pixels over a window's client area, row by row.
std::vector<COLORREF> WindowPixels(HWND hwnd);
// A bitmap's pixels, row by row (empty when it is missing).
std::vector<COLORREF> BitmapPixels(HBITMAP hbm);

class CShellDriver {
public:
    // Bitmaps come from strResources (KVOmail.exe or QznRes.dll in the session's folder).
    CShellDriver(CPenSession& session, const std::wstring& strResources);
    ~CShellDriver();
    CShellDriver(const CShellDriver&) = delete;
    CShellDriver& operator=(const CShellDriver&) = delete;

    HWND Bar() const;
    HWND Panel() const;
    // The button with this command id on a bar (visible or not), null when there is none.
    static HWND ButtonOf(HWND hwndBar, UINT nID);
    // A click at (x, y) from a bar's top-left corner, as the layout tables give places.
    void ClickAt(HWND hwndBar, int x, int y) const;
    // The pen-width popup (the program's dialog with the width buttons), shown or not.
    HWND Popup() const;
    // A top-level dialog window of the program with a control of this id, or null.
    HWND DialogWithChild(int nChildId) const;

    // The pixels of a bitmap resource of the program's look.
    std::vector<COLORREF> Bitmap(UINT nID) const;
    std::vector<COLORREF> Bitmap(const wchar_t* pszName) const;
    // Waits until the window shows exactly the bitmap; false after nMs.
    bool WaitForImage(HWND hwnd, UINT nBitmap, DWORD nMs = 5000) const;
    // The program's visible tool tip that shows this text, or null.
    HWND VisibleTip(const std::wstring& strText) const;
    // A child window's rectangle in its parent's client coordinates.
    static RECT RectIn(HWND hwndParent, HWND hwndChild);
    // Screen pixel at a client point of a window.
    static COLORREF PixelAt(HWND hwnd, int x, int y);

    CPenSession& m_session;

private:
    HMODULE m_hResources = nullptr;
};
