// Rows and headers of device-independent bitmaps, the one place that knows their layout: every
// row is padded to a multiple of 4 bytes.
#pragma once
#include <windows.h>

#include <cstdint>

// Bytes in one row of nWidth pixels of nBits each.
constexpr std::int64_t DibStride(std::int64_t nWidth, int nBits) {
    return (nWidth * nBits + 31) / 32 * 4;
}

// An uncompressed header of nWidth x nHeight pixels of nBits each; a negative height describes
// rows from the top down, a positive one from the bottom up.
inline BITMAPINFO DibHeader(LONG nWidth, LONG nHeight, WORD nBits) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = nBits;
    bmi.bmiHeader.biCompression = BI_RGB;
    return bmi;
}
