// Note files for the media tests, built byte by byte: a paper of any size with thick black marker
// strokes along straight lines, and no pictures.
#pragma once
#include <cstdint>
#include <vector>

#include "NoteBytes.h"

struct CLineSpec {
    int x0, y0, x1, y1;
};

inline std::vector<std::uint8_t> NoteWithStrokes(int nPageWidth, int nPageHeight,
                                                 const std::vector<CLineSpec>& lines) {
    std::vector<std::uint8_t> d;
    PutU32(d, 13427429); // default paper colour
    PutU32(d, 11321541); // default ruling colour
    PutU32(d, 90);
    for (int n : {0, 0, nPageWidth, nPageHeight})
        PutU32(d, static_cast<std::uint32_t>(n));
    PutU32(d, static_cast<std::uint32_t>(lines.size()));
    constexpr int kSamples = 11, kWeight = 40;
    for (const CLineSpec& l : lines) {
        PutU32(d, kSamples);
        const int left = l.x0 < l.x1 ? l.x0 : l.x1, right = l.x0 < l.x1 ? l.x1 : l.x0;
        const int top = l.y0 < l.y1 ? l.y0 : l.y1, bottom = l.y0 < l.y1 ? l.y1 : l.y0;
        for (int n : {left - kWeight, top - kWeight, right + kWeight, bottom + kWeight})
            PutU32(d, static_cast<std::uint32_t>(n));
        PutU32(d, 0); // black
        PutU16(d, 1); // mask
        PutU16(d, 4); // marker
        PutU32(d, 0); // not smooth
        for (int i = 0; i < kSamples; ++i) {
            PutU32(d, static_cast<std::uint32_t>(l.x0 + (l.x1 - l.x0) * i / (kSamples - 1)));
            PutU32(d, static_cast<std::uint32_t>(l.y0 + (l.y1 - l.y0) * i / (kSamples - 1)));
            PutU16(d, kWeight);
        }
    }
    PutU32(d, 0); // no pictures
    return d;
}
