// The largest pages a note may have open with their whole page bitmap; larger ones, and pages
// whose bitmap cannot be made, are refused with a message and leave the open note as it was.
#include <climits>

#include "AppFixture.h"
#include "CanvasTestAccess.h"
#include "PageRules.h"
#include "Resources.h"
#include "resource.h"

namespace {

// A view that cannot make page bitmaps taller than m_nMaxBottom, as when memory runs short.
class CShortMemoryView : public CScrivoView {
public:
    LONG m_nMaxBottom = LONG_MAX;

protected:
    HBITMAP CreatePageBitmap(const RECT& rcPage) const override {
        return rcPage.bottom > m_nMaxBottom ? nullptr : CScrivoView::CreatePageBitmap(rcPage);
    }
};

class LargePage : public CAppFixture {
protected:
    std::unique_ptr<CScrivoView> MakeView() const override {
        return std::make_unique<CShortMemoryView>();
    }
    void SetUp() override {
        CAppFixture::SetUp();
        auto pLine = std::make_unique<CLine>();
        pLine->SetColor(RGB(0, 0, 200));
        pLine->SetTool(kToolMarker, 0);
        for (int x = 10; x <= 200; x += 10)
            pLine->AddPoint(x, 40, 6);
        m_pDoc->m_lines.Add(std::move(pLine));
        CCanvasTestAccess::LineHeight(*m_pView) = 70;
        m_pView->PaintPage(true);
    }
    // A note of the current one's strokes on a page of cx x cy.
    std::wstring NoteWithPage(LONG cx, LONG cy) {
        const std::wstring strPath = m_folder / L"large.Qzn";
        EXPECT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
        auto data = CTestFolder::ReadBytes(strPath);
        for (int i = 0; i < 4; ++i) {
            data[20 + i] = static_cast<std::uint8_t>(cx >> (8 * i));
            data[24 + i] = static_cast<std::uint8_t>(cy >> (8 * i));
        }
        EXPECT_TRUE(CTestFolder::WriteBytes(strPath, data));
        return strPath;
    }
    // The open note is the one of SetUp: its stroke, paper and page bitmap.
    void ExpectNoteKept(const char* pszCase) const {
        EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1) << pszCase;
        EXPECT_EQ(m_pView->GetPaper().nLineHeight, 70) << pszCase;
        EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).right, 1024) << pszCase;
        EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).bottom, 2048) << pszCase;
        EXPECT_EQ(GetPixel(m_pView->GetPageDC(), 100, 40), RGB(0, 0, 200)) << pszCase;
    }
};

} // namespace

TEST_F(LargePage, TheLargestPagesTheRulesAllowOpenWithTheirWholeBitmap) {
    // The widest page, the page at the pixel bound, an 8K screen's page and the narrowest page.
    const SIZE pages[] = {{page::kMaxScreenSide, page::MaxBottom(page::kMaxScreenSide)},
                          {4096, page::MaxBottom(4096)},
                          {7680, page::MaxBottom(7680)},
                          {1, page::MaxBottom(1)}};
    for (const SIZE& size : pages) {
        const std::string strCase = std::to_string(size.cx) + " x " + std::to_string(size.cy);
        ASSERT_TRUE(m_pDoc->OnOpenDocument(NoteWithPage(size.cx, size.cy).c_str())) << strCase;
        EXPECT_TRUE(m_messages.empty()) << strCase;
        EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).right, size.cx) << strCase;
        EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).bottom, size.cy) << strCase;
        HDC hdc = m_pView->GetPageDC();
        BITMAP bm{};
        ASSERT_TRUE(GetObjectW(GetCurrentObject(hdc, OBJ_BITMAP), sizeof(bm), &bm)) << strCase;
        EXPECT_EQ(bm.bmWidth, size.cx) << strCase;
        EXPECT_EQ(bm.bmHeight, size.cy) << strCase;
        // The paper reaches the page's last row.
        EXPECT_EQ(GetPixel(hdc, size.cx - 1, size.cy - 1), m_pView->GetPaper().crBack) << strCase;
    }
    EXPECT_EQ(static_cast<std::int64_t>(4096) * page::MaxBottom(4096), page::kMaxPixels);
}

TEST_F(LargePage, APageBeyondWhatTheProgramCanHoldIsRefused) {
    for (const SIZE& size : {SIZE{16384, 65536}, SIZE{16384, page::MaxBottom(16384) + 1},
                             SIZE{4096, page::MaxBottom(4096) + 1}}) {
        m_messages.clear();
        EXPECT_FALSE(m_pDoc->OnOpenDocument(NoteWithPage(size.cx, size.cy).c_str()));
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].strText, L"Unexpected file format.");
        ExpectNoteKept("refused page");
    }
}

TEST_F(LargePage, APageBitmapThatCannotBeMadeIsReportedAndTheOpenNoteStays) {
    const std::wstring strPath = NoteWithPage(1024, 6144);
    static_cast<CShortMemoryView*>(m_pView)->m_nMaxBottom = 4096;
    EXPECT_FALSE(m_pDoc->OnOpenDocument(strPath.c_str()));
    ASSERT_EQ(m_messages.size(), 1u) << "one message, not the framework's second one";
    EXPECT_EQ(m_messages[0].strText,
              FormatString1(LoadResString(IDS_PAGE_NO_MEMORY), L"1024 x 6144"));
    EXPECT_EQ(m_messages[0].strCaption, L"Quillet");
    ExpectNoteKept("no page bitmap");
}
