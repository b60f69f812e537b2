#include "BmpReader.h"

#include <bit>
#include <cstdlib>

#include "DibFormat.h"

namespace {

// The masks of a header with bit fields lie right after its first 40 bytes: inside the larger
// headers, or after a 40-byte one.
constexpr std::int64_t kMasksAt = sizeof(BITMAPINFOHEADER);

bool IsMaskHeader(DWORD nSize) {
    return nSize == 40 || nSize == 52 || nSize == 56 || nSize == 108 || nSize == 124;
}

std::uint32_t ReadU32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

CBmpReader::CChannel CBmpReader::CChannel::Of(std::uint32_t nMask) {
    return {nMask, nMask ? std::countr_zero(nMask) : 0};
}

std::uint32_t CBmpReader::CChannel::Scale(std::uint32_t nPixel) const {
    const std::uint64_t nMax = nMask >> nShift;
    if (nMax == 0)
        return 0;
    const std::uint64_t nValue = (nPixel & nMask) >> nShift;
    return static_cast<std::uint32_t>((nValue * 255 + nMax / 2) / nMax);
}

CBmpReader::ECheck CBmpReader::Check(std::int64_t nMaxPixels) {
    BITMAPINFOHEADER& bih = m_pbmi->bmiHeader;
    if (m_nDataSize < 4)
        return ECheck::TooSmall;
    if (bih.biSize < sizeof(BITMAPINFOHEADER))
        return ECheck::Library;
    if (m_nDataSize < static_cast<std::int64_t>(sizeof(BITMAPINFOHEADER)) ||
        bih.biSize > m_nDataSize)
        return ECheck::TooSmall;
    if (bih.biWidth <= 0 || bih.biHeight == 0 || bih.biHeight == INT32_MIN)
        return ECheck::TooSmall;
    const std::int64_t nHeight = std::abs(static_cast<std::int64_t>(bih.biHeight));
    if (bih.biWidth * nHeight > nMaxPixels)
        return ECheck::TooLarge;
    if (bih.biPlanes != 1)
        return ECheck::NotSupported;
    if (bih.biCompression == BI_RLE8 || bih.biCompression == BI_RLE4)
        return ECheck::Library;
    const WORD nBits = bih.biBitCount;
    const bool bFields = bih.biCompression == BI_BITFIELDS;
    if ((bih.biCompression != BI_RGB && !bFields) ||
        (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32) ||
        (bFields && ((nBits != 16 && nBits != 32) || !IsMaskHeader(bih.biSize))))
        return ECheck::NotSupported;
    // The colour count: the header's own, or the full table of a palette image. A shorter table
    // is read as it is; indices past its end are black.
    std::int64_t nColors = bih.biClrUsed;
    if (nColors == 0 && nBits <= 8)
        nColors = std::int64_t{1} << nBits;
    if (nBits <= 8 && nColors > (std::int64_t{1} << nBits))
        return ECheck::NotSupported;
    bih.biClrUsed = static_cast<DWORD>(nColors);
    if (bih.biSizeImage == 0)
        bih.biSizeImage = static_cast<DWORD>(nHeight * bih.biWidth);
    // The rows start right after the header, the masks and the colour table, and must all be
    // there. Compared by division: stride x height can exceed 64 bits for a hostile header.
    const std::int64_t nMaskBytes = bFields && bih.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
    m_nRowsOffset = bih.biSize + nMaskBytes + nColors * 4;
    const std::int64_t nStride = DibStride(bih.biWidth, nBits);
    if (m_nRowsOffset > m_nDataSize || nHeight > (m_nDataSize - m_nRowsOffset) / nStride)
        return ECheck::TooSmall;
    if (!ReadMasks())
        return ECheck::NotSupported;
    return ECheck::Ok;
}

bool CBmpReader::ReadMasks() {
    const BITMAPINFOHEADER& bih = m_pbmi->bmiHeader;
    if (bih.biCompression != BI_BITFIELDS) {
        // Without bit fields the masks of the larger headers do not count: 5-5-5 and 8-8-8.
        const bool b16 = bih.biBitCount == 16;
        m_channels[0] = CChannel::Of(b16 ? 0x7C00 : 0xFF0000);
        m_channels[1] = CChannel::Of(b16 ? 0x03E0 : 0x00FF00);
        m_channels[2] = CChannel::Of(b16 ? 0x001F : 0x0000FF);
        return true;
    }
    const auto* pMasks = reinterpret_cast<const std::uint8_t*>(m_pbmi) + kMasksAt;
    for (int i = 0; i < 3; ++i)
        m_channels[i] = CChannel::Of(ReadU32(pMasks + 4 * i));
    // A 16-bit pixel has no bits above the lower 16.
    const std::uint32_t nAll = m_channels[0].nMask | m_channels[1].nMask | m_channels[2].nMask;
    return bih.biBitCount == 32 || (nAll >> 16) == 0;
}

std::uint32_t CBmpReader::PixelAt(const std::uint8_t* pRow, LONG x) const {
    const BITMAPINFOHEADER& bih = m_pbmi->bmiHeader;
    std::uint32_t nIndex = 0;
    switch (bih.biBitCount) {
    case 1:
        nIndex = (pRow[x >> 3] >> (7 - (x & 7))) & 1;
        break;
    case 4:
        nIndex = (pRow[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
        break;
    case 8:
        nIndex = pRow[x];
        break;
    case 24:
        return pRow[3 * x] | pRow[3 * x + 1] << 8 | pRow[3 * x + 2] << 16;
    default: {
        const std::uint32_t n =
            bih.biBitCount == 16 ? pRow[2 * x] | pRow[2 * x + 1] << 8 : ReadU32(pRow + 4 * x);
        return m_channels[0].Scale(n) << 16 | m_channels[1].Scale(n) << 8 | m_channels[2].Scale(n);
    }
    }
    if (nIndex >= bih.biClrUsed)
        return 0;
    const auto* pEntry = reinterpret_cast<const std::uint8_t*>(m_pbmi) + bih.biSize + 4 * nIndex;
    return pEntry[0] | pEntry[1] << 8 | pEntry[2] << 16;
}

std::vector<std::uint32_t> CBmpReader::ReadPixels() const {
    const BITMAPINFOHEADER& bih = m_pbmi->bmiHeader;
    const LONG nWidth = bih.biWidth, nHeight = std::abs(bih.biHeight);
    const std::int64_t nStride = DibStride(nWidth, bih.biBitCount);
    const auto* pRows = reinterpret_cast<const std::uint8_t*>(m_pbmi) + m_nRowsOffset;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(nWidth) * nHeight);
    for (LONG y = 0; y < nHeight; ++y) {
        // Rows are stored from the bottom up unless the height is negative.
        const LONG nRow = bih.biHeight < 0 ? y : nHeight - 1 - y;
        const std::uint8_t* pRow = pRows + nRow * nStride;
        std::uint32_t* pOut = pixels.data() + static_cast<std::size_t>(y) * nWidth;
        for (LONG x = 0; x < nWidth; ++x)
            pOut[x] = PixelAt(pRow, x);
    }
    return pixels;
}
