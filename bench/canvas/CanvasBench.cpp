// Canvas page timings: a whole-page repaint with many strokes, a region repaint after erasing,
// showing the page at each zoom, Add Line, and saving and opening a large note.
// Usage (inside an X display): scripts/wine-run.sh build/bin/canvas_bench.exe
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>

#include "DocTemplate.h"
#include "MainFrame.h"
#include "Message.h"
#include "Resources.h"
#include "ScrivoApp.h"
#include "ScrivoDoc.h"
#include "ScrivoView.h"
#include "resource.h"

namespace {
template <class F> double Millis(int nRuns, F f) {
    auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < nRuns; ++i)
        f();
    auto t1 = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(t1 - t0).count() / nRuns;
}

void AddStrokes(CScrivoDoc* pDoc, int nStrokes) {
    for (int n = 0; n < nStrokes; ++n) {
        auto pLine = std::make_unique<CLine>();
        pLine->SetColor(RGB(0, 0, 128));
        pLine->SetTool(CLine::kToolPencil, 1);
        int x0 = 40 + (n * 37) % 900, y0 = 60 + (n * 53) % 1900;
        for (int i = 0; i < 50; ++i)
            pLine->AddPoint(x0 + i * 2, y0 + (i % 10) * 3, 160);
        pDoc->m_lines.Add(std::move(pLine));
    }
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

    std::printf("page %ld x %ld\n", pView->m_rcPage.right, pView->m_rcPage.bottom);
    std::printf("PaintPage, paper only:            %8.2f ms\n",
                Millis(10, [&] { pView->PaintPage(false); }));
    AddStrokes(pDoc, 2000);
    std::printf("PaintPage, 2000 strokes x 50:     %8.2f ms\n",
                Millis(3, [&] { pView->PaintPage(true); }));
    std::printf("RepaintPageRegion 200 x 200:      %8.2f ms\n", Millis(20, [&] {
                    pView->RepaintPageRegion({300, 300, 500, 500});
                }));
    for (int nZoom = 0; nZoom < 4; ++nZoom) {
        float fZoom = nZoom == 0 ? 0.5f : static_cast<float>(1 << (nZoom - 1));
        pView->m_fZoom = fZoom;
        pView->SetZoomScroll(fZoom);
        std::printf("OnDraw of the window at zoom %.1f:  %8.2f ms\n", fZoom, Millis(20, [&] {
                        InvalidateRect(pView->m_hWnd, nullptr, FALSE);
                        UpdateWindow(pView->m_hWnd);
                    }));
    }
    pView->m_fZoom = 1.0f;
    pView->SetZoomScroll(1.0f);
    std::printf("Add Line (rebuild and repaint):   %8.2f ms\n",
                Millis(1, [&] { pView->OnAddLine(); }));
    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    std::wstring strPath = std::wstring(szTemp) + L"canvas_bench.Qzn";
    std::printf("Save note (2000 strokes):         %8.2f ms\n",
                Millis(3, [&] { pDoc->OnSaveDocument(strPath.c_str()); }));
    std::printf("Open note (2000 strokes):         %8.2f ms\n",
                Millis(3, [&] { pDoc->OnOpenDocument(strPath.c_str()); }));
    DeleteFileW(strPath.c_str());
    pDoc->SetModifiedFlag(false);
    return 0;
}
