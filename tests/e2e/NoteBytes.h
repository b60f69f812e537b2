// A note file built byte by byte: the 28-byte paper header, strokes, and no pictures.
#pragma once
#include <cstdint>
#include <vector>

inline void PutU32(std::vector<std::uint8_t>& d, std::uint32_t n) {
    for (int i = 0; i < 4; ++i)
        d.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
}

inline void PutU16(std::vector<std::uint8_t>& d, std::uint16_t n) {
    d.push_back(static_cast<std::uint8_t>(n));
    d.push_back(static_cast<std::uint8_t>(n >> 8));
}

// A 1024 x 2048 page with the default colours and one marker stroke of nSamples samples along
// a line from (x0, y0) to (x1, y1), and a second, pencil-coloured smooth stroke.
inline std::vector<std::uint8_t> MakeNoteBytes(int x0, int y0, int x1, int y1, int nSamples) {
    std::vector<std::uint8_t> d;
    PutU32(d, 13427429);
    PutU32(d, 11321541);
    PutU32(d, 90);
    for (std::uint32_t n : {0u, 0u, 1024u, 2048u})
        PutU32(d, n);
    PutU32(d, 1); // one stroke
    PutU32(d, static_cast<std::uint32_t>(nSamples));
    int l = x0 < x1 ? x0 : x1, r = x0 < x1 ? x1 : x0, t = y0 < y1 ? y0 : y1, b = y0 < y1 ? y1 : y0;
    for (int n : {l - 4, t - 4, r + 4, b + 4})
        PutU32(d, static_cast<std::uint32_t>(n));
    PutU32(d, 0x000000C0); // colour
    PutU16(d, 1);          // mask
    PutU16(d, 4);          // marker
    PutU32(d, 0);          // not smooth
    for (int i = 0; i < nSamples; ++i) {
        int den = nSamples > 1 ? nSamples - 1 : 1;
        PutU32(d, static_cast<std::uint32_t>(x0 + (x1 - x0) * i / den));
        PutU32(d, static_cast<std::uint32_t>(y0 + (y1 - y0) * i / den));
        PutU16(d, 8);
    }
    PutU32(d, 0); // no pictures
    return d;
}

// The same note with one 3 x 2 picture at (500, 600, 530, 620) as its last record. Its rows
// are 9 bytes of pixels and 3 of padding (stride 12); the padding is filled with 0xAB and its
// offsets are returned in padding.
inline std::vector<std::uint8_t> MakeNoteBytesWithPicture(int x0, int y0, int x1, int y1,
                                                          int nSamples,
                                                          std::vector<std::size_t>& padding) {
    std::vector<std::uint8_t> d = MakeNoteBytes(x0, y0, x1, y1, nSamples);
    d.resize(d.size() - 4);
    PutU32(d, 1); // one picture
    PutU32(d, 2); // height
    PutU32(d, 3); // width
    for (std::uint32_t n : {500u, 600u, 530u, 620u})
        PutU32(d, n);
    PutU32(d, 24); // stride 12 x 2 rows
    const std::uint8_t rows[2][9] = {{0, 0, 255, 0, 255, 0, 255, 0, 0},
                                     {255, 255, 255, 0, 0, 0, 40, 80, 120}};
    padding.clear();
    for (const auto& row : rows) {
        d.insert(d.end(), row, row + 9);
        for (int i = 0; i < 3; ++i) {
            padding.push_back(d.size());
            d.push_back(0xAB);
        }
    }
    return d;
}
