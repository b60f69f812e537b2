// The ink as the main program hands it to the bridge: a bitmap selected into a memory DC, white
// with coloured pixels.
#pragma once
#include <windows.h>

class CInkBitmap {
public:
    // A 32-bit DIB section (bTopDown: rows stored top first) filled white.
    CInkBitmap(int nWidth, int nHeight, bool bTopDown = false) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = nWidth;
        bi.bmiHeader.biHeight = bTopDown ? -nHeight : nHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_hdc = CreateCompatibleDC(nullptr);
        void* pBits = nullptr;
        m_hbm = CreateDIBSection(m_hdc, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        m_hOld = SelectObject(m_hdc, m_hbm);
        PatBlt(m_hdc, 0, 0, nWidth, nHeight, WHITENESS);
    }
    CInkBitmap(const CInkBitmap&) = delete;
    CInkBitmap& operator=(const CInkBitmap&) = delete;
    ~CInkBitmap() {
        SelectObject(m_hdc, m_hOld);
        DeleteObject(m_hbm);
        DeleteDC(m_hdc);
    }
    HDC Dc() const { return m_hdc; }
    HBITMAP Bitmap() const { return m_hbm; }

private:
    HDC m_hdc;
    HBITMAP m_hbm;
    HGDIOBJ m_hOld;
};
