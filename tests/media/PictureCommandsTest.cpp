#include "AppFixture.h"
#include "PenCapture.h"
#include "kvofunc.h"

namespace {

constexpr COLORREF kPaper = 13427429;

std::unique_ptr<CPicture> Flat(const RECT& rc, COLORREF cr) {
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    CWindowDC screen(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(screen.Get(), cx, cy);
    {
        CMemoryDC dc(screen.Get());
        CSelectScope select(dc.Get(), hbm);
        COwnedBrush brush(CreateSolidBrush(cr));
        const RECT rcAll{0, 0, cx, cy};
        FillRect(dc.Get(), &rcAll, brush.Get());
    }
    auto p = std::make_unique<CPicture>();
    p->SetImage(hbm, cx, cy);
    p->SetRect(rc);
    return p;
}

class PictureCommands : public CAppFixture {
protected:
    COLORREF Page(int x, int y) const { return GetPixel(m_pView->GetPageDC(), x, y); }
    // The mouse on the view at a client point (zoom 1, not scrolled: the page point).
    void Mouse(UINT uMsg, int x, int y, WPARAM keys) const {
        SendMessageW(m_pView->m_hWnd, uMsg, keys, MAKELPARAM(x, y));
    }
    void Drag(POINT from, POINT to) const {
        Mouse(WM_MOUSEMOVE, from.x, from.y, 0);
        Mouse(WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, (from.x + to.x) / 2, (from.y + to.y) / 2, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, to.x, to.y, 0);
    }
    void AddFlat(const RECT& rc, COLORREF cr) {
        m_pDoc->m_pictures.Add(Flat(rc, cr));
        m_pView->PaintPage(true);
    }
    RECT RectOf(int i) const { return m_pDoc->m_pictures.GetAt(i)->GetRect(); }
    // A red picture at (100, 100, 200, 200), selected with the picture tool.
    void AddSelectedRedSquare() {
        AddFlat({100, 100, 200, 200}, RGB(255, 0, 0));
        m_pFrame->RouteCommand(ID_TOOL_PICTURE);
        Mouse(WM_LBUTTONDOWN, 150, 150, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, 150, 150, 0);
    }
};

} // namespace

TEST_F(PictureCommands, InsertedFileLiesAtTheTopLeftAndMarksTheNote) {
    ASSERT_TRUE(m_pView->InsertPictureFile(QUILLET_TEST_DATA L"/pictures/bmp24.bmp"));
    ASSERT_EQ(m_pDoc->m_pictures.GetCount(), 1);
    const RECT rc = RectOf(0);
    EXPECT_EQ(rc.right, 24);
    EXPECT_EQ(rc.bottom, 16);
    EXPECT_EQ(Page(5, 3), RGB(200, 30, 40));
    EXPECT_EQ(Page(17, 12), RGB(250, 250, 250));
    EXPECT_EQ(Page(30, 3), kPaper);
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_TRUE(m_pView->HasInk());
}

TEST_F(PictureCommands, UnreadableFileIsReportedAndChangesNothing) {
    const std::wstring strPath = m_folder / L"letter.bmp";
    ASSERT_TRUE(CTestFolder::WriteBytes(strPath, {'D', 'e', 'a', 'r'}));
    EXPECT_FALSE(m_pView->InsertPictureFile(strPath));
    EXPECT_EQ(m_pDoc->m_pictures.GetCount(), 0);
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_FALSE(m_pView->HasInk());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"No Suppost This File Type!");
}

TEST_F(PictureCommands, DraggingWithThePictureToolMovesItOnThePage) {
    AddFlat({100, 100, 140, 130}, RGB(0, 0, 255));
    m_pFrame->RouteCommand(ID_TOOL_PICTURE);
    Drag({120, 110}, {150, 160});
    const RECT rc = RectOf(0);
    EXPECT_EQ(rc.left, 130);
    EXPECT_EQ(rc.top, 150);
    EXPECT_EQ(rc.right, 170);
    EXPECT_EQ(rc.bottom, 180);
    EXPECT_EQ(Page(150, 165), RGB(0, 0, 255)) << "drawn at its new place";
    EXPECT_EQ(Page(105, 105), kPaper) << "gone from the old one";
    EXPECT_TRUE(m_pDoc->IsModified());
}

