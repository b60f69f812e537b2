// Helpers for the image library tests: bitmaps with known pixels, temporary paths, pixel reads.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A 32-bit DIB section selected into its own memory context, as the callers hand it over.
class CTestImage {
public:
    CTestImage(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight) {
        m_hdc = CreateCompatibleDC(nullptr);
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = nWidth;
        bmi.bmiHeader.biHeight = -nHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        m_hbm = CreateDIBSection(m_hdc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_pBits),
                                 nullptr, 0);
        m_hOld = SelectObject(m_hdc, m_hbm);
    }
    CTestImage(const CTestImage&) = delete;
    CTestImage& operator=(const CTestImage&) = delete;
    ~CTestImage() {
        SelectObject(m_hdc, m_hOld);
        DeleteObject(m_hbm);
        DeleteDC(m_hdc);
    }
    void Set(int x, int y, COLORREF cr) {
        m_pBits[y * m_nWidth + x] = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
    }
    void Fill(const RECT& rc, COLORREF cr) {
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                Set(x, y, cr);
    }
    HDC Dc() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hbm; }
    // Deselects the bitmap, for callers that pass it without a context.
    void Deselect() { SelectObject(m_hdc, m_hOld); }

private:
    int m_nWidth, m_nHeight;
    HDC m_hdc;
    HBITMAP m_hbm;
    HGDIOBJ m_hOld;
    std::uint32_t* m_pBits = nullptr;
};

// The pixels of any bitmap as COLORREFs, row by row from the top.
inline std::vector<COLORREF> ReadPixels(HBITMAP hbm, int& nWidth, int& nHeight) {
    BITMAP bm{};
    GetObjectW(hbm, sizeof(bm), &bm);
    nWidth = bm.bmWidth;
    nHeight = bm.bmHeight;
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> raw(static_cast<size_t>(nWidth) * nHeight);
    HDC hdc = GetDC(nullptr);
    GetDIBits(hdc, hbm, 0, nHeight, raw.data(), &bmi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hdc);
    std::vector<COLORREF> px;
    for (std::uint32_t n : raw)
        px.push_back(RGB((n >> 16) & 0xFF, (n >> 8) & 0xFF, n & 0xFF));
    return px;
}

inline int ColourDistance(COLORREF a, COLORREF b) {
    auto d = [](int x, int y) { return x > y ? x - y : y - x; };
    int n = d(GetRValue(a), GetRValue(b));
    n = std::max(n, d(GetGValue(a), GetGValue(b)));
    return std::max(n, d(GetBValue(a), GetBValue(b)));
}

// A fresh path in the temporary folder (the file does not exist yet).
inline std::string TempPath(const char* pszName) {
    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    std::string str =
        std::string(szDir) + "quillet-" + std::to_string(GetCurrentProcessId()) + "-" + pszName;
    DeleteFileA(str.c_str());
    return str;
}

inline std::vector<std::uint8_t> FileBytes(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& strPath, const std::vector<std::uint8_t>& data) {
    std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}
