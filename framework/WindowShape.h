// Windows in the outline of a bitmap: the region of a bitmap's pixels that are not the
// transparent colour, given to a window with SetWindowRgn.
#pragma once
#include <windows.h>

// The region of hbm's pixels whose colour differs from crTransparent, one rectangle per run of
// such pixels in a row; an empty region when there is none, null without a bitmap. The caller
// owns the region.
HRGN BitmapToRegion(HBITMAP hbm, COLORREF crTransparent);

// Gives hwnd the outline of bitmap resource nIDBitmap (from the resource source); false, with the
// window left rectangular, when the bitmap is missing or has no region.
bool ShapeWindow(HWND hwnd, UINT nIDBitmap, COLORREF crTransparent);
