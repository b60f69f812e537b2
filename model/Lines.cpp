#include "Lines.h"

#include <algorithm>
#include <stdexcept>

#include "EraseMask.h"
#include "StrokeBands.h"

namespace {

bool IsNullRect(const RECT& rc) {
    return rc.left == 0 && rc.top == 0 && rc.right == 0 && rc.bottom == 0;
}

} // namespace

int CLines::Add(std::unique_ptr<CLine> pLine) {
    pLine->Compact();
    m_lines.push_back(std::move(pLine));
    return GetCount() - 1;
}

CLine* CLines::GetAt(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetCount())
        throw std::out_of_range("stroke index out of range");
    return m_lines[static_cast<std::size_t>(nIndex)].get();
}

void CLines::RemoveAt(int nIndex) {
    GetAt(nIndex);
    m_lines.erase(m_lines.begin() + nIndex);
}

RECT CLines::Undo() {
    if (m_lines.empty())
        return {};
    m_redo.push_back(std::move(m_lines.back()));
    m_lines.pop_back();
    return m_redo.back()->GetPaintBound();
}

RECT CLines::Redo(HDC hdc) {
    if (m_redo.empty())
        return {};
    m_lines.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    if (hdc)
        m_lines.back()->Draw(hdc);
    return m_lines.back()->GetPaintBound();
}

RECT CLines::EraseByLast() {
    if (m_lines.empty())
        return {};
    std::unique_ptr<CLine> pEraser = std::move(m_lines.back());
    m_lines.pop_back();
    // The mask covers the eraser's bounds inflated by 5, and a stroke is looked at only when
    // its own bounds, inflated as for drawing, meet them: with no such stroke the mask is not made.
    RECT rcReach = pEraser->GetBound();
    InflateRect(&rcReach, 5, 5);
    if (std::none_of(m_lines.begin(), m_lines.end(),
                     [&rcReach](const auto& pLine) { return pLine->IsVisibleIn(rcReach); }))
        return {};
    CEraseMask mask(*pEraser);
    RECT rcErased{};
    if (!mask.IsMade())
        return rcErased;
    // Walking from the end keeps the indexes still to be visited valid.
    for (std::size_t i = m_lines.size(); i-- > 0;) {
        const RECT rc = m_lines[i]->HitByMask(mask);
        if (IsNullRect(rc))
            continue;
        if (IsNullRect(rcErased))
            rcErased = rc;
        else
            UnionRect(&rcErased, &rcErased, &rc);
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return rcErased;
}

// On a DIB section each run of brush strokes is drawn in bands on all processors; the plain
// strokes between the runs are drawn by GDI on this thread, in their place in the order.
void CLines::DrawAll(HDC hdc) {
    const CPixelTarget target(hdc);
    const auto isSmooth = [](const std::unique_ptr<CLine>& pLine) { return pLine->IsSmooth(); };
    for (auto it = m_lines.begin(); it != m_lines.end();) {
        if (!target.IsDirect() || !(*it)->IsSmooth()) {
            (*it++)->Draw(target);
            continue;
        }
        const auto itEnd = std::find_if_not(it, m_lines.end(), isSmooth);
        CStrokeBands(std::span(it, itEnd)).Draw(target, CStrokeBands::ThreadCount());
        it = itEnd;
    }
}

// Only the pixels inside the rectangle are drawn: a brush stroke blends into what lies under it,
// so drawing it again over its own pixels outside a repainted region would darken them. The
// brush's target is cut to the rectangle before GDI's clipping is (a clipped context would no
// longer be painted in memory); pencil and marker strokes are clipped by GDI.
void CLines::DrawInRect(HDC hdc, const RECT& rcClip) {
    const CPixelTarget whole(hdc);
    const CPixelTarget target(whole, rcClip);
    const int nSaved = SaveDC(hdc);
    IntersectClipRect(hdc, rcClip.left, rcClip.top, rcClip.right, rcClip.bottom);
    for (const auto& pLine : m_lines)
        if (pLine->IsVisibleIn(rcClip))
            pLine->Draw(target);
    RestoreDC(hdc, nSaved);
}

// A straight stroke's bounds may have no width or height; it still counts and widens the union,
// which a rectangle union would drop as empty.
RECT CLines::UniteBounds(EBoundOf nWhich) const {
    RECT rc{};
    bool bFirst = true;
    for (const auto& pLine : m_lines) {
        const bool bMarker = pLine->GetTool() == kToolMarker;
        if ((nWhich == EBoundOf::Marker && !bMarker) || (nWhich == EBoundOf::Ink && bMarker))
            continue;
        const RECT rcLine = pLine->GetBound();
        if (bFirst)
            rc = rcLine;
        rc = {std::min(rc.left, rcLine.left), std::min(rc.top, rcLine.top),
              std::max(rc.right, rcLine.right), std::max(rc.bottom, rcLine.bottom)};
        bFirst = false;
    }
    return rc;
}

RECT CLines::GetBound() const {
    return UniteBounds(EBoundOf::All);
}

RECT CLines::GetMarkerBound() const {
    return UniteBounds(EBoundOf::Marker);
}

RECT CLines::GetInkBound() const {
    return UniteBounds(EBoundOf::Ink);
}

void CLines::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        std::size_t nBytes = 4;
        for (const auto& pLine : m_lines)
            nBytes += CLine::kRecordSize + CLine::kSampleSize * pLine->GetPointCount();
        ar.Reserve(nBytes);
        ar.WriteInt32(GetCount());
        for (const auto& pLine : m_lines)
            pLine->Serialize(ar);
        return;
    }
    const std::int32_t nCount = ar.ReadInt32();
    ar.CheckCount(nCount, CLine::kRecordSize);
    std::vector<std::unique_ptr<CLine>> lines;
    lines.reserve(static_cast<std::size_t>(nCount));
    // Every stroke takes the pressure range of the tablet present now.
    const CPressureRange range = QueryPressureRange();
    for (std::int32_t i = 0; i < nCount; ++i) {
        auto pLine = std::make_unique<CLine>(range);
        pLine->Serialize(ar);
        lines.push_back(std::move(pLine));
    }
    m_lines = std::move(lines);
}
