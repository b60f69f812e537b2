#include "Brevix.h"

// Not yet built: no Office application is ever recognised.
int WINAPI Brevix_Office_Begin(HWND, const RECT*) {
    return 0;
}
int WINAPI Brevix_Office_Rect(const RECT*, const POINT*, int, COLORREF, float, int) {
    return 0;
}
int WINAPI Brevix_Office_CheckHorVer() {
    return 0;
}
int WINAPI Brevix_Office_Insert(HWND, const RECT*, HDC, HBITMAP, int) {
    return 0;
}
int WINAPI Brevix_Office_End() {
    return 0;
}
