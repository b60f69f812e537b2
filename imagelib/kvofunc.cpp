#include "kvofunc.h"

BOOL WINAPI CreateAttachment(HDC, HBITMAP, LPCSTR, int, COLORREF, COLORREF) {
    return FALSE;
}

HBITMAP WINAPI CreateBitmapFromFile(LPCSTR, int*, int*) {
    return nullptr;
}
