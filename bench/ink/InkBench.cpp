// Benchmarks of the ink model, each beside the old way in the same run: a page of 2,000 strokes
// of 100 samples drawn into a 24-bit page bitmap, erasing with 10,000 strokes on the page, and
// the memory one stored sample costs. Plain program: prints the figures and their ratios.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "DibFormat.h"
#include "EraseOracle.h"
#include "Lines.h"
#include "NoteOracle.h"
#include "StrokeBands.h"

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
    pLine->SetTool(kToolBrush, 1);
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
    // A checksum of the page's bytes (FNV-1a), to compare pages of different builds.
    std::uint32_t Checksum() const {
        GdiFlush();
        std::uint32_t h = 2166136261u;
        for (std::size_t i = 0; i < m_nBytes; ++i)
            h = (h ^ static_cast<const std::uint8_t*>(m_pBits)[i]) * 16777619u;
        return h;
    }
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

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void PrintRatio(const char* pszWhat, double dNew, double dOld, const char* pszUnit) {
    std::printf("%s: new %.1f %s, old %.1f %s, old/new %.1fx\n", pszWhat, dNew, pszUnit, dOld,
                pszUnit, dOld / dNew);
}

// The page drawn into the same kind of bitmap three ways: as the program draws it (straight into
// its memory, in bands on all processors), the same renderer on one thread, and the old way, one
// GetPixel and one fill per pixel on one thread (the renderer takes that path for any context
// that is not a plain section, here the same section with the advanced graphics mode set). Three
// runs each, taking turns, so that a change in the machine's load meets all ways alike; the
// medians count.
void BenchPage() {
    std::mt19937 rng(1);
    CLines lines;
    for (int i = 0; i < 2000; ++i)
        lines.Add(MakeRandomStroke(rng, 100, kPageWidth, kPageHeight));
    CPageBitmap page(kPageWidth, kPageHeight), onePage(kPageWidth, kPageHeight),
        oldPage(kPageWidth, kPageHeight);
    SetGraphicsMode(oldPage.Dc(), GM_ADVANCED);
    const auto timeDraw = [](const CPageBitmap& target, const auto& draw) {
        PatBlt(target.Dc(), 0, 0, kPageWidth, kPageHeight, WHITENESS);
        GdiFlush();
        const auto t0 = Clock::now();
        draw(target.Dc());
        GdiFlush();
        return MillisecondsSince(t0);
    };
    const auto drawAll = [&lines](HDC hdc) { lines.DrawAll(hdc); };
    const auto drawOnOneThread = [&lines](HDC hdc) {
        const CPixelTarget target(hdc);
        for (int i = 0; i < lines.GetCount(); ++i)
            lines.GetAt(i)->Draw(target);
    };
    std::vector<double> msNew, msOne, msOld;
    for (int nRun = 0; nRun < 3; ++nRun) {
        msNew.push_back(timeDraw(page, drawAll));
        msOne.push_back(timeDraw(onePage, drawOnOneThread));
        msOld.push_back(timeDraw(oldPage, drawAll));
    }
    std::printf("page: 2000 strokes x 100 samples into a %dx%d 24-bit page bitmap (median of 3), "
                "the program's way on %d threads, the old way on 1, same pixels all three ways: "
                "%s, checksum %08x\n",
                kPageWidth, kPageHeight, CStrokeBands::ThreadCount(),
                page.SameBytes(oldPage) && onePage.SameBytes(oldPage) ? "yes" : "NO",
                static_cast<unsigned>(page.Checksum()));
    PrintRatio("page", Median(msNew), Median(msOld), "ms");
    PrintRatio("page, the renderer on one thread", Median(msOne), Median(msOld), "ms");
}

