// Per-packet handling time in letter mode: each packet of a long wavy stroke goes through the
// letter handler, which draws it live on the screen and into the page bitmap. Prints the median,
// the 99th percentile and the worst case per tool and zoom.
// Run inside a display: scripts/wine-run.sh build/bin/pen_bench.exe
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "GdiObjects.h"
#include "PenCapture.h"

namespace {

constexpr COLORREF kPaper = 13427429;

// A canvas like the view's: a visible window, a 24-bit page bitmap, a stroke list.
class CBenchCanvas : public CPenCapture {
public:
    explicit CBenchCanvas(float fZoom) : m_fZoom(fZoom) {
        m_pWintab = &m_noLibrary; // pressures below are already normalised
        m_hWnd = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 20, 20,
                                 1000, 700, nullptr, nullptr, nullptr, nullptr);
        BITMAPINFO bmi{};
        bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
        bmi.bmiHeader.biWidth = 1280;
        bmi.bmiHeader.biHeight = 2560;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 24;
        void* pBits = nullptr;
        CWindowDC screen(nullptr);
        m_bmPage.Reset(CreateDIBSection(screen.Get(), &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
        m_hOld = SelectObject(m_dcPage.Get(), m_bmPage.Get());
        const RECT rc{0, 0, 1280, 2560};
        COwnedBrush brush(CreateSolidBrush(kPaper));
        FillRect(m_dcPage.Get(), &rc, brush.Get());
        m_nPressureMax = 511;
        m_nPressureScale = 2;
        m_bMouseDown = true;
    }
    ~CBenchCanvas() override {
        SelectObject(m_dcPage.Get(), m_hOld);
        DestroyWindow(m_hWnd);
    }
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
    SIZE PageSize() const override { return {1280, 2560}; }
    CLines* Strokes() const override { return const_cast<CLines*>(&m_lines); }
    void MarkModified() override {}
    void RepaintPageArea(const RECT&) override {}

private:
    CWintabApi m_noLibrary;
    HWND m_hWnd = nullptr;
    float m_fZoom;
    CLines m_lines;
    CMemoryDC m_dcPage;
    COwnedBitmap m_bmPage;
    HGDIOBJ m_hOld = nullptr;
};

struct Figures {
    double dMedian, dP99, dWorst;
    size_t nPackets;
};

// Strokes of 200 samples along waves across the window, with changing pressure, about the
// spacing of a 200 Hz tablet under a quick hand.
Figures Measure(int nTool, float fZoom) {
    CBenchCanvas canvas(fZoom);
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
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    return {sorted[sorted.size() / 2], sorted[sorted.size() * 99 / 100], sorted.back(),
            sorted.size()};
}

} // namespace

int main() {
    const struct {
        int nTool;
        const char* pszName;
    } tools[] = {{kToolPencil, "pencil"}, {kToolBrush, "brush"}, {kToolMarker, "marker"}};
    std::printf("%-8s %5s %12s %12s %12s %8s\n", "tool", "zoom", "median us", "p99 us",
                "worst us", "packets");
    for (const auto& tool : tools)
        for (float fZoom : {1.0f, 4.0f}) {
            const Figures f = Measure(tool.nTool, fZoom);
            std::printf("%-8s %5.0f %12.1f %12.1f %12.1f %8zu\n", tool.pszName, fZoom, f.dMedian,
                        f.dP99, f.dWorst, f.nPackets);
        }
    return 0;
}
