// The note file's strokes as they were stored and loaded before samples were packed: field by
// field, every sample read into a 12-byte record of its own, and the whole stroke list read a
// second time from a copy of the file's bytes. Kept for the benchmarks that show the new paths
// beside the old ones; the result is checked against the new loader.
#pragma once
#include <cstdint>
#include <vector>

#include "Archive.h"
#include "Lines.h"
#include "Pictures.h"

// One sample as the old stroke held it: x, y and weight, padded to 12 bytes.
struct COldSample {
    std::int32_t x;
    std::int32_t y;
    std::int16_t nWidth;
};

struct COldStroke {
    std::vector<COldSample> points;
    RECT rcBound{};
    COLORREF crColor = 0;
    short bMask = 0;
    short nTool = 0;
    int bSmooth = 0;
};

// Writes the stroke list (count, then each record) a field at a time.
void OracleStoreStrokes(CArchive& ar, const CLines& lines);
// Reads a note's bytes as opening a note did: the strokes a field at a time and the pictures,
// then the strokes once more from a copy of the bytes. Returns the strokes.
std::vector<COldStroke> OracleLoadNote(std::vector<std::uint8_t> data);
