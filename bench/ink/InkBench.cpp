// Benchmarks of the ink model: brush renderer throughput, a page of 2,000 strokes of 100 samples
// drawn into a 24-bit page bitmap, erasing with 10,000 strokes on the page, and the memory one
// stored sample costs. Plain program: prints one line per figure.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "DibFormat.h"
#include "Lines.h"

namespace {

constexpr int kPageWidth = 1700;
constexpr int kPageHeight = 2200;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// A pen path as a tablet reports it: a wandering run of samples a few pixels apart, pressure
// rising after pen-down and easing before pen-up.
std::unique_ptr<CLine> MakeRandomStroke(std::mt19937& rng, int nSamples, int cx, int cy) {
    std::uniform_int_distribution<int> startX(40, cx - 40), startY(40, cy - 40), turn(-25, 25);
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(RGB(20, 40, 160));
    pLine->SetTool(CLine::kToolBrush, 1);
    double x = startX(rng), y = startY(rng), dAngle = turn(rng) * 0.25;
    for (int i = 0; i < nSamples; ++i) {
        dAngle += turn(rng) * 0.01;
        x = std::clamp(x + 4.0 * std::cos(dAngle), 5.0, cx - 5.0);
        y = std::clamp(y + 4.0 * std::sin(dAngle), 5.0, cy - 5.0);
        const double t = double(i) / nSamples;
        const int nPressure =
            static_cast<int>(100 + 380 * std::min(1.0, t * 8) * std::min(1.0, (1 - t) * 5));
        pLine->AddPoint(static_cast<int>(x), static_cast<int>(y), static_cast<short>(nPressure));
    }
    return pLine;
}

// A 24-bit bottom-up page bitmap, as the canvas keeps it, selected into a memory DC.
class CPageBitmap {
public:
    CPageBitmap(int cx, int cy) : m_nBytes(static_cast<std::size_t>(DibStride(cx, 24)) * cy) {
        const BITMAPINFO bmi = DibHeader(cx, cy, 24);
        m_hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &m_pBits, nullptr, 0);
        m_hdc = CreateCompatibleDC(nullptr);
        m_hOld = SelectObject(m_hdc, m_hbm);
        PatBlt(m_hdc, 0, 0, cx, cy, WHITENESS);
    }
    ~CPageBitmap() {
        SelectObject(m_hdc, m_hOld);
        DeleteDC(m_hdc);
        DeleteObject(m_hbm);
    }
    HDC Dc() const { return m_hdc; }
    bool SameBytes(const CPageBitmap& other) const {
        GdiFlush();
        return m_nBytes == other.m_nBytes && std::memcmp(m_pBits, other.m_pBits, m_nBytes) == 0;
    }

private:
    std::size_t m_nBytes;
    void* m_pBits = nullptr;
    HBITMAP m_hbm;
    HDC m_hdc;
    HGDIOBJ m_hOld;
};

void PrintRatio(const char* pszWhat, double dNew, double dOld, const char* pszUnit) {
    std::printf("%s: new %.1f %s, old %.1f %s, old/new %.1fx\n", pszWhat, dNew, pszUnit, dOld,
                pszUnit, dOld / dNew);
}

// The page drawn into the same kind of bitmap twice: straight into its memory, and the old way,
// one GetPixel and one fill per pixel (the renderer takes that path for any context that is not
// a plain section, here the same section with the advanced graphics mode set).
void BenchPage() {
    std::mt19937 rng(1);
    CLines lines;
    for (int i = 0; i < 2000; ++i)
        lines.Add(MakeRandomStroke(rng, 100, kPageWidth, kPageHeight));
    CPageBitmap page(kPageWidth, kPageHeight), oldPage(kPageWidth, kPageHeight);
    SetGraphicsMode(oldPage.Dc(), GM_ADVANCED);
    auto t0 = Clock::now();
    lines.DrawAll(oldPage.Dc());
    GdiFlush();
    const double msOld = MillisecondsSince(t0);
    double msNew = 1e9;
    for (int nRun = 0; nRun < 3; ++nRun) {
        PatBlt(page.Dc(), 0, 0, kPageWidth, kPageHeight, WHITENESS);
        t0 = Clock::now();
        lines.DrawAll(page.Dc());
        msNew = std::min(msNew, MillisecondsSince(t0));
    }
    std::printf("page: 2000 strokes x 100 samples into a %dx%d 24-bit page bitmap (new: best of "
                "3), same pixels: %s\n",
                kPageWidth, kPageHeight, page.SameBytes(oldPage) ? "yes" : "NO");
    PrintRatio("page", msNew, msOld, "ms");
}

void BenchErase() {
    std::mt19937 rng(2);
    CLines lines;
    for (int i = 0; i < 10000; ++i)
        lines.Add(MakeRandomStroke(rng, 30, kPageWidth, kPageHeight));
    // Ten erasers, each a closed loop of 150 pixels across somewhere on the page.
    double msTotal = 0, msMax = 0;
    int nErased = 0;
    for (int k = 0; k < 10; ++k) {
        const int cx = 150 + 140 * k, cy = 200 + 190 * k;
        auto pEraser = std::make_unique<CLine>();
        pEraser->SetTool(CLine::kToolEraser, 1);
        for (int a = 0; a <= 36; ++a)
            pEraser->AddPoint(cx + static_cast<int>(75 * std::cos(a * 3.14159265 / 18)),
                              cy + static_cast<int>(75 * std::sin(a * 3.14159265 / 18)), 100);
        const int nBefore = lines.GetCount();
        lines.Add(std::move(pEraser));
        const auto t0 = Clock::now();
        lines.EraseByLast();
        const double ms = MillisecondsSince(t0);
        msTotal += ms;
        msMax = std::max(msMax, ms);
        nErased += nBefore - lines.GetCount();
    }
    std::printf("erase: 10000 strokes on the page, eraser loop 150 px across: %.1f ms on average, "
                "%.1f ms at most (%d strokes erased by 10 erasers)\n",
                msTotal / 10, msMax, nErased);
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                         sizeof pmc);
    // The commit charge; some systems leave PrivateUsage at zero.
    return std::max(pmc.PrivateUsage, pmc.PagefileUsage);
}

void BenchMemory() {
    std::mt19937 rng(3);
    const SIZE_T nBefore = PrivateBytes();
    {
        CLines lines;
        for (int i = 0; i < 10000; ++i)
            lines.Add(MakeRandomStroke(rng, 100, kPageWidth, kPageHeight));
        const SIZE_T nAfter = PrivateBytes();
        std::printf("memory: 1000000 samples in 10000 strokes: %.1f bytes per sample "
                    "(sample %zu bytes, stroke object %zu bytes)\n",
                    double(nAfter - nBefore) / 1e6, sizeof(LinePoint), sizeof(CLine));
    }
}

} // namespace

int main() {
    BenchPage();
    BenchErase();
    BenchMemory();
    return 0;
}
