// Small helpers shared by the ink tests: rectangle comparison and printing, stroke building,
// the process's peak memory.
#pragma once
#include <windows.h>
#include <psapi.h>

#include <initializer_list>
#include <memory>
#include <ostream>
#include <vector>

#include "Line.h"
#include "SMLine.h"

inline constexpr COLORREF kWhite = RGB(255, 255, 255);
inline constexpr COLORREF kBlack = RGB(0, 0, 0);
// The paper and the ink of the brush's golden images.
inline constexpr COLORREF kPaper = 0x00CCE2E5;
inline constexpr COLORREF kInk = RGB(20, 40, 160);

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline void PrintTo(const RECT& rc, std::ostream* os) {
    *os << "(" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << ")";
}

// The most memory the process has held at once so far, in bytes.
inline SIZE_T PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.PeakWorkingSetSize;
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

// One pen sample handed to the brush renderer.
struct Sample {
    int x, y, nPressure;
};

// Feeds a whole stroke to the renderer in pen order, the way a stroke redraws itself.
inline void DrawSamples(CSMLine& sm, HDC hdc, const std::vector<Sample>& samples, int nPressureMax,
                        float fScale, COLORREF cr) {
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const Sample prev = i == 0 ? Sample{} : samples[i - 1];
        const int nKind = i == 0                    ? CSMLine::kKindFirst
                          : i + 1 == samples.size() ? CSMLine::kKindLast
                                                    : CSMLine::kKindInner;
        sm.DrawSegment(hdc, prev.x, prev.y, samples[i].x, samples[i].y, samples[i].nPressure, cr,
                       nKind, nPressureMax, fScale);
    }
}
