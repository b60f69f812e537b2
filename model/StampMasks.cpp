#include "StampMasks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace stamp {

namespace {

// The triangular half of the window that a move with these signs keeps.
Mask MakeDirectionTemplate(bool bRight, bool bDown) {
    Mask t{};
    for (int k = 0; k < 13; ++k) {
        unsigned row;
        if (bRight && bDown)
            row = kFullRow << k;
        else if (bRight)
            row = kFullRow << (12 - k);
        else if (bDown)
            row = kFullRow >> k;
        else
            row = kFullRow >> (12 - k);
        t[k] = static_cast<std::uint16_t>(row & kFullRow);
    }
    return t;
}

} // namespace

const Mask& DirectionTemplate(int nIndex) {
    static const Mask templates[4] = {
        MakeDirectionTemplate(false, false), MakeDirectionTemplate(false, true),
        MakeDirectionTemplate(true, false), MakeDirectionTemplate(true, true)};
    return templates[nIndex];
}

Mask PaintMask(const Mask& mFrom, const Mask& mTemplate, int dx, int dy) {
    Mask mFootprint{};
    if (std::abs(dx) < 13 && std::abs(dy) < 13) {
        // Rows r whose source row r + dy lies in the window.
        const int rFirst = std::max(0, -dy), rEnd = std::min(13, 13 - dy);
        for (int r = rFirst; r < rEnd; ++r)
            mFootprint[r] = static_cast<std::uint16_t>(
                dx >= 0 ? (unsigned(mFrom[r + dy]) << dx) & kFullRow : mFrom[r + dy] >> -dx);
    }
    Mask mPaint;
    for (int r = 0; r < 13; ++r)
        mPaint[r] = static_cast<std::uint16_t>(mTemplate[r] & ~mFootprint[r] & kFullRow);
    return mPaint;
}

CPaintMasks::CPaintMasks() {
    for (int nFrom = 0; nFrom <= kNoTemplate; ++nFrom)
        for (int nTo = 0; nTo < 4; ++nTo)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    m[nFrom][nTo][dy + 1][dx + 1] =
                        PaintMask(nFrom == kNoTemplate ? Mask{} : DirectionTemplate(nFrom),
                                  DirectionTemplate(nTo), dx, dy);
}
const CPaintMasks g_paintMasks;

CDistances::CDistances() {
    for (int i = -kMaxRadius; i <= kMaxRadius; ++i)
        for (int j = -kMaxRadius; j <= kMaxRadius; ++j)
            d[kCentre + i][kCentre + j] = std::sqrt(double(i * i + j * j));
}
const CDistances g_distances;

} // namespace stamp
