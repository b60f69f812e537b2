#include "Brevix.h"

// Not yet built: every insertion falls back to doing nothing.
int WINAPI Brevix_Insert(HWND, const RECT*, HDC, HBITMAP) {
    return 1;
}
int WINAPI Brevix_RenderFormat(HWND, UINT) {
    return 0;
}
int WINAPI Brevix_RenderFormatHTML_TimeOut(HWND) {
    return 0;
}
