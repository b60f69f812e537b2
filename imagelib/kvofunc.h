// kvofunc.dll: image files from bitmaps and bitmaps from image files.
#pragma once
#include <windows.h>

extern "C" {
// Writes the bitmap selected into hdc as a GIF (0), JPEG (1) or PNG (2) file; nonzero on success.
BOOL WINAPI CreateAttachment(HDC hdc, HBITMAP hbm, LPCSTR pszPath, int nFormat, COLORREF crPaper,
                             COLORREF crLine);
// Reads an image file into a screen-compatible bitmap; null when it cannot be read.
HBITMAP WINAPI CreateBitmapFromFile(LPCSTR pszPath, int* pnWidth, int* pnHeight);
}
