#include "AppFixture.h"
#include "FrameworkIds.h"
#include "kvofunc.h"

namespace {
using PictureExport = CAppFixture;

std::string Ansi(const std::wstring& str) {
    char sz[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, str.c_str(), -1, sz, sizeof(sz), nullptr, nullptr);
    return sz;
}

// The size of an image file, or (0, 0).
SIZE ImageSize(const std::wstring& strPath) {
    int cx = 0, cy = 0;
    HBITMAP hbm = CreateBitmapFromFile(Ansi(strPath).c_str(), &cx, &cy);
    if (hbm)
        DeleteObject(hbm);
    return {cx, cy};
}

// A picture of cx x cy pixels in one colour, placed at rc.
std::unique_ptr<CPicture> Picture(int cx, int cy, COLORREF cr, const RECT& rc) {
    CWindowDC screen(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(screen.Get(), cx, cy);
    {
        CMemoryDC dc(screen.Get());
        CSelectScope select(dc.Get(), hbm);
        COwnedBrush brush(CreateSolidBrush(cr));
        RECT rcAll = {0, 0, cx, cy};
        FillRect(dc.Get(), &rcAll, brush.Get());
    }
    auto p = std::make_unique<CPicture>();
    p->SetImage(hbm, cx, cy);
    p->SetRect(rc);
    return p;
}
} // namespace

TEST_F(PictureExport, EmptyNoteExportsAs320By320AndStaysModified) {
    m_pDoc->SetModifiedFlag();
    const std::wstring strPath = m_folder / L"empty.jpg";
    AnswerFileDialog(strPath);
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    ASSERT_TRUE(m_messages.empty()) << testing::PrintToString(m_messages[0].strText);
    SIZE size = ImageSize(strPath);
    EXPECT_EQ(size.cx, 320);
    EXPECT_EQ(size.cy, 320);
    EXPECT_TRUE(m_pDoc->IsModified()) << "an export is not a save of the note";
    EXPECT_EQ(m_pDoc->GetTitle(), L"Untitled") << "the note keeps its own name";
    EXPECT_FALSE(m_pDoc->m_bSaveAsJpg);
    EXPECT_EQ(m_folder.List(), std::vector<std::wstring>{L"empty.jpg"});
}

TEST_F(PictureExport, InkReachingX1000Y400ExportsAs1020By420WithThePageInIt) {
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(RGB(0, 0, 0));
    pLine->SetTool(kToolPencil, 1);
    pLine->AddPoint(100, 100, 160);
    pLine->AddPoint(1000, 400, 160);
    ASSERT_EQ(pLine->GetBound().right, 1000);
    ASSERT_EQ(pLine->GetBound().bottom, 400);
    m_pDoc->m_lines.Add(std::move(pLine));
    m_pView->PaintPage(true);
    const std::wstring strPath = m_folder / L"ink.jpg";
    AnswerFileDialog(strPath);
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    int cx = 0, cy = 0;
    HBITMAP hbm = CreateBitmapFromFile(Ansi(strPath).c_str(), &cx, &cy);
    ASSERT_NE(hbm, nullptr);
    EXPECT_EQ(cx, 1020);
    EXPECT_EQ(cy, 420);
    CMemoryDC dc;
    CSelectScope select(dc.Get(), hbm);
    COLORREF cr = GetPixel(dc.Get(), 20, 20);
    EXPECT_NEAR(GetRValue(cr), 229, 8) << "paper colour in the picture";
    EXPECT_NEAR(GetBValue(cr), 204, 8);
    COLORREF crRule = GetPixel(dc.Get(), 20, 90);
    EXPECT_LT(GetRValue(crRule) + GetGValue(crRule), GetRValue(cr) + GetGValue(cr))
        << "the ruled line at 90 is darker than the paper";
    DeleteObject(hbm);
}

TEST_F(PictureExport, PicturesWidenTheExportAndAreCutToThePaper) {
    m_pDoc->m_pictures.Add(Picture(10, 10, RGB(0, 128, 0), {200, 300, 1100, 500}));
    m_pView->PaintPage(true);
    const std::wstring strPath = m_folder / L"pic.jpg";
    AnswerFileDialog(strPath);
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    SIZE size = ImageSize(strPath);
    EXPECT_EQ(size.cx, 1024);
    EXPECT_EQ(size.cy, 520);
}

TEST_F(PictureExport, FailedExportIsReportedAndKeepsAnOlderPicture) {
    const std::wstring strPath = m_folder / L"old.jpg";
    ASSERT_TRUE(CTestFolder::WriteBytes(strPath, {1, 2, 3}));
    HANDLE hLock =
        CreateFileW(strPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    AnswerFileDialog(strPath);
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    CloseHandle(hLock);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"Failed to save document.");
    EXPECT_EQ(CTestFolder::ReadBytes(strPath), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(m_folder.List(), std::vector<std::wstring>{L"old.jpg"});
}

TEST_F(PictureExport, NoteWithAPictureOpensWithItAndRegionRepaintsDrawIt) {
    m_pDoc->m_pictures.Add(Picture(4, 3, RGB(0, 0, 255), {300, 300, 340, 330}));
    const std::wstring strPath = m_folder / L"picture.Qzn";
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
    m_app->OnFileNew();
    ASSERT_EQ(m_pDoc->m_pictures.GetCount(), 0);
    ASSERT_TRUE(m_pDoc->OnOpenDocument(strPath.c_str()));
    ASSERT_EQ(m_pDoc->m_pictures.GetCount(), 1);
    EXPECT_TRUE(m_pView->HasInk());
    HDC hdc = m_pView->GetPageDC();
    EXPECT_EQ(GetPixel(hdc, 320, 315), RGB(0, 0, 255));
    RECT rcWipe = {250, 250, 400, 400};
    FillRect(hdc, &rcWipe, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    m_pView->RepaintPageRegion({310, 310, 320, 320});
    EXPECT_EQ(GetPixel(hdc, 315, 315), RGB(0, 0, 255)) << "picture repainted in the region";
    EXPECT_EQ(GetPixel(hdc, 308, 312), RGB(0, 0, 255)) << "and in its 5-pixel margin";
}

TEST_F(PictureExport, ExportsIntoAFolderTheAnsiCodePageCannotSpell) {
    const std::wstring strFolder = m_folder / L"\x0416\x4E2D notes";
    ASSERT_TRUE(CreateDirectoryW(strFolder.c_str(), nullptr));
    const std::wstring strPath = strFolder + L"\\\x0431.jpg";
    AnswerFileDialog(strPath);
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    EXPECT_TRUE(m_messages.empty()) << testing::PrintToString(m_messages[0].strText);
    int cx = 0, cy = 0;
    HBITMAP hbm = CreateBitmapFromFileW(strPath.c_str(), &cx, &cy);
    ASSERT_NE(hbm, nullptr);
    EXPECT_EQ(cx, 320);
    EXPECT_EQ(cy, 320);
    DeleteObject(hbm);
}

// After an export the note is still the note: the question names it, and Yes saves it as a
// note, in its own file or under a new name, never into the picture.
TEST_F(PictureExport, SaveChangesAfterAnExportNamesTheNoteAndNeverWritesIntoThePicture) {
    const std::wstring strNote = m_folder / L"kept.Qzn", strPicture = m_folder / L"ink.jpg";
    for (const bool bSaved : {false, true}) {
        SCOPED_TRACE(bSaved ? "a saved note" : "a new note");
        m_pFrame->RouteCommand(ID_FILE_NEW);
        if (bSaved) {
            ASSERT_TRUE(m_pDoc->DoSave(strNote.c_str()));
        }
        m_pDoc->m_lines.Add(std::make_unique<CLine>());
        m_pDoc->SetModifiedFlag();
        AnswerFileDialog(strPicture);
        m_pFrame->RouteCommand(ID_FILE_SAVE);
        const std::vector<std::uint8_t> picture = CTestFolder::ReadBytes(strPicture);
        ASSERT_GE(picture.size(), 2u);
        EXPECT_EQ(FrameText(), bSaved ? L"kept.Qzn - Quillet" : L"Untitled - Quillet");

        // Yes, and the user gives the picture's name once more.
        m_messages.clear();
        m_nAnswer = IDYES;
        m_pFrame->RouteCommand(ID_FILE_NEW);
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].strText,
                  bSaved ? L"Save changes to kept.Qzn?" : L"Save changes to Untitled?");
        EXPECT_EQ(CTestFolder::ReadBytes(strPicture), picture) << "the picture is untouched";
        const std::wstring strSaved = bSaved ? strNote : strPicture + L".Qzn";
        const std::vector<std::uint8_t> note = CTestFolder::ReadBytes(strSaved);
        ASSERT_EQ(note.size(), 36u + 32u) << "the note with its one stroke";
        EXPECT_EQ(note[28], 1) << "one stroke";
    }
}
