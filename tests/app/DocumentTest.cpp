#include <algorithm>
#include <cstring>

#include "AppFixture.h"
#include "CanvasTestAccess.h"
#include "FrameworkIds.h"
#include "RecentFileList.h"
#include "Resources.h"

namespace {
std::unique_ptr<CLine> MakeStroke(int x0, int y0, int x1, int y1, COLORREF cr) {
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(cr);
    pLine->SetTool(kToolMarker, 0);
    for (int i = 0; i <= 10; ++i)
        pLine->AddPoint(x0 + (x1 - x0) * i / 10, y0 + (y1 - y0) * i / 10, 6);
    return pLine;
}

using NoteDocument = CAppFixture;
} // namespace

TEST_F(NoteDocument, NewNoteIsUntitledAndUnmodified) {
    EXPECT_EQ(m_pDoc->GetTitle(), L"Untitled");
    EXPECT_EQ(FrameText(), L"Untitled - Quillet");
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(m_pDoc->m_strPath, L"");
}

TEST_F(NoteDocument, EmptyNoteIsThirtySixBytesStartingWithThePaper) {
    std::wstring strPath = m_folder / L"empty.Qzn";
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
    auto d = CTestFolder::ReadBytes(strPath);
    ASSERT_EQ(d.size(), 36u);
    EXPECT_EQ(U32(d, 0), 13427429u) << "paper colour";
    EXPECT_EQ(U32(d, 4), 11321541u) << "line colour";
    EXPECT_EQ(U32(d, 8), 90u) << "line height";
    EXPECT_EQ(U32(d, 12), 0u);
    EXPECT_EQ(U32(d, 16), 0u);
    EXPECT_EQ(U32(d, 20), 1024u) << "page right";
    EXPECT_EQ(U32(d, 24), 2048u) << "page bottom";
    EXPECT_EQ(U32(d, 28), 0u) << "strokes";
    EXPECT_EQ(U32(d, 32), 0u) << "pictures";
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(NoteDocument, SavedNoteOpensWithTheSameStrokesAndPaper) {
    m_pDoc->m_lines.Add(MakeStroke(10, 20, 300, 200, RGB(200, 0, 0)));
    m_pDoc->m_lines.Add(MakeStroke(50, 60, 70, 900, RGB(0, 0, 200)));
    CCanvasTestAccess::LineHeight(*m_pView) = 60;
    m_pDoc->SetModifiedFlag();
    std::wstring strPath = m_folder / L"two.Qzn";
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
    EXPECT_FALSE(m_pDoc->IsModified());
    auto saved = CTestFolder::ReadBytes(strPath);

    m_app->OnFileNew();
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_EQ(m_pView->GetPaper().nLineHeight, 60) << "a new note keeps the paper";
    CCanvasTestAccess::LineHeight(*m_pView) = 90;
    ASSERT_TRUE(m_pDoc->OnOpenDocument(strPath.c_str()));
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 2);
    EXPECT_EQ(m_pDoc->m_lines.GetAt(1)->GetPointCount(), 11);
    EXPECT_EQ(m_pDoc->m_lines.GetAt(0)->GetColor(), RGB(200, 0, 0));
    EXPECT_EQ(m_pView->GetPaper().nLineHeight, 60);
    EXPECT_TRUE(m_pView->HasInk());
    EXPECT_EQ(m_pDoc->GetTitle(), L"two.Qzn");
    EXPECT_EQ(m_pDoc->m_strPath, strPath);
    std::wstring strCopy = m_folder / L"copy.Qzn";
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strCopy.c_str()));
    EXPECT_EQ(CTestFolder::ReadBytes(strCopy), saved);
}

TEST_F(NoteDocument, OpenAcceptsOnlyNamesContainingQzn) {
    std::wstring strNote = m_folder / L"a.Qzn";
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strNote.c_str()));
    std::wstring strOther = m_folder / L"a.txt";
    ASSERT_TRUE(CopyFileW(strNote.c_str(), strOther.c_str(), FALSE));
    m_pDoc->m_lines.Add(MakeStroke(1, 1, 9, 9, 0));
    EXPECT_FALSE(m_pDoc->OnOpenDocument(strOther.c_str()));
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1) << "the current note stays";
    EXPECT_TRUE(m_messages.empty()) << "the refusal is silent";
    std::wstring strLower = m_folder / L"b.qzn.bak";
    ASSERT_TRUE(CopyFileW(strNote.c_str(), strLower.c_str(), FALSE));
    EXPECT_TRUE(m_pDoc->OnOpenDocument(strLower.c_str()));
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
}

