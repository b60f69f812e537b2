#include "InkHandOver.h"

#include <algorithm>
#include <vector>

#include "GdiObjects.h"

int CInkHandOver::CountStrokes(const CLines& lines, bool bMarker) {
    int n = 0;
    for (int i = 0; i < lines.GetCount(); ++i)
        if ((lines.GetAt(i)->GetTool() == kToolMarker) == bMarker)
            ++n;
    return n;
}

CInkHandOver::Result CInkHandOver::HandOver(CLines& lines) {
    if (lines.GetCount() == 0)
        return Result::NoInk;
    // A straight stroke has bounds of no height: the groups are told apart by their strokes.
    const RECT rcAll = lines.GetBound(), rcMarker = lines.GetMarkerBound();
    const RECT rcInk = lines.GetInkBound();
    const int nMarker = CountStrokes(lines, true);
    const bool bInk = CountStrokes(lines, false) > 0;
    const RECT rcFirst = bInk ? rcInk : rcMarker;
    std::vector<bool> taken(size_t(lines.GetCount()), false);
    int nRefused = 0;
    if (m_bridge.OfficeBegin(m_hwndOwner, &rcFirst)) {
        if (bInk) {
            InsertPolylines(lines, false, taken, nRefused);
            m_bridge.OfficeEnd();
        }
        if (nMarker > 0) {
            // A second begin that fails has no connection to take the marker ink.
            if (!bInk || m_bridge.OfficeBegin(m_hwndOwner, &rcMarker))
                InsertPolylines(lines, true, taken, nRefused);
            else
                nRefused += nMarker;
            m_bridge.OfficeEnd();
        }
        if (nRefused == 0)
            return Result::HandedOver;
        // Part of the ink is in the document already: a picture of all of it would double that,
        // and so would a retry that sent it again.
        if (std::find(taken.begin(), taken.end(), true) != taken.end()) {
            RemoveTaken(lines, taken);
            return Result::Failed;
        }
    } else {
        // The begin is ended whatever it answered.
        m_bridge.OfficeEnd();
    }
    return InsertPicture(lines, rcAll) ? Result::HandedOver : Result::Failed;
}

float CInkHandOver::WidthInPoints(const CLine& line, int nDpi) {
    const int n = line.GetPointCount();
    if (n == 0 || nDpi <= 0)
        return 0.0f;
    double dSum = 0;
    for (int i = 0; i < n; ++i)
        dSum += line.GetPoint(i).nWidth;
    return float(dSum / n * 72.0 / nDpi);
}

void CInkHandOver::RemoveTaken(CLines& lines, const std::vector<bool>& taken) {
    for (int i = lines.GetCount() - 1; i >= 0; --i)
        if (taken[size_t(i)])
            lines.RemoveAt(i);
}

void CInkHandOver::InsertPolylines(const CLines& lines, bool bMarker, std::vector<bool>& taken,
                                   int& nRefused) {
    CWindowDC screen(nullptr);
    const int nDpi = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    for (int i = 0; i < lines.GetCount(); ++i) {
        const CLine& line = *lines.GetAt(i);
        if ((line.GetTool() == kToolMarker) != bMarker)
            continue;
        std::vector<POINT> points;
        points.reserve(size_t(line.GetPointCount()));
        for (int k = 0; k < line.GetPointCount(); ++k)
            points.push_back({line.GetPoint(k).x, line.GetPoint(k).y});
        const RECT rc = line.GetBound();
        const bool bTaken =
            m_bridge.OfficeRect(&rc, points.data(), int(points.size()), line.GetColor(),
                                WidthInPoints(line, nDpi), bMarker ? 1 : 0) != 0;
        if (bTaken)
            taken[size_t(i)] = true;
        else
            ++nRefused;
    }
}

bool CInkHandOver::InsertPicture(const CLines& lines, const RECT& rcAll) {
    const int cx = std::max(1L, rcAll.right - rcAll.left);
    const int cy = std::max(1L, rcAll.bottom - rcAll.top);
    CWindowDC window(m_hwndOwner);
    COwnedBitmap bitmap(CreateCompatibleBitmap(window.Get(), cx, cy));
    CMemoryDC dc(window.Get());
    if (!bitmap || !dc)
        return false;
    {
        CSelectScope select(dc.Get(), bitmap.Get());
        RECT rcWhite = {-5, -5, cx + 5, cy + 5};
        FillRect(dc.Get(), &rcWhite, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetViewportOrgEx(dc.Get(), -rcAll.left, -rcAll.top, nullptr);
        for (int i = 0; i < lines.GetCount(); ++i)
            lines.GetAt(i)->Draw(dc.Get());
        SetViewportOrgEx(dc.Get(), 0, 0, nullptr);
        return m_bridge.Insert(m_hwndOwner, &rcAll, dc.Get(), bitmap.Get()) != 0;
    }
}
