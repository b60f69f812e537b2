#include "Line.h"

#include <algorithm>
#include <cmath>

#include "GdiObjects.h"

CLine::CLine() : CLine(QueryPressureRange()) {}

CLine::CLine(const CPressureRange& range)
    : m_nPressureMax(range.nMax), m_nPressureScale(range.nScale) {}

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
            DrawPlainSegment(target.Dc(), m_points[i - 1], m_points[i], target.ClipBox());
        return;
    }
    // Drawing that GDI may still hold for the section (a plain stroke before this one) lands
    // before the renderer writes its memory.
    target.Flush();
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

void CLine::DrawPlainSegment(HDC hdc, const LinePoint& from, const LinePoint& to,
                             const RECT& rcArea) const {
    COwnedPen pen(CreatePen(PS_SOLID, to.nWidth, m_crColor));
    CSelectScope select(hdc, pen.Get());
    const int nOldRop = m_bMask ? SetROP2(hdc, R2_MASKPEN) : 0;
    DrawLineSegment(hdc, from, to, to.nWidth, rcArea);
    if (m_bMask)
        SetROP2(hdc, nOldRop);
}

void CLine::DrawLineSegment(HDC hdc, const LinePoint& from, const LinePoint& to, int nWidth,
                            const RECT& rcArea) {
    // Samples within this distance of the area are drawn exactly as they are; beyond it the
    // segment is cut where it leaves the widened area, out of sight with its round end.
    const double dMargin = (1 << 14) + std::abs(double(nWidth));
    const double dLeft = rcArea.left - dMargin, dRight = rcArea.right + dMargin;
    const double dTop = rcArea.top - dMargin, dBottom = rcArea.bottom + dMargin;
    const auto inside = [&](const LinePoint& pt) {
        return pt.x >= dLeft && pt.x <= dRight && pt.y >= dTop && pt.y <= dBottom;
    };
    if (inside(from) && inside(to)) {
        MoveToEx(hdc, from.x, from.y, nullptr);
        LineTo(hdc, to.x, to.y);
        return;
    }
    // Liang-Barsky: the part of the segment from + t (to - from), 0 <= t <= 1, in the area.
    const double dx = double(to.x) - from.x, dy = double(to.y) - from.y;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {from.x - dLeft, dRight - from.x, from.y - dTop, dBottom - from.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return;
    MoveToEx(hdc, static_cast<int>(std::lround(from.x + t0 * dx)),
             static_cast<int>(std::lround(from.y + t0 * dy)), nullptr);
    LineTo(hdc, static_cast<int>(std::lround(from.x + t1 * dx)),
           static_cast<int>(std::lround(from.y + t1 * dy)));
}

RECT CLine::GetPaintBound() const {
    return m_bSmooth ? GetReachBound() : m_rcBound;
}

RECT CLine::GetReachBound() const {
    RECT rc = m_rcBound;
    const int nReach = m_bSmooth ? CSMLine::kStampReach : 5;
    InflateRect(&rc, nReach, nReach);
    return rc;
}

bool CLine::IsVisibleIn(const RECT& rcClip) const {
    const RECT rc = GetReachBound();
    RECT rcMeet;
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
        static_assert(kToolEraser == 1 && kToolPencil == 2 && kToolBrush == 3 && kToolMarker == 4,
                      "a stroke's tool number is stored in the note file");
        ar.WriteInt16(m_nTool);
        ar.WriteInt32(m_bSmooth);
        ar.WriteBytes(m_points.data(), m_points.size() * kSampleSize);
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
    // The samples lie in the file as they lie in memory.
    std::vector<LinePoint> points(static_cast<std::size_t>(nCount));
    ar.ReadBytes(points.data(), points.size() * kSampleSize);
    m_points = std::move(points);
    m_rcBound = rc;
    m_crColor = cr;
    m_bMask = bMask;
    m_nTool = nTool;
    m_bSmooth = bSmooth;
}
