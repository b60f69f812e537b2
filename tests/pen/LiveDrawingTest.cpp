// The window shows the same pixels while a stroke is written as when the stroke was drawn on the
// window itself (the old way, kept in OldLetterCapture.h as the oracle), for every tool, at zoom
// 1 and 2 and with the page scrolled; and the page bitmap receives the same ink either way.
#include "FakeCanvas.h"
#include "OldLetterCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {
// The client area of a window as the screen shows it, top-down, one DWORD per pixel.
std::vector<DWORD> WindowPixels(HWND hwnd) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = rc.right;
    bmi.bmiHeader.biHeight = -rc.bottom;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    COwnedBitmap dib(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    CMemoryDC mem;
    {
        CSelectScope select(mem.Get(), dib.Get());
        CWindowDC window(hwnd);
        BitBlt(mem.Get(), 0, 0, rc.right, rc.bottom, window.Get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    const auto* p = static_cast<const DWORD*>(pBits);
    std::vector<DWORD> px(p, p + size_t(rc.right) * rc.bottom);
    for (DWORD& d : px)
        d &= 0x00FFFFFF;
    return px;
}

std::vector<DWORD> PagePixels(const CFakeCanvas& c, const RECT& rc) {
    std::vector<DWORD> px;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            px.push_back(c.PagePixel(x, y));
    return px;
}

// Paper with a ruling and a darker band, so that blending shows against more than one colour.
void PreparePage(CFakeCanvas& c) {
    COwnedBrush band(CreateSolidBrush(RGB(120, 200, 140)));
    const RECT rcBand{0, 120, 1280, 150};
    FillRect(c.m_dcPage.Get(), &rcBand, band.Get());
    COwnedPen ruling(CreatePen(PS_SOLID, 2, RGB(197, 192, 172)));
    CSelectScope select(c.m_dcPage.Get(), ruling.Get());
    for (int y = 45; y < 400; y += 45) {
        MoveToEx(c.m_dcPage.Get(), 0, y, nullptr);
        LineTo(c.m_dcPage.Get(), 1280, y);
    }
}

// A wavy stroke with changing pressure, in client pixels, a few samples repeated.
void WriteStroke(CFakeCanvas& c) {
    c.Feed(TBN_DOWN, 40, 100, 300);
    for (int i = 1; i < 90; ++i) {
        const int x = 40 + i * 5, y = int(100 + 35 * std::sin(i / 7.0));
        c.Feed(TBN_NONE, x, y, UINT(200 + 180 * std::sin(i / 11.0) + 180));
        if (i % 17 == 0)
            c.Feed(TBN_NONE, x, y, 500);
    }
    c.Feed(TBN_UP, 490, 100, 0);
}

template <class TCanvas> void Write(TCanvas& c, int nTool, float fZoom, POINT ptScroll) {
    PreparePage(c);
    c.m_fZoom = fZoom;
    c.m_ptScroll = ptScroll;
    c.SelectTool(nTool);
    c.ShowPage();
    WriteStroke(c);
}

struct CCase {
    int nTool;
    float fZoom;
    POINT ptScroll;
};
} // namespace

class LiveDrawing : public ::testing::TestWithParam<CCase> {};

TEST_P(LiveDrawing, TheWindowShowsWhatTheStrokeDrawnOnTheWindowShowed) {
    const CCase k = GetParam();
    std::vector<DWORD> now, old, pageNow, pageOld;
    const RECT rcPage = {0, 0, 600, 400};
    {
        FakeTablet tablet;
        CFakeCanvas canvas(tablet);
        Write(canvas, k.nTool, k.fZoom, k.ptScroll);
        now = WindowPixels(canvas.m_hWnd);
        pageNow = PagePixels(canvas, rcPage);
        // The eraser takes itself off the list with what it erased (nothing here).
        ASSERT_EQ(canvas.m_lines.GetCount(), k.nTool == kToolEraser ? 0 : 1);
    }
    {
        FakeTablet tablet;
        COldLetterCapture<CFakeCanvas> canvas(tablet);
        Write(canvas, k.nTool, k.fZoom, k.ptScroll);
        old = WindowPixels(canvas.m_hWnd);
        pageOld = PagePixels(canvas, rcPage);
    }
    ASSERT_EQ(now.size(), old.size());
    size_t nDiffer = 0, nFirst = 0, nInk = 0;
    for (size_t i = 0; i < now.size(); ++i) {
        if (now[i] != old[i] && nDiffer++ == 0)
            nFirst = i;
        if (old[i] != old[0])
            ++nInk;
    }
    EXPECT_EQ(nDiffer, 0u) << "first at client " << nFirst % 600 << "," << nFirst / 600 << ": 0x"
                           << std::hex << now[nFirst] << " against 0x" << old[nFirst];
    // The stroke shows at all, so the comparison compares ink.
    EXPECT_GT(nInk, 500u);
    EXPECT_TRUE(pageNow == pageOld) << "the page bitmap differs";
}

namespace {
const CCase kCases[] = {{kToolPencil, 1.0f, {0, 0}},    {kToolBrush, 1.0f, {0, 0}},
                        {kToolMarker, 1.0f, {0, 0}},    {kToolEraser, 1.0f, {0, 0}},
                        {kToolPencil, 2.0f, {0, 0}},    {kToolBrush, 2.0f, {40, 101}},
                        {kToolMarker, 2.0f, {40, 101}}, {kToolEraser, 2.0f, {0, 0}}};

std::string CaseName(const ::testing::TestParamInfo<CCase>& info) {
    const char* const pszTools[] = {"", "Eraser", "Pencil", "Brush", "Marker"};
    return std::string(pszTools[info.param.nTool]) + "AtZoom" +
           std::to_string(int(info.param.fZoom)) + (info.param.ptScroll.x ? "Scrolled" : "");
}
} // namespace

INSTANTIATE_TEST_SUITE_P(ToolsAndZooms, LiveDrawing, ::testing::ValuesIn(kCases), CaseName);
