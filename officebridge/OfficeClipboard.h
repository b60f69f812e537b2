// The ink bitmap handed to the clipboard at once for an Office paste.
#pragma once
#include <windows.h>

// Copies the bitmap as a packed 24-bit CF_DIB onto the clipboard, owned by hwndOwner.
bool PutInkOnClipboard(HWND hwndOwner, HDC hdc, HBITMAP hbm, bool bDelayed);
