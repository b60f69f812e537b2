// The eraser's two pixel services: the mask of an eraser path and the touch test of a stroke.
#include <algorithm>

#include "EraseMask.h"
#include "GdiObjects.h"
#include "Line.h"

namespace {

constexpr COLORREF kPathColor = CPathPens::kPathColor;

// A bitmap compatible with the screen, as the mask is drawn and flood-filled.
HBITMAP CreateScreenBitmap(int cx, int cy) {
    CWindowDC screen(nullptr);
    return CreateCompatibleBitmap(screen.Get(), cx, cy);
}

} // namespace

HBITMAP CLine::MakeEraseMask(HDC hdcMem, RECT& rcMask) const {
    SetRectEmpty(&rcMask);
    RECT rc = m_rcBound;
    InflateRect(&rc, 5, 5);
    HBITMAP hbm = CreateScreenBitmap(rc.right - rc.left, rc.bottom - rc.top);
    if (!hdcMem || !hbm) {
        if (hbm)
            DeleteObject(hbm);
        return nullptr;
    }
    const auto hOld = static_cast<HBITMAP>(SelectObject(hdcMem, hbm));
    SetViewportOrgEx(hdcMem, -rc.left, -rc.top, nullptr);
    FillRect(hdcMem, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    {
        COwnedPen pen(CreatePen(PS_SOLID, 1, kPathColor));
        CSelectScope selectPen(hdcMem, pen.Get());
        for (int i = 1; i < GetPointCount(); ++i) {
            MoveToEx(hdcMem, m_points[i - 1].x, m_points[i - 1].y, nullptr);
            LineTo(hdcMem, m_points[i].x, m_points[i].y);
        }
        // LineTo leaves out the end pixel; the path keeps it so that a loop closed there holds.
        if (GetPointCount() > 1)
            SetPixel(hdcMem, m_points.back().x, m_points.back().y, kPathColor);
    }
    // Everything the corner reaches turns white; what the path encloses stays black. The fill
    // starts from the bitmap's corner with the origin back at (0,0): some GDI implementations
    // place a flood fill's start point without the viewport origin.
    SetViewportOrgEx(hdcMem, 0, 0, nullptr);
    {
        CSelectScope selectBrush(hdcMem, GetStockObject(WHITE_BRUSH));
        ExtFloodFill(hdcMem, 0, 0, kPathColor, FLOODFILLBORDER);
    }
    rcMask = rc;
    return hOld;
}

int CLine::HitPenWidth(const LinePoint& pt) const {
    if (!m_bSmooth)
        return pt.nWidth + 1;
    return pt.nWidth / 50 * (m_nPressureMax / 256) + 2;
}

RECT CLine::HitByMask(CEraseMask& mask) const {
    RECT rcBound = m_rcBound, rc;
    InflateRect(&rcBound, 5, 5);
    if (!IntersectRect(&rc, &rcBound, &mask.Rect()) || !mask.CoversAny(rc))
        return {};
    // What goes is repainted as far as its stamps reach, which for a brush stroke is further
    // than the area its pixels are looked for in.
    const RECT rcRepaint = GetReachBound();
    const HDC hdc = mask.BeginTouch(rc);
    // Most strokes an eraser meets it takes: looking after each piece finds them early. Only a
    // stroke found nowhere is looked at as a whole, so no pixel can be missed.
    for (int i = 0; i < GetPointCount(); ++i) {
        RECT rcPiece = DrawTouchPiece(hdc, mask.Pens(), i, rc);
        if (IntersectRect(&rcPiece, &rcPiece, &rc) && mask.EndTouch(rcPiece))
            return rcRepaint;
    }
    return mask.EndTouch(rc) ? rcRepaint : RECT{};
}

void CLine::DrawTouchPath(HDC hdc, CPathPens& pens, const RECT& rcArea) const {
    for (int i = 0; i < GetPointCount(); ++i)
        DrawTouchPiece(hdc, pens, i, rcArea);
}

RECT CLine::DrawTouchPiece(HDC hdc, CPathPens& pens, int i, const RECT& rcArea) const {
    const LinePoint& pt = m_points[i];
    const int nWidth = std::max(1, HitPenWidth(pt));
    if (i == 0) {
        // A line from the first sample to itself leaves no pixel; a dot stroke must still be
        // found, so its footprint is filled.
        const RECT rcDot = {pt.x - nWidth / 2, pt.y - nWidth / 2, pt.x - nWidth / 2 + nWidth,
                            pt.y - nWidth / 2 + nWidth};
        FillRect(hdc, &rcDot, pens.Brush());
        return rcDot;
    }
    const LinePoint& prev = m_points[i - 1];
    CSelectScope selectPen(hdc, pens.Pen(nWidth));
    DrawLineSegment(hdc, prev, pt, nWidth, rcArea);
    const int nReach = nWidth / 2 + 2;
    return {std::min(prev.x, pt.x) - nReach, std::min(prev.y, pt.y) - nReach,
            std::max(prev.x, pt.x) + nReach + 1, std::max(prev.y, pt.y) + nReach + 1};
}
