// A DIB section selected into its own memory DC: the surface the ink tests draw on and read back
// pixel by pixel. 24-bit top-down unless asked otherwise (the page bitmap is 24-bit bottom-up).
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CDibCanvas {
public:
    CDibCanvas(int cx, int cy, COLORREF crFill = RGB(255, 255, 255), int nBits = 24,
               bool bBottomUp = false);
    ~CDibCanvas();
    // The screen's pixels inside rc (screen coordinates).
    static std::unique_ptr<CDibCanvas> FromScreen(const RECT& rc);
    CDibCanvas(const CDibCanvas&) = delete;
    CDibCanvas& operator=(const CDibCanvas&) = delete;

    HDC Dc() const { return m_hdc; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    void Fill(const RECT& rc, COLORREF cr);
    COLORREF Pixel(int x, int y) const;
    // The section's memory as it stands, every byte (row padding and the fourth byte of 32-bit
    // pixels included).
    std::vector<std::uint8_t> Bytes() const;
    // Sets the fourth byte of every 32-bit pixel.
    void SetFourthBytes(std::uint8_t n);
    // Pixels that are not crFill.
    int CountOther(COLORREF crFill) const;
    // The smallest rectangle holding every pixel that is not crFill (empty when none).
    RECT InkBox(COLORREF crFill) const;
    // The first pixel that differs from other's, as "(x,y) 0x.. vs 0x..", or "" when equal.
    std::string FirstDifference(const CDibCanvas& other) const;
    // Writes a 24-bit bottom-up BMP file; reads one of the same size back into this canvas.
    bool SaveBmp(const std::wstring& strPath) const;
    bool LoadBmp(const std::wstring& strPath);

private:
    const std::uint8_t* PixelAddress(int x, int y) const;

    int m_cx, m_cy, m_nBits, m_nStride;
    bool m_bBottomUp;
    HDC m_hdc = nullptr;
    HBITMAP m_hbm = nullptr;
    HGDIOBJ m_hOld = nullptr;
    std::uint8_t* m_pBits = nullptr;
};
