// Per-packet handling time in letter mode: each packet of a long wavy stroke goes through the
// letter handler, which draws it live for the window and into the page bitmap. The program draws
// into its own image of the window and copies the changed rectangle to the window; the old way,
// measured side by side in the same run, drew on the window itself. Prints the median, the 99th
// percentile and the worst case per tool and zoom for both, and the ratio of the medians. A
// Windows Ink pen's update message goes the same way after the pointer functions are asked for
// the sample; its figures are printed for each tool at zoom 1.
// Run inside a display: scripts/wine-run.sh build/bin/pen_bench.exe
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "GdiObjects.h"
#include "ImageDC.h"
#include "OldLetterCapture.h"
#include "PenCapture.h"

namespace {

constexpr COLORREF kPaper = 13427429;
constexpr SIZE kPage = {1280, 2560};

// A canvas like the view's: a visible window with its image, a 24-bit page bitmap, a stroke list.
class CBenchCanvas : public CPenCapture {
public:
    explicit CBenchCanvas(float fZoom) : m_fZoom(fZoom) {
        m_pWintab = &m_noLibrary; // pressures below are already normalised
        m_hWnd = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 20, 20, 1000,
                                 700, nullptr, nullptr, nullptr, nullptr);
        m_dcPage.Create(kPage.cx, kPage.cy);
        const RECT rc{0, 0, kPage.cx, kPage.cy};
        COwnedBrush brush(CreateSolidBrush(kPaper));
        FillRect(m_dcPage.Get(), &rc, brush.Get());
        m_nPressureMax = 511;
        m_nPressureScale = 2;
        m_bMouseDown = true;
        ShownImageDC();
    }
    ~CBenchCanvas() override { DestroyWindow(m_hWnd); }
    // One packet at a client point; returns its handling time in microseconds.
    double Feed(DWORD nEvent, POINT ptClient, UINT nPressure, const LARGE_INTEGER& freq) {
        POINT pt = ptClient;
        ClientToScreen(m_hWnd, &pt);
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        OnLetterPacket(GetTickCount(), MAKELONG(0, nEvent), pt.x, pt.y, nPressure);
        QueryPerformanceCounter(&t1);
        return double(t1.QuadPart - t0.QuadPart) * 1e6 / double(freq.QuadPart);
    }

protected:
    HWND TabletWindow() const override { return m_hWnd; }
    int TabletMode() const override { return kModeLetter; }
    float CanvasZoom() const override { return m_fZoom; }
    POINT CanvasScroll() const override { return {0, 0}; }
    HDC PageDC() const override { return m_dcPage.Get(); }
    SIZE PageSize() const override { return kPage; }
    CLines* Strokes() const override { return const_cast<CLines*>(&m_lines); }
    void MarkModified() override {}
    void RepaintPageArea(const RECT&) override {}
    // The page stretched by the zoom, as the view shows it, also on the window.
    HDC ShownImageDC() override {
        if (m_dcShown)
            return m_dcShown.Get();
        RECT rc{};
        GetClientRect(m_hWnd, &rc);
        if (!m_dcShown.Create(rc.right, rc.bottom))
            return nullptr;
        StretchBlt(m_dcShown.Get(), 0, 0, rc.right, rc.bottom, m_dcPage.Get(), 0, 0,
                   int(rc.right / m_fZoom), int(rc.bottom / m_fZoom), SRCCOPY);
        CWindowDC window(m_hWnd);
        BitBlt(window.Get(), 0, 0, rc.right, rc.bottom, m_dcShown.Get(), 0, 0, SRCCOPY);
        return m_dcShown.Get();
    }

private:
    CWintabApi m_noLibrary;
    HWND m_hWnd = nullptr;
    float m_fZoom;
    CLines m_lines;
    CImageDC m_dcPage;
    CImageDC m_dcShown;
};

// The pointer functions answering for one pen pointer, as the system does while its message is
// handled: the sample the bench sets is the newest and only frame.
PointerPenInfo g_inkSample{};

BOOL WINAPI BenchPointerType(UINT32 nId, DWORD* pType) {
    *pType = kPointerTypePen;
    return nId == g_inkSample.pointerInfo.pointerId;
}
BOOL WINAPI BenchPenInfo(UINT32 nId, PointerPenInfo* pInfo) {
    *pInfo = g_inkSample;
    return nId == g_inkSample.pointerInfo.pointerId;
}
BOOL WINAPI BenchPenInfoHistory(UINT32 nId, UINT32* pCount, PointerPenInfo* pInfo) {
    if (*pCount > 0)
        *pInfo = g_inkSample;
    *pCount = 1;
    return nId == g_inkSample.pointerInfo.pointerId;
}
BOOL WINAPI BenchDevices(UINT32* pCount, PointerDeviceInfo* pDevices) {
    if (pDevices)
        pDevices->pointerDeviceType = kPointerDeviceExternalPen;
    *pCount = 1;
    return TRUE;
}

