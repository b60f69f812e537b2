#include "ScreenShot.h"

#include <cstdio>

bool SaveScreenBitmap(const RECT& rc, const wchar_t* pszPath) {
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (cx <= 0 || cy <= 0)
        return false;
    HDC hdcScreen = GetDC(nullptr);
    HDC hdcMem = CreateCompatibleDC(hdcScreen);
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 24, BI_RGB};
    void* pBits = nullptr;
    HBITMAP hbm = CreateDIBSection(hdcScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hdcMem, hbm);
    BitBlt(hdcMem, 0, 0, cx, cy, hdcScreen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    const DWORD nStride = ((cx * 3 + 3) / 4) * 4, nSize = nStride * cy;
    BITMAPFILEHEADER bf{0x4D42, static_cast<DWORD>(sizeof(bf) + sizeof(bmi.bmiHeader) + nSize), 0,
                        0, static_cast<DWORD>(sizeof(bf) + sizeof(bmi.bmiHeader))};
    FILE* f = _wfopen(pszPath, L"wb");
    bool bOk = f != nullptr && pBits != nullptr;
    if (f) {
        std::fwrite(&bf, sizeof(bf), 1, f);
        std::fwrite(&bmi.bmiHeader, sizeof(bmi.bmiHeader), 1, f);
        if (pBits)
            std::fwrite(pBits, 1, nSize, f);
        std::fclose(f);
    }
    SelectObject(hdcMem, hOld);
    DeleteObject(hbm);
    DeleteDC(hdcMem);
    ReleaseDC(nullptr, hdcScreen);
    return bOk;
}

bool SaveWindowBitmap(HWND hwnd, const wchar_t* pszPath) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return SaveScreenBitmap(rc, pszPath);
}
