// The two ends of the pen: which of the tablet driver's cursors is an eraser end, and the turn
// from one end to the other.
#include "TabletClient.h"

#include <algorithm>

namespace {
// Cursor numbers beyond this are not looked at (a driver lists a few per tablet).
constexpr UINT kMaxCursors = 64;

// Whether the driver describes cursor n as an eraser end: marked as the inverted end of the
// cursor before it, or of an eraser's type.
bool DescribesEraser(const CWintabApi& wt, UINT nCursor) {
    UINT nCapabilities = 0;
    if (wt.WTInfoA(WTI_CURSORS + nCursor, CSR_CAPABILITIES, &nCapabilities) == sizeof(UINT) &&
        (nCapabilities & CRC_INVERT))
        return true;
    UINT nType = 0;
    return wt.WTInfoA(WTI_CURSORS + nCursor, CSR_TYPE, &nType) == sizeof(UINT) &&
           (nType & kCsrTypeKindMask) == kCsrTypeEraser;
}
} // namespace

void CTabletClient::ReadEraserCursors() {
    m_nEraserCursors = 0;
    UINT nCursors = 0;
    if (!m_hCtx || !IsBound() ||
        Binding().WTInfoA(WTI_INTERFACE, IFC_NCURSORS, &nCursors) != sizeof(UINT))
        return;
    for (UINT n = 0; n < std::min(nCursors, kMaxCursors); ++n)
        if (DescribesEraser(Binding(), n))
            m_nEraserCursors |= UINT64(1) << n;
}

bool CTabletClient::IsEraserCursor(UINT nCursor) const {
    return nCursor < kMaxCursors && (m_nEraserCursors & (UINT64(1) << nCursor)) != 0;
}

void CTabletClient::TakePenEnd(bool bEraserEnd) {
    if (bEraserEnd == m_bEraserEnd || !CanTurnPen())
        return;
    m_bEraserEnd = bEraserEnd;
    OnPenTurned(bEraserEnd);
}