// The same canvas with a Windows Ink pen: each sample is a pointer message of its own.
class CInkBenchCanvas : public CBenchCanvas {
public:
    explicit CInkBenchCanvas(float fZoom) : CBenchCanvas(fZoom) {
        m_api = {BenchPointerType, BenchPenInfo, BenchPenInfoHistory, BenchDevices};
        m_pPointer = &m_api;
        OpenViewContext();
    }
    // nPressure of 511 is sent as the pen's 1,024 levels report it.
    double Feed(DWORD nEvent, POINT ptClient, UINT nPressure, const LARGE_INTEGER& freq) {
        POINT pt = ptClient;
        ClientToScreen(TabletWindow(), &pt);
        PointerInfo& p = g_inkSample.pointerInfo;
        p.pointerId = 1;
        p.pointerFlags = nEvent == TBN_UP ? kPointerFlagUp : kPointerFlagInContact;
        p.ptPixelLocation = pt;
        p.historyCount = 1;
        g_inkSample.penMask = kPenMaskPressure;
        g_inkSample.pressure = nPressure * 2;
        const UINT uMsg = nEvent == TBN_DOWN ? kWmPointerDown
                                             : (nEvent == TBN_UP ? kWmPointerUp : kWmPointerUpdate);
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        OnPointerMessage(uMsg, MAKEWPARAM(1, 0));
        QueryPerformanceCounter(&t1);
        return double(t1.QuadPart - t0.QuadPart) * 1e6 / double(freq.QuadPart);
    }

private:
    CPointerApi m_api;
};

struct Figures {
    double dMedian, dP99, dWorst;
    size_t nPackets;
};

// Strokes of 200 samples along waves across the window, with changing pressure, about the
// spacing of a 200 Hz tablet under a quick hand.
template <class TCanvas> Figures Measure(int nTool, float fZoom) {
    TCanvas canvas(fZoom);
    canvas.SelectTool(nTool);
    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);
    std::vector<double> times;
    for (int nStroke = 0; nStroke < 10; ++nStroke) {
        const int yBase = 80 + 55 * nStroke;
        for (int i = 0; i < 200; ++i) {
            const POINT pt{40 + i * 4, LONG(yBase + 20 * std::sin(i / 9.0))};
            const UINT nPressure = UINT(250 + 200 * std::sin(i / 15.0));
            times.push_back(canvas.Feed(i == 0 ? TBN_DOWN : TBN_NONE, pt, nPressure, freq));
        }
        times.push_back(canvas.Feed(TBN_UP, {840, yBase}, 0, freq));
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 99 / 100], times.back(), times.size()};
}

} // namespace

int main() {
    const struct {
        int nTool;
        const char* pszName;
    } tools[] = {{kToolPencil, "pencil"},
                 {kToolBrush, "brush"},
                 {kToolMarker, "marker"},
                 {kToolEraser, "eraser"}};
    std::printf(
        "microseconds per packet; new = drawn into the program's image of the window, old = "
        "drawn on the window\n");
    std::printf("%-7s %4s | %8s %8s %8s | %8s %8s %8s | %9s %7s\n", "tool", "zoom", "median", "p99",
                "worst", "old med", "old p99", "old wrst", "old/new", "packets");
    for (const auto& tool : tools)
        for (float fZoom : {1.0f, 4.0f}) {
            const Figures f = Measure<CBenchCanvas>(tool.nTool, fZoom);
            const Figures o = Measure<COldLetterCapture<CBenchCanvas>>(tool.nTool, fZoom);
            std::printf("%-7s %4.0f | %8.1f %8.1f %8.1f | %8.1f %8.1f %8.1f | %8.1fx %7zu\n",
                        tool.pszName, fZoom, f.dMedian, f.dP99, f.dWorst, o.dMedian, o.dP99,
                        o.dWorst, o.dMedian / f.dMedian, f.nPackets);
        }
    std::printf("\nWindows Ink pen, one update message per sample, zoom 1\n");
    std::printf("%-7s | %8s %8s %8s | %7s\n", "tool", "median", "p99", "worst", "packets");
    for (const auto& tool : tools) {
        const Figures f = Measure<CInkBenchCanvas>(tool.nTool, 1.0f);
        std::printf("%-7s | %8.1f %8.1f %8.1f | %7zu\n", tool.pszName, f.dMedian, f.dP99, f.dWorst,
                    f.nPackets);
    }
    return 0;
}
