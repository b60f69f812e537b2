// The work behind the exports; both may throw std::bad_alloc, which the exports catch. Paths are
// Unicode: the ANSI exports convert theirs first.
#pragma once
#include <windows.h>

#include <string>

bool WriteAttachment(HDC hdc, HBITMAP hbm, const std::wstring& strPath, int nFormat,
                     COLORREF crPaper, COLORREF crLine);
HBITMAP ReadBitmapFile(const std::wstring& strPath, int& nWidth, int& nHeight);
// An ANSI path in Unicode, or empty when it is empty or cannot be converted.
std::wstring WidePath(LPCSTR pszPath);
