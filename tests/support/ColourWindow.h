// A window of one colour on the screen, for tests that freeze or read the screen, and the pixel
// the screen shows at a point.
#pragma once
#include <windows.h>

#include <string>

// A top-most window filled with one colour, repainted in it whenever asked.
class CColourWindow {
public:
    CColourWindow(const RECT& rc, COLORREF cr);
    ~CColourWindow();
    CColourWindow(const CColourWindow&) = delete;
    CColourWindow& operator=(const CColourWindow&) = delete;
    HWND m_hWnd = nullptr;

private:
    HBRUSH m_hBrush = nullptr;
    std::wstring m_strClass;
};

// The pixel the screen shows at a point.
COLORREF ScreenPixel(POINT pt);
