// Screenshots for the demo, the README pictures and the end-to-end tests: a rectangle of the
// screen read into a 24-bit bitmap file.
#pragma once
#include <windows.h>

// Writes the screen's pixels inside rc (screen coordinates) to a BMP file; false on failure.
bool SaveScreenBitmap(const RECT& rc, const wchar_t* pszPath);
// The same for a window's whole rectangle.
bool SaveWindowBitmap(HWND hwnd, const wchar_t* pszPath);
