#include <set>

#include "AppFixture.h"
#include "CanvasTestAccess.h"
#include "FrameWnd.h"

namespace {
using CanvasPage = CAppFixture;

class PortraitScreen : public CAppFixture {
protected:
    SIZE ScreenSize() const override { return {768, 1024}; }
};

COLORREF PagePixel(CScrivoView* pView, int x, int y) {
    return GetPixel(pView->GetPageDC(), x, y);
}

std::unique_ptr<CLine> Stroke(int x0, int y0, int x1, int y1, COLORREF cr) {
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(cr);
    pLine->SetTool(kToolMarker, 0);
    for (int i = 0; i <= 20; ++i)
        pLine->AddPoint(x0 + (x1 - x0) * i / 20, y0 + (y1 - y0) * i / 20, 8);
    return pLine;
}

std::vector<COLORREF> Snapshot(HDC hdc, const RECT& rc) {
    std::vector<COLORREF> px;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            px.push_back(GetPixel(hdc, x, y));
    return px;
}
} // namespace

TEST_F(CanvasPage, OnA1024By768ScreenThePageIs1024By2048) {
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).left, 0);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).top, 0);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).right, 1024);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).bottom, 2048);
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(CCanvasTestAccess::PageBitmap(*m_pView).Get(), sizeof(bm), &bm));
    EXPECT_EQ(bm.bmWidth, 1024);
    EXPECT_EQ(bm.bmHeight, 2048);
    EXPECT_EQ(bm.bmBitsPixel, 24);
}

TEST_F(CanvasPage, AddLineGrowsThePageTwiceThenRefuses) {
    m_pFrame->RouteCommand(ID_ADD_LINE);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).bottom, 4096);
    m_pFrame->RouteCommand(ID_ADD_LINE);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).bottom, 6144);
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(CCanvasTestAccess::PageBitmap(*m_pView).Get(), sizeof(bm), &bm));
    EXPECT_EQ(bm.bmHeight, 6144);
    EXPECT_TRUE(m_messages.empty());
    m_pFrame->RouteCommand(ID_ADD_LINE);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).bottom, 6144);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"Unable to add further lines");
    EXPECT_EQ(m_messages[0].strCaption, L"Information");
    EXPECT_EQ(m_messages[0].uType, static_cast<UINT>(MB_OK));
}

TEST_F(CanvasPage, WindowMessage1234PerformsAddLine) {
    EXPECT_EQ(SendMessageW(m_pView->m_hWnd, 1234, 0, 0), 0);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).bottom, 4096);
    PostMessageW(m_pView->m_hWnd, 1234, 0, 0);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).bottom, 6144);
}

TEST_F(CanvasPage, AddLineKeepsTheInkAndRepaintsItOnTheLongerPage) {
    // Marker ink masks the paper below it.
    m_pDoc->m_lines.Add(Stroke(100, 1500, 400, 1500, RGB(255, 0, 0)));
    m_pView->PaintPage(true);
    const COLORREF crInk = m_pView->GetPaper().crBack & RGB(255, 0, 0);
    ASSERT_EQ(PagePixel(m_pView, 250, 1500), crInk);
    m_pFrame->RouteCommand(ID_ADD_LINE);
    EXPECT_EQ(PagePixel(m_pView, 250, 1500), crInk);
    EXPECT_EQ(PagePixel(m_pView, 250, 4000), m_pView->GetPaper().crBack);
}

TEST_F(PortraitScreen, ViewStartsFiveWidthsTallAndANewNoteTwoHeights) {
    CFrameWnd frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, std::make_unique<CScrivoView>(), nullptr));
    auto* pView = static_cast<CScrivoView*>(frame.GetActiveView());
    EXPECT_EQ(CCanvasTestAccess::PageRect(*pView).right, 768);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*pView).bottom, 3840);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).right, 768);
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).bottom, 2048)
        << "the first note has cleared the page";
}

TEST_F(CanvasPage, ZoomStepsFromHalfToFourWithTheirScrollSizes) {
    auto Total = [&] { return m_pView->GetTotalSize(); };
    EXPECT_EQ(CCanvasTestAccess::Zoom(*m_pView), 1.0f);
    EXPECT_EQ(Total().cx, 994);
    EXPECT_EQ(Total().cy, 2018);
    m_pFrame->RouteCommand(ID_ZOOM_IN);
    EXPECT_EQ(CCanvasTestAccess::Zoom(*m_pView), 2.0f);
    EXPECT_EQ(Total().cx, 2018);
    EXPECT_EQ(Total().cy, 4066);
    m_pFrame->RouteCommand(ID_ZOOM_IN);
    EXPECT_EQ(CCanvasTestAccess::Zoom(*m_pView), 4.0f);
    EXPECT_EQ(Total().cx, 4066);
    EXPECT_EQ(Total().cy, 8162);
    m_pFrame->RouteCommand(ID_ZOOM_IN);
    EXPECT_EQ(CCanvasTestAccess::Zoom(*m_pView), 4.0f);
    EXPECT_FALSE(m_pFrame->IsCommandEnabled(ID_ZOOM_IN));
    m_pFrame->RouteCommand(ID_ZOOM_OUT);
    m_pFrame->RouteCommand(ID_ZOOM_OUT);
    m_pView->ScrollToPosition({0, 500});
    EXPECT_EQ(m_pView->GetScrollPosition().y, 500);
    m_pFrame->RouteCommand(ID_ZOOM_OUT);
    EXPECT_EQ(CCanvasTestAccess::Zoom(*m_pView), 0.5f);
    EXPECT_EQ(m_pView->GetScrollPosition().y, 0) << "zooming below 1 scrolls to the origin";
    EXPECT_EQ(Total().cx, 482);
    EXPECT_EQ(Total().cy, 994);
    m_pFrame->RouteCommand(ID_ZOOM_OUT);
    EXPECT_EQ(CCanvasTestAccess::Zoom(*m_pView), 0.5f);
    EXPECT_FALSE(m_pFrame->IsCommandEnabled(ID_ZOOM_OUT));
}