TEST_F(NoteDocument, DamagedNoteIsReportedAndLeavesTheCurrentNoteAlone) {
    m_pDoc->m_lines.Add(MakeStroke(10, 20, 300, 200, RGB(200, 0, 0)));
    std::wstring strPath = m_folder / L"good.Qzn";
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
    auto data = CTestFolder::ReadBytes(strPath);
    m_pDoc->m_lines.Add(MakeStroke(5, 5, 50, 50, 0));
    CCanvasTestAccess::LineHeight(*m_pView) = 70;
    for (std::size_t nCut : {std::size_t(10), std::size_t(40), data.size() - 1}) {
        std::wstring strBad = m_folder / L"bad.Qzn";
        ASSERT_TRUE(CTestFolder::WriteBytes(
            strBad, std::vector<std::uint8_t>(data.begin(), data.begin() + nCut)));
        m_messages.clear();
        EXPECT_FALSE(m_pDoc->OnOpenDocument(strBad.c_str())) << "cut at " << nCut;
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].strText, L"Unexpected file format.");
        EXPECT_EQ(m_messages[0].strCaption, L"Quillet");
        EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2) << "cut at " << nCut;
        EXPECT_EQ(m_pView->GetPaper().nLineHeight, 70) << "cut at " << nCut;
    }
}

TEST_F(NoteDocument, AbsurdPaperSizeIsReportedAsDamaged) {
    std::wstring strPath = m_folder / L"huge.Qzn";
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
    auto data = CTestFolder::ReadBytes(strPath);
    data[22] = 0x7F; // page right beyond 16384
    ASSERT_TRUE(CTestFolder::WriteBytes(strPath, data));
    EXPECT_FALSE(m_pDoc->OnOpenDocument(strPath.c_str()));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"Unexpected file format.");
    EXPECT_EQ(CCanvasTestAccess::PageRect(*m_pView).right, 1024);
}

TEST_F(NoteDocument, MissingFileReportsFailedToOpen) {
    EXPECT_FALSE(m_pDoc->OnOpenDocument((m_folder / L"none.Qzn").c_str()));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"Failed to open document.");
}

TEST_F(NoteDocument, FailedSaveKeepsThePreviousFileAndLeavesNoTemporaryFile) {
    std::wstring strPath = m_folder / L"keep.Qzn";
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
    auto before = CTestFolder::ReadBytes(strPath);
    m_pDoc->m_lines.Add(MakeStroke(10, 20, 300, 200, RGB(200, 0, 0)));
    m_pDoc->SetModifiedFlag();
    // Another program holds the note open without sharing: it cannot be replaced.
    HANDLE hLock =
        CreateFileW(strPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(m_pDoc->OnSaveDocument(strPath.c_str()));
    CloseHandle(hLock);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"Failed to save document.");
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(CTestFolder::ReadBytes(strPath), before);
    EXPECT_EQ(m_folder.List(), std::vector<std::wstring>{L"keep.Qzn"});
}

TEST_F(NoteDocument, SaveIntoAMissingFolderFailsWithTheFrameworksMessage) {
    EXPECT_FALSE(m_pDoc->OnSaveDocument((m_folder / L"no\\such\\x.Qzn").c_str()));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"Failed to save document.");
}

TEST_F(NoteDocument, SaveCommandOffersJpegExceptInDesktopMode) {
    AnswerFileDialog(m_folder / L"n.Qzn");
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    EXPECT_FALSE(m_bPromptOpen);
    EXPECT_EQ(m_strPromptFilter, L"Quillet(*.Qzn)|*.Qzn|JPG File (*.jpg)|*.jpg||");
    EXPECT_EQ(m_strPromptName, L"") << "no automatic name with the program's own resources";
    m_pFrame->m_nMode = 1;
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    EXPECT_EQ(m_strPromptFilter, L"Quillet(*.Qzn)|*.Qzn||");
    EXPECT_EQ(m_strPromptName, L"n.Qzn") << "the dialog starts at the note's name";
    m_pFrame->m_nMode = 0;
}

TEST_F(NoteDocument, SaveCommandNamesTheNoteAndTheWindowAfterTheFile) {
    m_pDoc->SetModifiedFlag();
    std::wstring strPath = m_folder / L"Letter to Ann.Qzn";
    AnswerFileDialog(strPath);
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    EXPECT_EQ(m_pDoc->m_strPath, L"Letter to Ann.Qzn");
    EXPECT_EQ(m_pDoc->GetTitle(), L"Letter to Ann.Qzn");
    EXPECT_EQ(FrameText(), L"Letter to Ann.Qzn - Quillet");
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(CTestFolder::ReadBytes(strPath).size(), 36u);
}

