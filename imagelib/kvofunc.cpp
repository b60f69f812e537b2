// The two exports: no exception leaves the library; every failure is a null or zero result.
#include "kvofunc.h"

#include "AttachmentWriter.h"

BOOL WINAPI CreateAttachment(HDC hdc, HBITMAP hbm, LPCSTR pszPath, int nFormat, COLORREF crPaper,
                             COLORREF crLine) {
    try {
        return WriteAttachment(hdc, hbm, pszPath, nFormat, crPaper, crLine) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

HBITMAP WINAPI CreateBitmapFromFile(LPCSTR pszPath, int* pnWidth, int* pnHeight) {
    int nWidth = 0, nHeight = 0;
    HBITMAP hbm = nullptr;
    try {
        hbm = ReadBitmapFile(pszPath, nWidth, nHeight);
    } catch (...) {
        hbm = nullptr;
        nWidth = nHeight = 0;
    }
    if (pnWidth)
        *pnWidth = nWidth;
    if (pnHeight)
        *pnHeight = nHeight;
    return hbm;
}