TEST_F(PictureCommands, TheBottomRightHandleShowsItsCursorAndResizes) {
    AddFlat({100, 100, 140, 130}, RGB(0, 0, 255));
    m_pFrame->RouteCommand(ID_TOOL_PICTURE);
    Mouse(WM_LBUTTONDOWN, 120, 110, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 120, 110, 0);
    Mouse(WM_MOUSEMOVE, 142, 132, 0);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZENWSE));
    Mouse(WM_MOUSEMOVE, 20, 20, 0);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW)) << "away from the picture";
    Drag({142, 132}, {200, 220});
    const RECT rc = RectOf(0);
    EXPECT_EQ(rc.right, 200);
    EXPECT_EQ(rc.bottom, 220);
    EXPECT_EQ(Page(190, 210), RGB(0, 0, 255)) << "stretched to the new size";
}

TEST_F(PictureCommands, MoveToFrontRepaintsTheOverlap) {
    AddFlat({100, 100, 200, 200}, RGB(255, 0, 0));
    AddFlat({150, 150, 250, 250}, RGB(0, 0, 255));
    ASSERT_EQ(Page(175, 175), RGB(0, 0, 255));
    m_pFrame->RouteCommand(ID_TOOL_PICTURE);
    Mouse(WM_LBUTTONDOWN, 110, 110, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 110, 110, 0);
    ASSERT_EQ(m_pDoc->m_pictures.GetSel(), 0);
    m_pFrame->RouteCommand(ID_PICTURE_TO_FRONT);
    EXPECT_EQ(m_pDoc->m_pictures.GetSel(), 1);
    EXPECT_EQ(Page(175, 175), RGB(255, 0, 0));
    EXPECT_TRUE(m_pDoc->IsModified());
    m_pFrame->RouteCommand(ID_PICTURE_DELETE);
    EXPECT_EQ(m_pDoc->m_pictures.GetCount(), 1);
    EXPECT_EQ(Page(175, 175), RGB(0, 0, 255));
    EXPECT_EQ(Page(110, 110), kPaper);
}

TEST_F(PictureCommands, MenuCommandsWithoutASelectionChangeNothing) {
    AddFlat({100, 100, 200, 200}, RGB(255, 0, 0));
    for (UINT nID : {ID_PICTURE_DELETE, ID_PICTURE_TO_FRONT, ID_PICTURE_TO_BACK, ID_PICTURE_FORWARD,
                     ID_PICTURE_BACKWARD})
        m_pFrame->RouteCommand(nID);
    EXPECT_EQ(m_pDoc->m_pictures.GetCount(), 1);
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(PictureCommands, ChoosingAPenDropsTheSelectionAndItsTracker) {
    AddSelectedRedSquare();
    EXPECT_EQ(Page(202, 202), RGB(0, 0, 0)) << "the bottom-right handle is drawn";
    m_pFrame->RouteCommand(ID_TOOL_PENCIL);
    EXPECT_EQ(m_pDoc->m_pictures.GetSel(), -1);
    EXPECT_EQ(Page(202, 202), kPaper);
}

TEST_F(PictureCommands, AJpegExportHoldsThePictureWithoutItsSizingHandles) {
    AddSelectedRedSquare();
    ASSERT_EQ(Page(202, 202), RGB(0, 0, 0)) << "the bottom-right handle is drawn";
    const std::wstring strPath = m_folder / L"export.jpg";
    m_pDoc->m_bSaveAsJpg = true;
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
    m_pDoc->m_bSaveAsJpg = false;
    int cx = 0, cy = 0;
    COwnedBitmap picture(CreateBitmapFromFileW(strPath.c_str(), &cx, &cy));
    ASSERT_TRUE(picture);
    CMemoryDC dc;
    CSelectScope select(dc.Get(), picture.Get());
    for (POINT pt : {POINT{202, 202}, POINT{97, 97}, POINT{150, 202}}) {
        const COLORREF cr = GetPixel(dc.Get(), pt.x, pt.y);
        EXPECT_GT(GetGValue(cr), 180) << "paper at " << pt.x << "," << pt.y;
    }
    EXPECT_GT(GetRValue(GetPixel(dc.Get(), 150, 150)), 200) << "the picture";
}
