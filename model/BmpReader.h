// CBmpReader: the program's own reader of uncompressed BMP data held in memory (the file after
// its 14-byte file header). It checks the header against what the data can hold and turns the
// rows of every depth (1, 4, 8 bits through a colour table; 16 and 32 bits through colour masks,
// given or default; 24 bits) into 32-bit rows from the top down. It owns nothing: the data stay
// with the caller.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

class CBmpReader {
public:
    // What the header says about the data: read here, read by the image library (run-length
    // rows, the old core header), or refused for one of three reasons.
    enum class ECheck { Ok, Library, NotSupported, TooSmall, TooLarge };

    // pbmi: the header and what follows it, nDataSize bytes in all.
    CBmpReader(BITMAPINFO* pbmi, std::int64_t nDataSize) : m_pbmi(pbmi), m_nDataSize(nDataSize) {}

    // Checks the header and fills in a colour count and an image size of 0 in it. nMaxPixels
    // bounds width x height.
    ECheck Check(std::int64_t nMaxPixels);
    // After Check gave Ok: the pixels as 0x00RRGGBB, row by row from the top.
    std::vector<std::uint32_t> ReadPixels() const;

private:
    // One colour channel of a 16- or 32-bit pixel: its mask, and how far its bits lie up.
    struct CChannel {
        std::uint32_t nMask = 0;
        int nShift = 0;
        // The channel's value scaled to 8 bits.
        std::uint32_t Scale(std::uint32_t nPixel) const;
        static CChannel Of(std::uint32_t nMask);
    };

    bool ReadMasks();
    std::uint32_t PixelAt(const std::uint8_t* pRow, LONG x) const;

    BITMAPINFO* m_pbmi;
    std::int64_t m_nDataSize;
    std::int64_t m_nRowsOffset = 0; // after the header, the masks and the colour table
    CChannel m_channels[3];         // red, green, blue
};
