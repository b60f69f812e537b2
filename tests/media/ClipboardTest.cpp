#include "AppFixture.h"
#include "Brevix.h"
#include "FrameworkIds.h"
#include "InkBitmap.h"

namespace {

// A bitmap compatible with the screen: cx x cy, left half crLeft, right half crRight.
HBITMAP TwoColourBitmap(int cx, int cy, COLORREF crLeft, COLORREF crRight) {
    CWindowDC screen(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(screen.Get(), cx, cy);
    CMemoryDC dc(screen.Get());
    CSelectScope select(dc.Get(), hbm);
    COwnedBrush left(CreateSolidBrush(crLeft)), right(CreateSolidBrush(crRight));
    RECT rcLeft{0, 0, cx / 2, cy}, rcRight{cx / 2, 0, cx, cy};
    FillRect(dc.Get(), &rcLeft, left.Get());
    FillRect(dc.Get(), &rcRight, right.Get());
    return hbm;
}

COLORREF BitmapPixel(HBITMAP hbm, int x, int y) {
    CMemoryDC dc;
    CSelectScope select(dc.Get(), hbm);
    return GetPixel(dc.Get(), x, y);
}

void PutText(const char* psz) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, strlen(psz) + 1);
    memcpy(GlobalLock(h), psz, strlen(psz) + 1);
    GlobalUnlock(h);
    SetClipboardData(CF_TEXT, h);
    CloseClipboard();
}

// Selection needs a view for its repaints; these tests look at the clipboard only.
class CNoRepaint : public IPictureView {
public:
    void RepaintPageRect(const RECT&) override {}
    void ShowDragOutline(const RECT&) override {}
    void ShowPictureMenu(HMENU) override {}
};

class Clipboard : public CAppFixture {
protected:
    void TearDown() override {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        CAppFixture::TearDown();
    }
};

} // namespace

TEST_F(Clipboard, CopyPutsExactlyTheSelectedPictureAsItLiesOnThePage) {
    auto p = std::make_unique<CPicture>();
    p->SetImage(TwoColourBitmap(30, 20, RGB(200, 0, 0), RGB(0, 0, 200)), 30, 20);
    p->SetRect({100, 50, 160, 90}); // stretched to twice its size
    m_pDoc->m_pictures.Add(std::move(p));
    m_pView->PaintPage(true);
    CNoRepaint view;
    ASSERT_TRUE(m_pDoc->m_pictures.SelectAt(view, 120, 60));
    // Scrolled and zoomed, the copy is still the picture, not what the window shows there.
    m_pFrame->RouteCommand(ID_ZOOM_IN);
    m_pView->ScrollToPosition({40, 30});
    m_pFrame->RouteCommand(ID_EDIT_COPY);

    ASSERT_TRUE(OpenClipboard(nullptr));
    auto hbm = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(hbm, nullptr);
    BITMAP bm{};
    ASSERT_TRUE(GetObjectW(hbm, sizeof(bm), &bm));
    EXPECT_EQ(bm.bmWidth, 60);
    EXPECT_EQ(bm.bmHeight, 40);
    EXPECT_EQ(BitmapPixel(hbm, 0, 0), RGB(200, 0, 0));
    EXPECT_EQ(BitmapPixel(hbm, 29, 39), RGB(200, 0, 0));
    EXPECT_EQ(BitmapPixel(hbm, 30, 0), RGB(0, 0, 200));
    EXPECT_EQ(BitmapPixel(hbm, 59, 39), RGB(0, 0, 200));
    CloseClipboard();
}

