// The exports: no exception leaves the library; every failure is a null or zero result.
#include "kvofunc.h"

#include "AttachmentWriter.h"

BOOL WINAPI CreateAttachmentW(HDC hdc, HBITMAP hbm, LPCWSTR pszPath, int nFormat, COLORREF crPaper,
                              COLORREF crLine) {
    try {
        if (!pszPath || !*pszPath)
            return FALSE;
        return WriteAttachment(hdc, hbm, pszPath, nFormat, crPaper, crLine) ? TRUE : FALSE;
    } catch (...) {
        return FALSE;
    }
}

BOOL WINAPI CreateAttachment(HDC hdc, HBITMAP hbm, LPCSTR pszPath, int nFormat, COLORREF crPaper,
                             COLORREF crLine) {
    try {
        const std::wstring strPath = WidePath(pszPath);
        return CreateAttachmentW(hdc, hbm, strPath.c_str(), nFormat, crPaper, crLine);
    } catch (...) {
        return FALSE;
    }
}

HBITMAP WINAPI CreateBitmapFromFileW(LPCWSTR pszPath, int* pnWidth, int* pnHeight) {
    int nWidth = 0, nHeight = 0;
    HBITMAP hbm = nullptr;
    try {
        if (pszPath && *pszPath)
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

HBITMAP WINAPI CreateBitmapFromFile(LPCSTR pszPath, int* pnWidth, int* pnHeight) {
    std::wstring strPath;
    try {
        strPath = WidePath(pszPath);
    } catch (...) {
        strPath.clear();
    }
    return CreateBitmapFromFileW(strPath.c_str(), pnWidth, pnHeight);
}
