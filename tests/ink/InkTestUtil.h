// Small helpers shared by the ink tests: rectangle comparison and printing, stroke building.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <ostream>

#include "Line.h"

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline void PrintTo(const RECT& rc, std::ostream* os) {
    *os << "(" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << ")";
}

inline RECT Inflated(RECT rc, int n) {
    InflateRect(&rc, n, n);
    return rc;
}

inline std::unique_ptr<CLine> MakeStroke(short nTool, int bSmooth, COLORREF cr,
                                         std::initializer_list<LinePoint> points) {
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(cr);
    pLine->SetTool(nTool, bSmooth);
    for (const LinePoint& pt : points)
        pLine->AddPoint(pt.x, pt.y, pt.nWidth);
    return pLine;
}
