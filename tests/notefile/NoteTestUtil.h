// Helpers for the picture and note file tests: captured messages, bitmaps with known pixels,
// BMP files assembled byte by byte, temporary paths.
#pragma once
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "Message.h"

// Two rectangles are the same; else says both.
inline ::testing::AssertionResult SameRect(const RECT& a, const RECT& b) {
    if (EqualRect(&a, &b))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << a.left << "," << a.top << "," << a.right << ","
                                         << a.bottom << ") but expected (" << b.left << "," << b.top
                                         << "," << b.right << "," << b.bottom << ")";
}

// Captures every message shown while it lives (text, caption).
class CMessageCapture {
public:
    CMessageCapture() {
        SetMessageHook([this](const std::wstring& strText, const std::wstring& strCaption, UINT) {
            m_messages.emplace_back(strText, strCaption);
            return IDOK;
        });
    }
    ~CMessageCapture() { SetMessageHook({}); }
    CMessageCapture(const CMessageCapture&) = delete;
    CMessageCapture& operator=(const CMessageCapture&) = delete;
    const std::vector<std::pair<std::wstring, std::wstring>>& Messages() const {
        return m_messages;
    }

private:
    std::vector<std::pair<std::wstring, std::wstring>> m_messages;
};

// A screen-compatible bitmap of nWidth x nHeight with the pixels given row by row from the top.
inline HBITMAP MakeBitmap(int nWidth, int nHeight, const std::vector<COLORREF>& px) {
    std::vector<std::uint32_t> raw;
    for (COLORREF cr : px)
        raw.push_back((GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr));
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    HDC hdc = GetDC(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(hdc, nWidth, nHeight);
    SetDIBits(hdc, hbm, 0, nHeight, raw.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hdc);
    return hbm;
}

// The pixels of a bitmap as COLORREFs, row by row from the top.
inline std::vector<COLORREF> BitmapPixels(HBITMAP hbm) {
    BITMAP bm{};
    GetObjectW(hbm, sizeof(bm), &bm);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> raw(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC hdc = GetDC(nullptr);
    GetDIBits(hdc, hbm, 0, bm.bmHeight, raw.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hdc);
    std::vector<COLORREF> px;
    for (std::uint32_t n : raw)
        px.push_back(RGB((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF));
    return px;
}

// A fresh path in the temporary folder (the file does not exist yet).
inline std::wstring TempFile(const std::wstring& strName) {
    wchar_t szDir[MAX_PATH];
    GetTempPathW(MAX_PATH, szDir);
    std::wstring str =
        std::wstring(szDir) + L"quillet-" + std::to_wstring(GetCurrentProcessId()) + L"-" + strName;
    DeleteFileW(str.c_str());
    return str;
}

inline void WriteFileBytes(const std::wstring& strPath, const std::vector<std::uint8_t>& data) {
    HANDLE h = CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD dw = 0;
    WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &dw, nullptr);
    CloseHandle(h);
}

// Little-endian byte assembly, written independently of the program's archive.
class CBytes {
public:
    CBytes& U8(std::uint8_t n) {
        m_data.push_back(n);
        return *this;
    }
    CBytes& U16(std::uint16_t n) { return U8(n & 0xFF).U8(n >> 8); }
    CBytes& U32(std::uint32_t n) { return U16(n & 0xFFFF).U16(n >> 16); }
    CBytes& I32(std::int32_t n) { return U32(static_cast<std::uint32_t>(n)); }
    CBytes& Rect(int l, int t, int r, int b) { return I32(l).I32(t).I32(r).I32(b); }
    CBytes& Zeros(size_t n) {
        m_data.insert(m_data.end(), n, 0);
        return *this;
    }
    std::vector<std::uint8_t>& Data() { return m_data; }
    size_t Size() const { return m_data.size(); }

private:
    std::vector<std::uint8_t> m_data;
};

// A BMP file: the 14-byte file header (with bfOffBits as given), a 40-byte info header, the
// colour table and the pixel rows exactly as passed.
inline std::vector<std::uint8_t> MakeBmp(int nWidth, int nHeight, int nBits, std::uint32_t nClrUsed,
                                         const std::vector<COLORREF>& table,
                                         const std::vector<std::uint8_t>& rows,
                                         std::uint32_t nOffBits, std::uint32_t nSizeImage = 0) {
    CBytes b;
    const std::uint32_t nFileSize =
        14 + 40 + static_cast<std::uint32_t>(table.size() * 4 + rows.size());
    b.U8('B').U8('M').U32(nFileSize).U16(0).U16(0).U32(nOffBits);
    b.U32(40).I32(nWidth).I32(nHeight).U16(1).U16(static_cast<std::uint16_t>(nBits)).U32(BI_RGB);
    b.U32(nSizeImage).I32(2835).I32(2835).U32(nClrUsed).U32(0);
    for (COLORREF cr : table)
        b.U8(GetBValue(cr)).U8(GetGValue(cr)).U8(GetRValue(cr)).U8(0);
    b.Data().insert(b.Data().end(), rows.begin(), rows.end());
    return b.Data();
}
