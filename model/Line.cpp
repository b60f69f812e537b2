#include "Line.h"

#include <algorithm>

#include "GdiObjects.h"
#include "TabletPressure.h"

CLine::CLine() {
    const CPressureRange range = QueryPressureRange();
    m_nPressureMax = range.nMax;
    m_nPressureScale = range.nScale;
}

void CLine::AddPoint(int x, int y, short nWidth) {
    m_points.push_back({x, y, nWidth});
    // A plain stroke covers half its pen width around each sample; a smoothed one is bounded by
    // its samples alone.
    int nHalf = 0;
    if (!m_bSmooth)
        nHalf = (nWidth - 1) / 2 + (nWidth % 2 != 0 ? 1 : 0);
    const RECT rcSample = {x - nHalf, y - nHalf, x + nHalf, y + nHalf};
    if (m_rcBound.left == 0 && m_rcBound.top == 0 && m_rcBound.right == 0 &&
        m_rcBound.bottom == 0) {
        m_rcBound = rcSample;
        return;
    }
    m_rcBound.left = std::min(m_rcBound.left, rcSample.left);
    m_rcBound.top = std::min(m_rcBound.top, rcSample.top);
    m_rcBound.right = std::max(m_rcBound.right, rcSample.right);
    m_rcBound.bottom = std::max(m_rcBound.bottom, rcSample.bottom);
}

void CLine::SetTool(short nTool, int bSmooth) {
    m_bSmooth = bSmooth;
    m_nTool = nTool;
    if (nTool == kToolMarker)
        m_bMask = 1;
}

void CLine::Draw(HDC hdc) {
    const CPixelTarget target(hdc);
    Draw(target);
}

void CLine::Draw(const CPixelTarget& target) {
    const int n = GetPointCount();
    if (!m_bSmooth) {
        for (int i = 1; i < n; ++i)
            DrawPlainSegment(target.Dc(), m_points[i - 1], m_points[i]);
        return;
    }
    // The renderer lives only while the stroke is drawn: every redraw starts from the same state.
    CSMLine sm;
    for (int i = 0; i < n; ++i) {
        const LinePoint& pt = m_points[i];
        const LinePoint prev = i == 0 ? LinePoint{0, 0, 0} : m_points[i - 1];
        const int nKind = i == 0       ? CSMLine::kKindFirst
                          : i == n - 1 ? CSMLine::kKindLast
                                       : CSMLine::kKindInner;
        sm.DrawSegment(target, prev.x, prev.y, pt.x, pt.y, pt.nWidth, m_crColor, nKind,
                       m_nPressureMax, 1.0f);
    }
}

void CLine::DrawPlainSegment(HDC hdc, const LinePoint& from, const LinePoint& to) const {
    COwnedPen pen(CreatePen(PS_SOLID, to.nWidth, m_crColor));
    CSelectScope select(hdc, pen.Get());
    const int nOldRop = m_bMask ? SetROP2(hdc, R2_MASKPEN) : 0;
    MoveToEx(hdc, from.x, from.y, nullptr);
    LineTo(hdc, to.x, to.y);
    if (m_bMask)
        SetROP2(hdc, nOldRop);
}

bool CLine::IsVisibleIn(const RECT& rcClip) const {
    RECT rc = m_rcBound, rcMeet;
    InflateRect(&rc, 5, 5);
    return IntersectRect(&rcMeet, &rc, &rcClip) != FALSE;
}

void CLine::DrawIfVisible(HDC hdc, const RECT& rcClip) {
    if (IsVisibleIn(rcClip))
        Draw(hdc);
}

void CLine::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32(GetPointCount());
        ar.WriteInt32(m_rcBound.left);
        ar.WriteInt32(m_rcBound.top);
        ar.WriteInt32(m_rcBound.right);
        ar.WriteInt32(m_rcBound.bottom);
        ar.WriteUInt32(m_crColor);
        ar.WriteInt16(m_bMask);
        ar.WriteInt16(m_nTool);
        ar.WriteInt32(m_bSmooth);
        for (const LinePoint& pt : m_points) {
            ar.WriteInt32(pt.x);
            ar.WriteInt32(pt.y);
            ar.WriteInt16(pt.nWidth);
        }
        return;
    }
    // Read everything first so that a record cut short changes nothing.
    const std::int32_t nCount = ar.ReadInt32();
    RECT rc;
    rc.left = ar.ReadInt32();
    rc.top = ar.ReadInt32();
    rc.right = ar.ReadInt32();
    rc.bottom = ar.ReadInt32();
    const COLORREF cr = ar.ReadUInt32();
    const short bMask = ar.ReadInt16();
    const short nTool = ar.ReadInt16();
    const int bSmooth = ar.ReadInt32();
    ar.CheckCount(nCount, kSampleSize);
    std::vector<LinePoint> points(static_cast<std::size_t>(nCount));
    for (LinePoint& pt : points) {
        pt.x = ar.ReadInt32();
        pt.y = ar.ReadInt32();
        pt.nWidth = ar.ReadInt16();
    }
    m_points = std::move(points);
    m_rcBound = rc;
    m_crColor = cr;
    m_bMask = bMask;
    m_nTool = nTool;
    m_bSmooth = bSmooth;
}