TEST_F(CanvasPage, PageAndClientPointsFollowZoomAndScroll) {
    m_pFrame->RouteCommand(ID_ZOOM_IN);
    m_pView->ScrollToPosition({0, 301});
    POINT pt = m_pView->ClientToPage({51, 10});
    EXPECT_EQ(pt.x, 25);
    EXPECT_EQ(pt.y, 155);
}

TEST_F(CanvasPage, RuledLinesLieAtTheMultiplesOfTheLineHeight) {
    const COLORREF crLine = m_pView->GetPaper().crLine;
    std::set<int> ruled;
    for (int y = 0; y < 2048; ++y) {
        if (PagePixel(m_pView, 500, y) == crLine)
            ruled.insert(y);
        else
            ASSERT_EQ(PagePixel(m_pView, 500, y), m_pView->GetPaper().crBack) << "row " << y;
    }
    for (int n = 1; n * 90 < 2048; ++n) {
        int y = n * 90;
        EXPECT_TRUE(ruled.count(y) || ruled.count(y - 1)) << "no ruled line at " << y;
    }
    for (int y : ruled)
        EXPECT_LE(std::min(y % 90, 90 - y % 90), 1) << "stray ruled row " << y;
    EXPECT_EQ(ruled.count(0), 0u) << "no line at the top edge";
    EXPECT_TRUE(ruled.count(1980) || ruled.count(1979));
}

TEST_F(CanvasPage, RepaintOfARegionRedrawsRulingAndStrokesThere) {
    m_pDoc->m_lines.Add(Stroke(120, 150, 380, 260, RGB(200, 0, 0)));
    m_pDoc->m_lines.Add(Stroke(700, 700, 800, 800, RGB(0, 0, 200)));
    m_pView->PaintPage(true);
    const RECT rc = {100, 100, 400, 300};
    const RECT rcCheck = {95, 95, 405, 305};
    auto before = Snapshot(m_pView->GetPageDC(), rcCheck);
    const COLORREF crInk = m_pView->GetPaper().crBack & RGB(200, 0, 0);
    ASSERT_GT(std::count(before.begin(), before.end(), crInk), 100);
    COwnedBrush green(CreateSolidBrush(RGB(0, 255, 0)));
    RECT rcDirty = rcCheck;
    FillRect(m_pView->GetPageDC(), &rcDirty, green.Get());
    EXPECT_TRUE(m_pView->RepaintPageRegion(rc));
    auto after = Snapshot(m_pView->GetPageDC(), rcCheck);
    ASSERT_EQ(after.size(), before.size());
    int nDiffer = 0;
    for (std::size_t i = 0; i < after.size(); ++i)
        nDiffer += after[i] != before[i];
    EXPECT_EQ(nDiffer, 0) << "pixels that differ from the full repaint";
    EXPECT_EQ(PagePixel(m_pView, 750, 750), m_pView->GetPaper().crBack & RGB(0, 0, 200))
        << "outside the region untouched";
}

TEST_F(CanvasPage, LineHeightStepsByTenAndStopsAtForty) {
    CCanvasTestAccess::LineHeight(*m_pView) = 50;
    m_pView->LineHeightDown();
    EXPECT_EQ(m_pView->GetPaper().nLineHeight, 40);
    m_pView->LineHeightDown();
    EXPECT_EQ(m_pView->GetPaper().nLineHeight, 40);
    m_pView->LineHeightUp();
    EXPECT_EQ(m_pView->GetPaper().nLineHeight, 50);
    EXPECT_EQ(PagePixel(m_pView, 10, 45), m_pView->GetPaper().crBack);
}

TEST_F(CanvasPage, ZoomedOutPageShowsBlackBesideIt) {
    m_pFrame->RouteCommand(ID_ZOOM_OUT);
    SetWindowPos(m_pFrame->m_hWnd, nullptr, 0, 0, 900, 700, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rc{};
    GetClientRect(m_pView->m_hWnd, &rc);
    ASSERT_GT(rc.right, 600);
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), rc.right, -rc.bottom, 1, 32, BI_RGB};
    void* pBits = nullptr;
    COwnedBitmap dib(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    CMemoryDC dc;
    CSelectScope select(dc.Get(), dib.Get());
    m_pView->OnPrepareDC(dc.Get());
    m_pView->OnDraw(dc.Get());
    EXPECT_EQ(GetPixel(dc.Get(), 100, 20), m_pView->GetPaper().crBack);
    EXPECT_EQ(GetPixel(dc.Get(), 520, 20), RGB(0, 0, 0)) << "right of the half-width page";
    EXPECT_EQ(GetPixel(dc.Get(), 100, 45), m_pView->GetPaper().crLine) << "line 90 shows at 45";
}
