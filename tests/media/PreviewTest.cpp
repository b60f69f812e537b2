#include "AppFixture.h"
#include "CanvasTestAccess.h"
#include "FrameworkIds.h"
#include "TestPrinter.h"

namespace {

class PrintPreview : public CAppFixture {
protected:
    void SetUp() override {
        CAppFixture::SetUp();
        ASSERT_TRUE(InstallTestPrinter(L"Preview", m_folder / L"preview.ps", true));
        // Two bands: 1024 x 4096, with a black bar across the top of the second band.
        m_pFrame->RouteCommand(ID_ADD_LINE);
        ASSERT_EQ(CCanvasTestAccess::PageRect(*m_pView).bottom, 4096);
        RECT rc{0, 2100, 1024, 2300};
        FillRect(m_pView->GetPageDC(), &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    // The bars' own visibility (the frame itself stays hidden in these tests).
    static bool Shown(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }
    bool BarsVisible() const {
        return Shown(m_pFrame->m_wndBar.m_hWnd) || Shown(m_pFrame->m_wndPanel.m_hWnd);
    }
    // The grey of the preview's page image at fractions of its width and height.
    int PagePixel(double fx, double fy) const {
        HBITMAP hbm = m_pView->GetPreview()->PageImage();
        BITMAP bm{};
        GetObjectW(hbm, sizeof(bm), &bm);
        CMemoryDC dc;
        CSelectScope select(dc.Get(), hbm);
        const COLORREF cr = GetPixel(dc.Get(), static_cast<int>(fx * bm.bmWidth),
                                     static_cast<int>(fy * bm.bmHeight));
        return (GetRValue(cr) + GetGValue(cr) + GetBValue(cr)) / 3;
    }
    std::wstring PageText() const {
        HWND hwnd = m_pView->GetPreview()->m_hWnd;
        wchar_t sz[64] = {};
        for (HWND h = GetWindow(hwnd, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
            GetClassNameW(h, sz, 64);
            if (lstrcmpiW(sz, L"Static") == 0) {
                GetWindowTextW(h, sz, 64);
                return sz;
            }
        }
        return L"";
    }
    void Click(UINT nButton) const {
        SendMessageW(m_pView->GetPreview()->m_hWnd, WM_COMMAND, nButton, 0);
    }
};

} // namespace

TEST_F(PrintPreview, ShowsTheBandsOfThePrintoutWithTheBarsHidden) {
    ASSERT_TRUE(BarsVisible());
    m_pFrame->RouteCommand(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(m_pView->GetPreview(), nullptr);
    EXPECT_FALSE(BarsVisible());
    EXPECT_EQ(PageText(), L"Page 1 of 2");
    EXPECT_GT(PagePixel(0.5, 0.05), 180) << "the top of the note: paper";
    // The band keeps the note's shape: as tall as the sheet, half as wide, in the middle.
    EXPECT_EQ(PagePixel(0.1, 0.5), 255) << "the sheet left of the band";
    EXPECT_EQ(PagePixel(0.9, 0.5), 255) << "the sheet right of the band";
    EXPECT_LT(PagePixel(0.2, 0.5), 250) << "the note's paper at the band's left edge";
    Click(CPreviewWnd::kNext);
    EXPECT_EQ(PageText(), L"Page 2 of 2");
    // Rows 2100 to 2300 are rows 52 to 252 of the second band of 2048.
    EXPECT_LT(PagePixel(0.5, 0.075), 40) << "the black bar at the top of page 2";
    EXPECT_GT(PagePixel(0.5, 0.3), 180);
    Click(CPreviewWnd::kClose);
    EXPECT_EQ(m_pView->GetPreview(), nullptr);
    EXPECT_TRUE(Shown(m_pFrame->m_wndBar.m_hWnd));
    EXPECT_TRUE(Shown(m_pFrame->m_wndPanel.m_hWnd));
}

// The preview lies over the canvas: the pen writes nothing under it, and writes again once it
// has closed.
TEST_F(PrintPreview, ThePenWritesNothingUnderThePreview) {
    ASSERT_TRUE(m_pView->IsMousePen()) << "this process has no tablet";
    const auto Drag = [this] {
        HWND hwnd = m_pView->m_hWnd;
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
        for (int x = 50; x <= 200; x += 10)
            SendMessageW(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 40));
        SendMessageW(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(200, 40));
    };
    m_pFrame->RouteCommand(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(m_pView->GetPreview(), nullptr);
    Drag();
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_FALSE(m_pDoc->IsModified());
    Click(CPreviewWnd::kClose);
    Drag();
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1);
}

// The handles of a selected picture are drawn into the page bitmap for the screen; the preview
// and the printout show the page as the picture export does, without them.
TEST_F(PrintPreview, LeavesASelectedPicturesHandlesOut) {
    CWindowDC screen(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(screen.Get(), 60, 40);
    {
        CMemoryDC dc(screen.Get());
        CSelectScope select(dc.Get(), hbm);
        RECT rc{0, 0, 60, 40};
        FillRect(dc.Get(), &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    auto p = std::make_unique<CPicture>();
    p->SetImage(hbm, 60, 40);
    p->SetRect({200, 300, 260, 340});
    m_pDoc->m_pictures.Add(std::move(p));
    m_pView->PaintPage(true);
    ASSERT_TRUE(m_pDoc->m_pictures.SelectAt(*m_pView, 230, 320));
    HDC hdcPage = m_pView->GetPageDC();
    ASSERT_EQ(GetPixel(hdcPage, 197, 297), RGB(0, 0, 0)) << "the top-left handle on screen";

    m_pFrame->RouteCommand(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(m_pView->GetPreview(), nullptr);
    // Handle squares at the corners and the middles of the sides, and the hatched border.
    for (POINT pt : {POINT{197, 297}, POINT{262, 342}, POINT{227, 297}, POINT{262, 318},
                     POINT{197, 337}, POINT{230, 342}}) {
        EXPECT_EQ(GetPixel(hdcPage, pt.x, pt.y), m_pView->GetPaper().crBack)
            << "page pixel " << pt.x << ", " << pt.y << " still shows the tracker";
    }
    EXPECT_EQ(GetPixel(hdcPage, 230, 320), RGB(255, 255, 255)) << "the picture itself stays";
    Click(CPreviewWnd::kClose);
}
