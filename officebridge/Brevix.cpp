#include <windows.h>

extern "C" int WINAPI Brevix_Insert(HWND, const RECT*, HDC, HBITMAP) { return 0; }
