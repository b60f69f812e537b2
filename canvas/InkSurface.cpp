#include "InkSurface.h"

#include <algorithm>

#include "GdiObjects.h"
#include "PenRules.h"

namespace {
// The size of the bitmap selected into a memory device context.
SIZE BitmapSize(HDC hdc) {
    BITMAP bm{};
    if (!hdc || !GetObjectW(GetCurrentObject(hdc, OBJ_BITMAP), sizeof bm, &bm))
        return {0, 0};
    return {bm.bmWidth, bm.bmHeight};
}

// Moves the logical origin of a device context for one drawing, so that screen coordinates
// land at their place in an image of a window's client area.
class COriginScope {
public:
    COriginScope(HDC hdc, POINT ptOrigin) : m_hdc(hdc) {
        SetViewportOrgEx(hdc, -ptOrigin.x, -ptOrigin.y, &m_ptOld);
    }
    COriginScope(const COriginScope&) = delete;
    COriginScope& operator=(const COriginScope&) = delete;
    ~COriginScope() { SetViewportOrgEx(m_hdc, m_ptOld.x, m_ptOld.y, nullptr); }

private:
    HDC m_hdc;
    POINT m_ptOld{};
};
} // namespace

CInkSurface::CInkSurface(HDC hdcPage, POINT ptScroll, float fZoom, HDC hdcShown, HWND hwndShown,
                         POINT ptClientOrigin)
    : m_hdcPage(hdcPage), m_ptScroll(ptScroll), m_fZoom(fZoom), m_hdcShown(hdcShown),
      m_hwndShown(hwndShown), m_ptShownOrigin(ptClientOrigin), m_fShownScale(fZoom),
      m_fLineZoom(fZoom) {}

CInkSurface::CInkSurface(HDC hdcInk, HWND hwndOverlay, POINT ptOverlayOrigin, float fLineZoom)
    : m_hdcShown(hdcInk), m_hwndShown(hwndOverlay), m_ptShownOrigin(ptOverlayOrigin),
      m_fLineZoom(fLineZoom) {}

CInkSurface::~CInkSurface() {
    Present();
}

POINT CInkSurface::SamplePoint(POINT ptScreen) const {
    if (!m_hdcPage)
        return ptScreen;
    return ScreenToPage(ptScreen, m_ptShownOrigin, m_ptScroll, m_fZoom);
}

void CInkSurface::DrawBrush(CSMLine& smShown, CSMLine& smPage, POINT ptFrom, POINT ptTo,
                            int nWeight, COLORREF crShown, COLORREF crPage, int nKind,
                            int nPressureMax, bool bPage) {
    if (m_hdcShown) {
        const float s = m_fShownScale;
        {
            COriginScope origin(m_hdcShown, m_ptShownOrigin);
            smShown.DrawSegment(m_hdcShown, int(ptFrom.x / s), int(ptFrom.y / s), int(ptTo.x / s),
                                int(ptTo.y / s), nWeight, crShown, nKind, nPressureMax, s);
        }
        AddChanged(smShown.GetPaintedRect());
    }
    if (bPage && m_hdcPage) {
        const POINT ptPageFrom = SamplePoint(ptFrom), ptPageTo = SamplePoint(ptTo);
        smPage.DrawSegment(m_hdcPage, ptPageFrom.x, ptPageFrom.y, ptPageTo.x, ptPageTo.y, nWeight,
                           crPage, nKind, nPressureMax, 1.0f);
    }
}

void CInkSurface::DrawLine(POINT ptFrom, POINT ptTo, int nWidth, COLORREF cr, bool bMask,
                           bool bPage) {
    if (m_hdcShown) {
        const int nShownWidth = int(nWidth * m_fLineZoom);
        {
            COriginScope origin(m_hdcShown, m_ptShownOrigin);
            DrawLineOn(m_hdcShown, ptFrom, ptTo, nShownWidth, cr, bMask);
        }
        // A line covers half its width, and a pixel more, around its path.
        const int nReach = nShownWidth / 2 + 2;
        RECT rc = {std::min(ptFrom.x, ptTo.x) - nReach, std::min(ptFrom.y, ptTo.y) - nReach,
                   std::max(ptFrom.x, ptTo.x) + nReach + 1,
                   std::max(ptFrom.y, ptTo.y) + nReach + 1};
        OffsetRect(&rc, -m_ptShownOrigin.x, -m_ptShownOrigin.y);
        AddChanged(rc);
    }
    if (bPage && m_hdcPage)
        DrawLineOn(m_hdcPage, SamplePoint(ptFrom), SamplePoint(ptTo), nWidth, cr, bMask);
}

void CInkSurface::DrawLineOn(HDC hdc, POINT ptFrom, POINT ptTo, int nWidth, COLORREF cr,
                             bool bMask) const {
    COwnedPen pen(CreatePen(PS_INSIDEFRAME, nWidth, cr));
    CSelectScope select(hdc, pen.Get());
    const int nOldRop = SetROP2(hdc, bMask ? R2_MASKPEN : R2_COPYPEN);
    MoveToEx(hdc, ptFrom.x, ptFrom.y, nullptr);
    LineTo(hdc, ptTo.x, ptTo.y);
    SetROP2(hdc, nOldRop);
}

void CInkSurface::AddChanged(const RECT& rc) {
    UnionRect(&m_rcChanged, &m_rcChanged, &rc);
}

void CInkSurface::Present() {
    const SIZE size = BitmapSize(m_hdcShown);
    const RECT rcImage = {0, 0, size.cx, size.cy};
    RECT rc{};
    const bool bChanged = IntersectRect(&rc, &m_rcChanged, &rcImage);
    m_rcChanged = {};
    if (!bChanged || !m_hwndShown)
        return;
    CWindowDC window(m_hwndShown);
    BitBlt(window.Get(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, m_hdcShown,
           rc.left, rc.top, SRCCOPY);
}
