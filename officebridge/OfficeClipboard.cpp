#include "OfficeClipboard.h"

#include <cstring>

bool PutInkOnClipboard(HWND hwndOwner, HDC hdc, HBITMAP hbm, bool) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    if (!GetDIBits(hdc, hbm, 0, 0, nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS))
        return false;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    LONG nHeight = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    SIZE_T nRow = ((static_cast<SIZE_T>(header.biWidth) * 3 + 3) / 4) * 4;
    header.biSizeImage = static_cast<DWORD>(nRow * nHeight);
    HGLOBAL hDib = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, header.biSizeImage + sizeof header);
    if (!hDib)
        return false;
    auto* p = static_cast<BYTE*>(GlobalLock(hDib));
    std::memcpy(p, &header, sizeof header);
    GetDIBits(hdc, hbm, 0, static_cast<UINT>(nHeight), p + sizeof header,
              reinterpret_cast<BITMAPINFO*>(p), DIB_RGB_COLORS);
    GlobalUnlock(hDib);
    if (!OpenClipboard(hwndOwner)) {
        GlobalFree(hDib);
        return false;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_DIB, hDib))
        GlobalFree(hDib);
    CloseClipboard();
    return true;
}