TEST_F(NoteDocument, JpgFolderInThePathStillSavesANoteFile) {
    ASSERT_TRUE(CreateDirectoryW((m_folder / L"jpgs").c_str(), nullptr));
    for (const wchar_t* pszName : {L"jpgs\\a.jpg", L"b.JPG"}) {
        std::wstring strPath = m_folder / pszName;
        AnswerFileDialog(strPath);
        m_pFrame->RouteCommand(ID_FILE_SAVE);
        auto d = CTestFolder::ReadBytes(strPath);
        ASSERT_EQ(d.size(), 36u) << "a note file at " << testing::PrintToString(strPath);
        EXPECT_EQ(U32(d, 0), 13427429u);
    }
}

TEST_F(NoteDocument, OpenCommandAsksToSaveAChangedNoteAndCancelOpensNothing) {
    std::wstring strPath = m_folder / L"o.Qzn";
    m_pDoc->m_lines.Add(MakeStroke(10, 20, 300, 200, RGB(200, 0, 0)));
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
    m_app->OnFileNew();
    m_pDoc->m_lines.Add(MakeStroke(1, 1, 5, 5, 0));
    m_pDoc->m_lines.Add(MakeStroke(1, 1, 9, 9, 0));
    m_pDoc->SetModifiedFlag();
    AnswerFileDialog(strPath);
    m_nAnswer = IDCANCEL;
    m_pFrame->RouteCommand(ID_FILE_OPEN);
    ASSERT_EQ(m_messages.size(), 1u) << "asked before the note is replaced";
    EXPECT_EQ(m_messages[0].strText, L"Save changes to Untitled?");
    EXPECT_EQ(m_messages[0].uType & 0xF, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(m_strPromptFilter, L"") << "Cancel: no file dialog";
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2) << "Cancel keeps the strokes";
    EXPECT_TRUE(m_pDoc->IsModified());

    m_nAnswer = IDNO;
    m_pFrame->RouteCommand(ID_FILE_OPEN);
    EXPECT_TRUE(m_bPromptOpen);
    EXPECT_EQ(m_strPromptFilter, L"Quillet(*.Qzn)|*.Qzn||");
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1);
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(FrameText(), L"o.Qzn - Quillet");
}

TEST_F(NoteDocument, NewAsksToSaveAModifiedNote) {
    m_pDoc->m_lines.Add(MakeStroke(1, 1, 5, 5, 0));
    m_pDoc->SetModifiedFlag();
    m_nAnswer = IDCANCEL;
    m_pFrame->RouteCommand(ID_FILE_NEW);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"Save changes to Untitled?");
    EXPECT_EQ(m_messages[0].uType & 0xF, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1) << "Cancel keeps the note";
    m_nAnswer = IDNO;
    m_pFrame->RouteCommand(ID_FILE_NEW);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST(NoteNames, AutomaticNameCountsUpWithinTheDay) {
    SYSTEMTIME st{};
    st.wYear = 2026;
    st.wMonth = 3;
    st.wDay = 5;
    EXPECT_EQ(CScrivoDoc::MakeAutoName(st, L""), L"03052026-1");
    EXPECT_EQ(CScrivoDoc::MakeAutoName(st, L"03052026-9"), L"03052026-10");
    EXPECT_EQ(CScrivoDoc::MakeAutoName(st, L"03052026-10"), L"03052026-11");
    EXPECT_EQ(CScrivoDoc::MakeAutoName(st, L"03042026-3"), L"03052026-1");
    EXPECT_EQ(CScrivoDoc::MakeAutoName(st, L"03052026-"), L"03052026-1");
    st.wMonth = 12;
    st.wDay = 25;
    EXPECT_EQ(CScrivoDoc::MakeAutoName(st, L"12252026-999999999999"), L"12252026-1000000001");
}

TEST(NoteNames, OnlyAJpgAtTheVeryEndExportsAPicture) {
    EXPECT_TRUE(CScrivoDoc::IsJpegName(L"C:\\notes\\a.jpg"));
    EXPECT_FALSE(CScrivoDoc::IsJpegName(L"C:\\jpgs\\a.jpg"));
    EXPECT_FALSE(CScrivoDoc::IsJpegName(L"C:\\notes\\a.JPG"));
    EXPECT_FALSE(CScrivoDoc::IsJpegName(L"C:\\notes\\a.Qzn"));
}

