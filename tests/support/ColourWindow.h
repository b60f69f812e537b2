// A window of one colour on the screen, for tests that freeze or read the screen, and the pixel
// the screen shows at a point.
#pragma once
#include <windows.h>

#include <string>

// A top-most window filled with one colour, repainted in it whenever asked. A title makes it a
// window that the program's mail area grows to.
class CColourWindow {
public:
    CColourWindow(const RECT& rc, COLORREF cr, const wchar_t* pszTitle = L"");
    // An ordinary window of the desktop instead, below every top-most one. The system activates
    // it when a window of the program goes; this thread handles that only when it next looks at
    // its messages, and a top-most window would then rise above the program's overlay.
    static constexpr struct Ordinary {
    } kOrdinary{};
    CColourWindow(const RECT& rc, COLORREF cr, Ordinary, const wchar_t* pszTitle = L"");
    ~CColourWindow();
    CColourWindow(const CColourWindow&) = delete;
    CColourWindow& operator=(const CColourWindow&) = delete;
    // Fills the window with another colour from now on.
    void Repaint(COLORREF cr);
    HWND m_hWnd = nullptr;
    // Whether the display showed the window's colour at its centre once it was made.
    bool m_bShown = false;

private:
    HBRUSH m_hBrush = nullptr;
    std::wstring m_strClass;
};

// The pixel the screen shows at a point.
COLORREF ScreenPixel(POINT pt);
