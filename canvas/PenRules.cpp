#include "PenRules.h"

#include "TabletPressure.h"

#include <algorithm>
#include <cstdlib>

PressureNorm NormalisePressureAxis(LONG nAxisMax) {
    const CPressureRange range = PressureRangeFromAxis(nAxisMax < 1 ? 511 : int(nAxisMax));
    return {range.nScale, range.nMax};
}

UINT MousePenPressure(int nPressureMax, int nPressureScale) {
    return UINT((nPressureMax + 1) / 2 * (nPressureScale < 1 ? 1 : nPressureScale));
}

short LetterWeight(int nTool, int nLevel, int nPressure, int nPressureMax) {
    switch (nTool) {
    case kToolPencil:
        // A tablet of fewer than 255 levels writes the pencil as one of 255 levels does, not
        // with weight 0.
        return short(nLevel * 40 * std::max(1, nPressureMax / 255));
    case kToolBrush:
        return short(nPressure * nLevel / 5);
    case kToolMarker:
        return short(nLevel * 2);
    default:
        return 1;
    }
}

namespace {
// Normalised to 0..511 as in letter mode; a scale below 1 counts as 1.
int Normalised(UINT nRaw, int nScale) {
    return int(nRaw / UINT(nScale < 1 ? 1 : nScale));
}
} // namespace

int DesktopPressure(UINT nRaw, LONG nAxisMax, int nScale) {
    if (nAxisMax > kOldTabletAxisMax)
        return Normalised(nRaw, nScale);
    int nDivisor = 1;
    if (nAxisMax >= 513 && nAxisMax <= 1024)
        nDivisor = 2;
    else if (nAxisMax >= 1025 && nAxisMax <= 1536)
        nDivisor = 3;
    else if (nAxisMax >= 1537 && nAxisMax <= 2048)
        nDivisor = 4;
    return int(nRaw / UINT(nDivisor));
}

int InkingPressure(UINT nRaw, LONG nAxisMax, int nScale) {
    return nAxisMax > kOldTabletAxisMax ? 2 * Normalised(nRaw, nScale) : int(nRaw);
}

short InkingWeight(int nTool, int nLevel, int nPressure) {
    switch (nTool) {
    case kToolPencil:
        return short(nLevel);
    case kToolBrush:
        return short(nPressure * nLevel / 200);
    case kToolMarker:
        return short(nLevel * 2);
    default:
        return 1;
    }
}

short SampleWeight(int nMode, int nTool, int nLevel, UINT nRaw, LONG nAxisMax, int nScale,
                   int nPressureMax) {
    switch (nMode) {
    case kModeDesktop:
        return LetterWeight(nTool, nLevel, DesktopPressure(nRaw, nAxisMax, nScale), nPressureMax);
    case kModeInking:
        return InkingWeight(nTool, nLevel, InkingPressure(nRaw, nAxisMax, nScale));
    default:
        return LetterWeight(nTool, nLevel, Normalised(nRaw, nScale), nPressureMax);
    }
}

POINT ClientToPage(POINT ptClient, POINT ptScroll, float fZoom) {
    POINT pt;
    pt.x = LONG(double(ptClient.x + ptScroll.x) / fZoom);
    pt.y = LONG(double(ptClient.y + ptScroll.y) / fZoom);
    return pt;
}

POINT ScreenToPage(POINT ptScreen, POINT ptOrigin, POINT ptScroll, float fZoom) {
    return ClientToPage({ptScreen.x - ptOrigin.x, ptScreen.y - ptOrigin.y}, ptScroll, fZoom);
}

bool IsOnCanvas(int nTool, POINT ptCursor, const RECT& rcWindow, int nPageWidth, int nScreenWidth,
                float fZoom) {
    if (nTool != kToolEraser && !PtInRect(&rcWindow, ptCursor))
        return false;
    const double fLimit = fZoom >= 1.0f ? double(nPageWidth) * fZoom : double(nScreenWidth) * fZoom;
    return std::abs(ptCursor.x - rcWindow.left) <= fLimit;
}