TEST(NoteNames, ExportSizeIsInkPlusMarginCutToThePaper) {
    const RECT rcNone = {0, 0, 0, 0};
    const RECT rcPaper = {0, 0, 1024, 2048};
    SIZE empty = CScrivoDoc::JpegExportSize(rcNone, rcNone, rcPaper);
    EXPECT_EQ(empty.cx, 320);
    EXPECT_EQ(empty.cy, 320);
    SIZE ink = CScrivoDoc::JpegExportSize({100, 50, 1000, 400}, rcNone, rcPaper);
    EXPECT_EQ(ink.cx, 1020);
    EXPECT_EQ(ink.cy, 420);
    SIZE wide = CScrivoDoc::JpegExportSize({0, 0, 1020, 30}, {0, 0, 200, 600}, rcPaper);
    EXPECT_EQ(wide.cx, 1024);
    EXPECT_EQ(wide.cy, 620);
    SIZE small = CScrivoDoc::JpegExportSize(rcNone, rcNone, {0, 0, 200, 250});
    EXPECT_EQ(small.cx, 200);
    EXPECT_EQ(small.cy, 250);
}

namespace {
using LetterMode = CAppFixture;
} // namespace

TEST_F(LetterMode, SwitchWithInkAsksAndNoKeepsModeAndNote) {
    m_pFrame->m_nMode = 1;
    m_pView->SetHasInk(true);
    m_pDoc->m_lines.Add(MakeStroke(1, 1, 50, 50, 0));
    m_nAnswer = IDNO;
    m_pFrame->RouteCommand(ID_LETTER_MODE);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText,
              L"If you select Letter mode,all the data will be lost!  Continue?");
    EXPECT_EQ(m_messages[0].strCaption, L"Quillet");
    EXPECT_EQ(m_messages[0].uType, static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(m_pFrame->m_nMode, 1);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1);
    m_nAnswer = IDYES;
    m_pFrame->RouteCommand(ID_LETTER_MODE);
    EXPECT_EQ(m_pFrame->m_nMode, 0);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    EXPECT_FALSE(m_pView->HasInk());
    LONG_PTR nStyle = GetWindowLongPtrW(m_pFrame->m_hWnd, GWL_STYLE);
    EXPECT_EQ(nStyle & WS_CAPTION, static_cast<LONG_PTR>(WS_CAPTION));
    EXPECT_NE(nStyle & WS_THICKFRAME, 0);
    EXPECT_EQ(GetWindowLongPtrW(m_pFrame->m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(LetterMode, SwitchWithoutInkStartsANewNoteWithoutAskingAndAgainDoesNothing) {
    m_pFrame->m_nMode = 2;
    m_pDoc->m_lines.Add(MakeStroke(1, 1, 50, 50, 0));
    m_pFrame->RouteCommand(ID_LETTER_MODE);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_pFrame->m_nMode, 0);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0);
    m_pDoc->m_lines.Add(MakeStroke(1, 1, 50, 50, 0));
    m_pFrame->RouteCommand(ID_LETTER_MODE);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1) << "letter mode again changes nothing";
}

TEST_F(LetterMode, LetterWindowCannotBeDraggedWiderThan1920) {
    MINMAXINFO info{};
    info.ptMaxTrackSize = {5000, 5000};
    SendMessageW(m_pFrame->m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMaxTrackSize.x, 1920);
}

