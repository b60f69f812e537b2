// The work behind the two exports; both may throw std::bad_alloc, which the exports catch.
#pragma once
#include <windows.h>

bool WriteAttachment(HDC hdc, HBITMAP hbm, LPCSTR pszPath, int nFormat, COLORREF crPaper,
                     COLORREF crLine);
HBITMAP ReadBitmapFile(LPCSTR pszPath, int& nWidth, int& nHeight);
