// Canvas page timings, each stroke-drawing figure beside the old way in the same run: a
// whole-page repaint with 2,000 brush strokes of 100 samples, a region repaint after erasing, and
// opening that note (repaint included); then showing the page at each zoom, Add Line and saving.
// The old way is the same work with the page bitmap reached pixel by pixel through GetPixel and
// PatBlt, as every stroke was drawn before (the renderer takes that path for any context that is
// not a plain section, here the page's own context in the advanced graphics mode).
// Usage (inside an X display): scripts/wine-run.sh build/bin/canvas_bench.exe
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <memory>

#include "CanvasTestAccess.h"
#include "DocTemplate.h"
#include "MainFrame.h"
#include "Message.h"
#include "Resources.h"
#include "ScrivoApp.h"
#include "ScrivoDoc.h"
#include "ScrivoView.h"
#include "StrokeBands.h"
#include "resource.h"

namespace {
template <class F> double Millis(int nRuns, F f) {
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < nRuns; ++i)
        f();
    auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(t1 - t0).count() / nRuns;
}

// Wandering brush strokes of 100 samples a few pixels apart, spread over the page.
void AddStrokes(CScrivoDoc* pDoc, int nStrokes) {
    for (int n = 0; n < nStrokes; ++n) {
        auto pLine = std::make_unique<CLine>();
        pLine->SetColor(RGB(0, 0, 128));
        pLine->SetTool(kToolBrush, 1);
        const int x0 = 40 + (n * 37) % 900, y0 = 60 + (n * 53) % 2300;
        for (int i = 0; i < 100; ++i) {
            const double a = i * 0.2 + n;
            pLine->AddPoint(x0 + i * 3 + static_cast<int>(6 * std::cos(a)),
                            y0 + static_cast<int>(12 * std::sin(a)),
                            static_cast<short>(120 + (i * 7) % 300));
        }
        pDoc->m_lines.Add(std::move(pLine));
    }
}

// The new figure and the old one, measured by the same function, and their ratio.
template <class F> void Compare(const char* pszWhat, HDC hdcPage, int nRuns, F f) {
    const double msNew = Millis(nRuns, f);
    SetGraphicsMode(hdcPage, GM_ADVANCED);
    const double msOld = Millis(nRuns, f);
    SetGraphicsMode(hdcPage, GM_COMPATIBLE);
    std::printf("%-34s new %8.2f ms, old %8.2f ms, old/new %.1fx\n", pszWhat, msNew, msOld,
                msOld / msNew);
}
} // namespace

int main() {
    SetScreenSizeOverride({1280, 1024});
    SetMessageHook([](const std::wstring&, const std::wstring&, UINT) { return IDOK; });
    CScrivoApp app;
    app.m_nCmdShow = SW_SHOWNORMAL;
    app.AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return std::make_unique<CScrivoDoc>(); },
        [] { return std::make_unique<CMainFrame>(); },
        [] { return std::make_unique<CScrivoView>(); }));
    if (!app.OpenDocumentFile(nullptr))
        return 1;
    auto* pFrame = static_cast<CMainFrame*>(app.m_pMainWnd);
    SetWindowPos(pFrame->m_hWnd, nullptr, 0, 0, 1024, 768, SWP_NOZORDER);
    CScrivoView* pView = pFrame->GetView();
    CScrivoDoc* pDoc = pView->GetDocument();

    std::printf("page %ld x %ld, window 1024 x 768; whole pages drawn on %d threads, the old way "
                "on 1\n",
                CCanvasTestAccess::PageRect(*pView).right,
                CCanvasTestAccess::PageRect(*pView).bottom, CStrokeBands::ThreadCount());
    std::printf("%-34s %8.2f ms\n",
                "PaintPage, paper only:", Millis(10, [&] { pView->PaintPage(false); }));
    AddStrokes(pDoc, 2000);
    Compare("PaintPage, 2000 strokes x 100:", pView->GetPageDC(), 3,
            [&] { pView->PaintPage(true); });
    Compare("RepaintPageRegion 200 x 200:", pView->GetPageDC(), 20, [&] {
        pView->RepaintPageRegion({300, 300, 500, 500});
    });
    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    const std::wstring strPath = std::wstring(szTemp) + L"canvas_bench.Qzn";
    std::printf("%-34s %8.2f ms\n", "Save note (2000 strokes):", Millis(3, [&] {
                    pDoc->OnSaveDocument(strPath.c_str());
                }));
    Compare("Open note (2000 strokes, repaint):", pView->GetPageDC(), 3,
            [&] { pDoc->OnOpenDocument(strPath.c_str()); });
    DeleteFileW(strPath.c_str());
    for (int nZoom = 0; nZoom < 4; ++nZoom) {
        const float fZoom = nZoom == 0 ? 0.5f : static_cast<float>(1 << (nZoom - 1));
        CCanvasTestAccess::Zoom(*pView) = fZoom;
        pView->SetZoomScroll(fZoom);
        std::printf("OnDraw of the window at zoom %.1f:    %8.2f ms\n", fZoom, Millis(20, [&] {
                        InvalidateRect(pView->m_hWnd, nullptr, FALSE);
                        UpdateWindow(pView->m_hWnd);
                    }));
    }
    CCanvasTestAccess::Zoom(*pView) = 1.0f;
    pView->SetZoomScroll(1.0f);
    std::printf("%-34s %8.2f ms\n",
                "Add Line (rebuild and repaint):", Millis(1, [&] { pView->OnAddLine(); }));
    pDoc->SetModifiedFlag(false);
    return 0;
}