TEST_F(Clipboard, CopyWithNothingSelectedLeavesTheClipboardAsItWas) {
    auto p = std::make_unique<CPicture>();
    p->SetImage(TwoColourBitmap(30, 20, RGB(200, 0, 0), RGB(0, 0, 200)), 30, 20);
    m_pDoc->m_pictures.Add(std::move(p)); // placed, not selected
    PutText("earlier text");
    m_pFrame->RouteCommand(ID_EDIT_COPY);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP)) << "no bitmap may replace the text";
    HANDLE h = GetClipboardData(CF_TEXT);
    ASSERT_NE(h, nullptr) << "the earlier text is gone";
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(h)), "earlier text");
    GlobalUnlock(h);
    CloseClipboard();
    // So Paste afterwards adds nothing and leaves the note unchanged.
    m_pFrame->RouteCommand(ID_EDIT_PASTE);
    EXPECT_EQ(m_pDoc->m_pictures.GetCount(), 1);
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(Clipboard, PastePlacesTheBitmapAtTheTopLeftUnderTheStrokesAndMarksTheNote) {
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(RGB(0, 160, 0));
    pLine->SetTool(kToolMarker, 0);
    for (int x = 0; x <= 100; x += 5)
        pLine->AddPoint(x, 30, 8);
    m_pDoc->m_lines.Add(std::move(pLine));
    m_pView->PaintPage(true);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_BITMAP, TwoColourBitmap(80, 60, RGB(250, 250, 0), RGB(0, 250, 250)));
    CloseClipboard();

    m_pFrame->RouteCommand(ID_EDIT_PASTE);
    ASSERT_EQ(m_pDoc->m_pictures.GetCount(), 1);
    const RECT rc = m_pDoc->m_pictures.GetAt(0)->GetRect();
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, 80);
    EXPECT_EQ(rc.bottom, 60);
    HDC hdc = m_pView->GetPageDC();
    EXPECT_EQ(GetPixel(hdc, 10, 10), RGB(250, 250, 0));
    EXPECT_EQ(GetPixel(hdc, 70, 50), RGB(0, 250, 250));
    EXPECT_EQ(GetPixel(hdc, 20, 30), RGB(0, 160, 0)) << "the stroke stays over the picture";
    EXPECT_TRUE(m_pDoc->IsModified()) << "a pasted picture must not be lost on closing";
    EXPECT_TRUE(m_pView->HasInk());
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_NE(GetClipboardData(CF_BITMAP), m_pDoc->m_pictures.GetAt(0)->GetBitmap())
        << "the clipboard keeps its own bitmap";
    CloseClipboard();
}

TEST_F(Clipboard, PasteWithoutABitmapChangesNothing) {
    PutText("no picture");
    m_pFrame->RouteCommand(ID_EDIT_PASTE);
    EXPECT_EQ(m_pDoc->m_pictures.GetCount(), 0);
    EXPECT_FALSE(m_pDoc->IsModified());
}

// The bridge's delayed formats belong to the view: a paste request reaches the bridge through
// the view, and so does the view's destruction.
class BridgeFormats : public Clipboard {
protected:
    void SetUp() override {
        Clipboard::SetUp();
        m_hwndTarget =
            CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"target", WS_POPUP | WS_VISIBLE | SS_NOTIFY,
                            100, 100, 300, 200, nullptr, nullptr, nullptr, nullptr);
        m_hwndChild = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 20, 20,
                                      200, 100, m_hwndTarget, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hwndChild, nullptr);
        UpdateWindow(m_hwndTarget);
        RECT rc{};
        GetWindowRect(m_hwndChild, &rc);
        CInkBitmap ink(40, 30);
        SetPixel(ink.Dc(), 5, 5, RGB(255, 0, 0));
        Brevix_Insert(m_pView->m_hWnd, &rc, ink.Dc(), ink.Bitmap());
    }
    void TearDown() override {
        Brevix_RenderFormatHTML_TimeOut(m_pView ? m_pView->m_hWnd : nullptr);
        DestroyWindow(m_hwndTarget);
        Clipboard::TearDown();
    }
    // The size of the CF_DIB on the clipboard, or (0, 0).
    static SIZE DibOnClipboard() {
        SIZE size{0, 0};
        if (!OpenClipboard(nullptr))
            return size;
        if (HGLOBAL h = GetClipboardData(CF_DIB)) {
            auto* p = static_cast<BITMAPINFOHEADER*>(GlobalLock(h));
            size = {p->biWidth, std::abs(p->biHeight)};
            GlobalUnlock(h);
        }
        CloseClipboard();
        return size;
    }
    HWND m_hwndTarget = nullptr;
    HWND m_hwndChild = nullptr;
};

TEST_F(BridgeFormats, ARequestForTheBitmapIsRenderedByTheBridge) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_EQ(GetClipboardOwner(), m_pView->m_hWnd);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
    CloseClipboard();
    const SIZE size = DibOnClipboard();
    EXPECT_EQ(size.cx, 40);
    EXPECT_EQ(size.cy, 30);
}

TEST_F(BridgeFormats, ClosingTheViewLeavesTheInkOnTheClipboard) {
    m_pFrame->DestroyWindow();
    m_pView = nullptr;
    const SIZE size = DibOnClipboard();
    EXPECT_EQ(size.cx, 40);
    EXPECT_EQ(size.cy, 30);
}
