#include "PictureTracker.h"

#include "GdiObjects.h"

#include <utility>

RECT CPictureTracker::Normalize(RECT rc) {
    if (rc.left > rc.right)
        std::swap(rc.left, rc.right);
    if (rc.top > rc.bottom)
        std::swap(rc.top, rc.bottom);
    return rc;
}

RECT CPictureTracker::GetHandleRect(const RECT& rcIn, int nHandle) {
    const RECT rc = Normalize(rcIn);
    const int s = kHandleSize;
    // Side handles sit centred on their edge.
    const int cx = (rc.left + rc.right) / 2 - s / 2;
    const int cy = (rc.top + rc.bottom) / 2 - s / 2;
    switch (nHandle) {
    case hitTopLeft:
        return {rc.left - s, rc.top - s, rc.left, rc.top};
    case hitTopRight:
        return {rc.right, rc.top - s, rc.right + s, rc.top};
    case hitBottomRight:
        return {rc.right, rc.bottom, rc.right + s, rc.bottom + s};
    case hitBottomLeft:
        return {rc.left - s, rc.bottom, rc.left, rc.bottom + s};
    case hitTop:
        return {cx, rc.top - s, cx + s, rc.top};
    case hitRight:
        return {rc.right, cy, rc.right + s, cy + s};
    case hitBottom:
        return {cx, rc.bottom, cx + s, rc.bottom + s};
    case hitLeft:
        return {rc.left - s, cy, rc.left, cy + s};
    default:
        return {0, 0, 0, 0};
    }
}

int CPictureTracker::HitTest(const RECT& rcIn, POINT pt) {
    for (int n = hitTopLeft; n <= hitLeft; ++n) {
        const RECT rcHandle = GetHandleRect(rcIn, n);
        if (PtInRect(&rcHandle, pt))
            return n;
    }
    const RECT rc = Normalize(rcIn);
    return PtInRect(&rc, pt) ? hitMiddle : hitNothing;
}

void CPictureTracker::Draw(HDC hdc, const RECT& rcIn) {
    const RECT rc = Normalize(rcIn);
    const int s = kHandleSize;
    COwnedBrush hatch(CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0)));
    const int nOldMode = SetBkMode(hdc, TRANSPARENT);
    const RECT strips[4] = {{rc.left - s, rc.top - s, rc.right + s, rc.top},
                            {rc.left - s, rc.bottom, rc.right + s, rc.bottom + s},
                            {rc.left - s, rc.top, rc.left, rc.bottom},
                            {rc.right, rc.top, rc.right + s, rc.bottom}};
    for (const RECT& strip : strips)
        FillRect(hdc, &strip, hatch.Get());
    SetBkMode(hdc, nOldMode);
    HBRUSH hBlack = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (int n = hitTopLeft; n <= hitLeft; ++n) {
        const RECT rcHandle = GetHandleRect(rc, n);
        FillRect(hdc, &rcHandle, hBlack);
    }
}

void CPictureTracker::DrawDragOutline(HDC hdc, const RECT& rc) {
    const RECT rcNorm = Normalize(rc);
    DrawFocusRect(hdc, &rcNorm);
}