TEST_F(LetterMode, FrameClassIsLetterAndHoldsBarsAboveAndBelowTheView) {
    wchar_t sz[32] = {};
    GetClassNameW(m_pFrame->m_hWnd, sz, 32);
    EXPECT_STREQ(sz, L"LETTER");
    EXPECT_EQ(GetMenu(m_pFrame->m_hWnd), nullptr) << "the menu bar is removed";
    SetWindowPos(m_pFrame->m_hWnd, nullptr, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT rcBar{}, rcView{}, rcPanel{}, rcClient{};
    GetWindowRect(m_pFrame->m_wndBar.m_hWnd, &rcBar);
    GetWindowRect(m_pView->m_hWnd, &rcView);
    GetWindowRect(m_pFrame->m_wndPanel.m_hWnd, &rcPanel);
    GetClientRect(m_pFrame->m_hWnd, &rcClient);
    EXPECT_GT(rcBar.bottom - rcBar.top, 0);
    EXPECT_GT(rcPanel.bottom - rcPanel.top, 0);
    EXPECT_EQ(rcBar.bottom, rcView.top);
    EXPECT_EQ(rcView.bottom, rcPanel.top);
    EXPECT_EQ(rcPanel.right - rcPanel.left, rcClient.right);
    EXPECT_EQ((rcBar.bottom - rcBar.top) + (rcView.bottom - rcView.top) +
                  (rcPanel.bottom - rcPanel.top),
              rcClient.bottom);
}

TEST_F(NoteDocument, AlternativeResourcesSuggestAutomaticNamesCountingUp) {
    SetResourceInstance(GetModuleHandleW(L"kernel32.dll"));
    SYSTEMTIME st{};
    GetLocalTime(&st);
    const std::wstring strFirst = CScrivoDoc::MakeAutoName(st, L"");
    AnswerFileDialog(m_folder / (strFirst + L".Qzn"));
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    EXPECT_EQ(m_strPromptName, strFirst);
    EXPECT_EQ(settings::ReadRecordDate(), strFirst);
    m_app->OnFileNew();
    const std::wstring strSecond = CScrivoDoc::MakeAutoName(st, strFirst);
    EXPECT_EQ(strSecond.substr(9), L"2");
    AnswerFileDialog(m_folder / L"other.Qzn");
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    EXPECT_EQ(m_strPromptName, strSecond);
    EXPECT_EQ(settings::ReadRecordDate(), strFirst) << "a name of the user's own is not stored";
    SetResourceInstance(nullptr);
}

TEST_F(NoteDocument, SavedNotesJoinTheRecentFilesAndReopenFromThere) {
    const std::wstring strKey = L"QuilletTest\\App" + std::to_wstring(GetCurrentProcessId());
    m_app->SetRegistryKey(strKey.c_str());
    m_app->LoadStdProfileSettings(4);
    ASSERT_NE(m_app->GetRecentFileList(), nullptr);
    EXPECT_EQ(m_app->GetRecentFileList()->GetMaxSize(), 4);
    m_pDoc->m_lines.Add(MakeStroke(10, 20, 300, 200, RGB(200, 0, 0)));
    const std::wstring strPath = m_folder / L"recent.Qzn";
    AnswerFileDialog(strPath);
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    ASSERT_EQ(m_app->GetRecentFileList()->GetSize(), 1);
    EXPECT_EQ((*m_app->GetRecentFileList())[0], strPath);
    m_app->OnFileNew();
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 0);
    m_pFrame->RouteCommand(ID_FILE_MRU_FILE1);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1);
    EXPECT_EQ(FrameText(), L"recent.Qzn - Quillet");
    RegDeleteTreeW(
        HKEY_CURRENT_USER,
        (L"Software\\QuilletTest\\App" + std::to_wstring(GetCurrentProcessId())).c_str());
}

TEST_F(NoteDocument, ClosingAModifiedNoteAsksAndCancelKeepsTheWindow) {
    m_pDoc->SetModifiedFlag();
    m_nAnswer = IDCANCEL;
    SendMessageW(m_pFrame->m_hWnd, WM_CLOSE, 0, 0);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"Save changes to Untitled?");
    EXPECT_TRUE(IsWindow(m_pFrame->m_hWnd));
    const std::wstring strPath = m_folder / L"closing.Qzn";
    AnswerFileDialog(strPath);
    m_nAnswer = IDYES;
    m_pDoc->SetPathName(strPath, false);
    SendMessageW(m_pFrame->m_hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1].strText, L"Save changes to closing.Qzn?");
    EXPECT_EQ(CTestFolder::ReadBytes(strPath).size(), 36u) << "Yes saved the note";
    EXPECT_EQ(m_pFrame->m_hWnd, nullptr) << "and the window closed";
}

TEST(ResourceSource, ALibraryWithoutTheResourceFallsBackToTheProgram) {
    SetResourceInstance(GetModuleHandleW(L"kernel32.dll"));
    LPCWSTR pszBar = MAKEINTRESOURCEW(IDD_TOOLBAR);
    EXPECT_EQ(FindResourceModule(pszBar, RT_DIALOG), GetModuleHandleW(nullptr));
    EXPECT_EQ(LoadResString(51453), L"Unable to add further lines");
    SetResourceInstance(nullptr);
    EXPECT_EQ(GetResourceInstance(), GetModuleHandleW(nullptr));
}
