// The brush's stamp window: 13 rows of 13 pixels around the stamp centre, each row a bit mask
// (bit kCentre - j is column j). The four direction templates keep the half of the window behind
// a move; a paint mask is a template less the previous stamp's footprint moved with the pen. The
// masks of the one-pixel moves and the distances from the centre are made once for all strokes.
#pragma once
#include <array>
#include <cstdint>

namespace stamp {

using Mask = std::array<std::uint16_t, 13>;

constexpr int kCentre = 6; // mask row and bit of the stamp centre
constexpr std::uint16_t kFullRow = 0x1FFF;
constexpr int kMaxRadius = 6;
// The template index of "no footprint": the stroke's start, or after a whole dot.
constexpr int kNoTemplate = 4;

// Which of the four direction templates a move with these signs keeps.
inline int TemplateIndex(int dx, int dy) {
    return (dx > 0 ? 2 : 0) + (dy > 0 ? 1 : 0);
}

const Mask& DirectionTemplate(int nIndex);

// What the next stamp may paint: its template less the footprint mFrom shifted by the pixel
// move: the bit of offset (j, i) moves to offset (j - dx, i - dy), and bits leaving the window
// are lost.
Mask PaintMask(const Mask& mFrom, const Mask& mTemplate, int dx, int dy);

// PaintMask of the previous template nFrom (kNoTemplate: none) and the template nTo for a move
// of at most one pixel each way: almost every step follows a directional stamp so.
// Index [nFrom][nTo][dy + 1][dx + 1].
struct CPaintMasks {
    Mask m[kNoTemplate + 1][4][3][3];
    CPaintMasks();
};
extern const CPaintMasks g_paintMasks;

// The distance of each window pixel from the centre, as the dot's darkness needs it.
struct CDistances {
    double d[13][13];
    CDistances();
};
extern const CDistances g_distances;

// The mask bits of the columns -r .. r.
inline unsigned ColumnsWithin(int r) {
    return ((1u << (2 * r + 1)) - 1) << (kCentre - r);
}

} // namespace stamp