// Ten eraser loops of 150 pixels across among 10,000 strokes: each one first through the old
// touch test (a bitmap per stroke, kept as the oracle), which finds the strokes without removing
// them, then through the stroke list, which removes them; both must find the same.
void BenchErase() {
    std::mt19937 rng(2);
    CLines lines;
    for (int i = 0; i < 10000; ++i)
        lines.Add(MakeRandomStroke(rng, 30, kPageWidth, kPageHeight));
    std::vector<double> msNew, msOld;
    int nErased = 0;
    bool bSame = true;
    for (int k = 0; k < 10; ++k) {
        const int cx = 150 + 140 * k, cy = 200 + 190 * k;
        auto pEraser = std::make_unique<CLine>();
        pEraser->SetTool(kToolEraser, 1);
        for (int a = 0; a <= 36; ++a)
            pEraser->AddPoint(cx + static_cast<int>(75 * std::cos(a * 3.14159265 / 18)),
                              cy + static_cast<int>(75 * std::sin(a * 3.14159265 / 18)), 100);
        const int nBefore = lines.GetCount();
        lines.Add(std::move(pEraser));
        auto t0 = Clock::now();
        const COracleErase old = OracleEraseByLast(lines);
        msOld.push_back(MillisecondsSince(t0));
        t0 = Clock::now();
        const RECT rc = lines.EraseByLast();
        msNew.push_back(MillisecondsSince(t0));
        nErased += nBefore - lines.GetCount();
        bSame = bSame && EqualRect(&rc, &old.rcErased) &&
                nBefore - lines.GetCount() == static_cast<int>(old.erased.size());
    }
    std::printf("erase: 10000 strokes on the page, 10 eraser loops 150 px across, %d strokes "
                "erased, the same strokes both ways: %s\n",
                nErased, bSame ? "yes" : "NO");
    PrintRatio("erase (median)", Median(msNew), Median(msOld), "ms");
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX pmc{};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                         sizeof pmc);
    // The commit charge; some systems leave PrivateUsage at zero.
    return std::max(pmc.PrivateUsage, pmc.PagefileUsage);
}

// A stroke as it was kept before samples were packed: 12-byte samples grown one by one, and a
// brush renderer of its own for the stroke's whole life.
struct COldStrokeInMemory {
    virtual ~COldStrokeInMemory() = default;
    std::vector<COldSample> points;
    int nPressureMax = 511, nPressureScale = 2, bSmooth = 1;
    short bMask = 0, nTool = 3;
    CSMLine sm;
    COLORREF crColor = 0;
    RECT rcBound{};
};

// Bytes of memory per sample of 10,000 strokes of 100 samples, kept the new or the old way. Run
// in a process of its own, so that no earlier allocation is reused.
double MemoryPerSample(bool bOld) {
    std::mt19937 rng(3);
    const SIZE_T nBefore = PrivateBytes();
    CLines lines;
    std::vector<std::unique_ptr<COldStrokeInMemory>> oldStrokes;
    for (int i = 0; i < 10000; ++i) {
        auto pLine = MakeRandomStroke(rng, 100, kPageWidth, kPageHeight);
        if (!bOld) {
            lines.Add(std::move(pLine));
            continue;
        }
        auto pOld = std::make_unique<COldStrokeInMemory>();
        for (int n = 0; n < pLine->GetPointCount(); ++n) {
            const LinePoint& pt = pLine->GetPoint(n);
            pOld->points.push_back({pt.x, pt.y, pt.nWidth});
        }
        oldStrokes.push_back(std::move(pOld));
    }
    return double(PrivateBytes() - nBefore) / 1e6;
}

double MemoryInOwnProcess(const char* pszWhich) {
    wchar_t szExe[MAX_PATH];
    GetModuleFileNameW(nullptr, szExe, MAX_PATH);
    std::wstring strCommand = L"\"" + std::wstring(szExe) + L"\" memory-";
    strCommand += pszWhich[0] == 'o' ? L"old" : L"new";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD dwCentibytes = 0;
    GetExitCodeProcess(pi.hProcess, &dwCentibytes);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return dwCentibytes / 100.0;
}

void BenchMemory() {
    const double dNew = MemoryInOwnProcess("new"), dOld = MemoryInOwnProcess("old");
    std::printf("memory: 1000000 samples in 10000 strokes, each way in a process of its own "
                "(sample %zu bytes, stroke object %zu bytes; before %zu and %zu)\n",
                sizeof(LinePoint), sizeof(CLine), sizeof(COldSample), sizeof(COldStrokeInMemory));
    PrintRatio("memory per sample", dNew, dOld, "bytes");
}

} // namespace

int main(int argc, char** argv) {
    // A child measuring memory reports bytes per sample, in hundredths, as its exit code.
    if (argc == 2 && std::strncmp(argv[1], "memory-", 7) == 0)
        return static_cast<int>(MemoryPerSample(argv[1][7] == 'o') * 100 + 0.5);
    // "page", "erase" or "memory" runs that benchmark alone.
    const auto wanted = [argc, argv](const char* pszName) {
        return argc < 2 || std::strcmp(argv[1], pszName) == 0;
    };
    if (wanted("page"))
        BenchPage();
    if (wanted("erase"))
        BenchErase();
    if (wanted("memory"))
        BenchMemory();
    return 0;
}
