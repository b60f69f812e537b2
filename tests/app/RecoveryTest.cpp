// The recovery copy of the open note: when it is written, what it holds, when it goes, and what
// the next start of the same kind does with a copy left behind.
#include <algorithm>

#include "AppFixture.h"
#include "CanvasTestAccess.h"
#include "FakeTablet.h"
#include "FrameworkIds.h"
#include "RecoveryKeeper.h"

namespace {
// A written stroke: what the pen hands the document at pen-up.
void Write(CScrivoDoc* pDoc, int y) {
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(0x800000);
    pLine->SetTool(2, 1);
    for (int x = 100; x <= 200; x += 10)
        pLine->AddPoint(x, y, 160);
    pDoc->m_lines.Add(std::move(pLine));
    pDoc->SetModifiedFlag(true);
}

// The number of strokes stored in a note file, or -1 when there is no such file.
int StrokesIn(const std::wstring& strPath) {
    const auto d = CTestFolder::ReadBytes(strPath);
    return d.size() < 32 ? -1 : int(U32(d, 28));
}

FILETIME DaysFromNow(int nDays) {
    FILETIME ft{};
    GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER n{{ft.dwLowDateTime, ft.dwHighDateTime}};
    n.QuadPart += ULONGLONG(nDays) * 24 * 3600 * 10'000'000;
    return {n.LowPart, n.HighPart};
}

// Sets a file's last-write time nDays from now.
void SetWritten(const std::wstring& strPath, int nDays) {
    HANDLE h =
        CreateFileW(strPath.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE) << testing::PrintToString(strPath);
    const FILETIME ft = DaysFromNow(nDays);
    SetFileTime(h, nullptr, nullptr, &ft);
    CloseHandle(h);
}

// The view with the system cursor in the test's hand: each packet lands where the test says.
class CPointedView : public CScrivoView {
public:
    POINT m_ptCursor{};

protected:
    POINT TabletCursorPos() const override { return m_ptCursor; }
};

class Recovery : public CAppFixture {
protected:
    std::unique_ptr<CScrivoView> MakeView() const override {
        return std::make_unique<CPointedView>();
    }
    // One tablet packet at a point of the view's client area.
    void Packet(FakeTablet& tablet, DWORD nEvent, POINT ptClient, UINT nPressure) {
        ClientToScreen(m_pView->m_hWnd, &ptClient);
        static_cast<CPointedView*>(m_pView)->m_ptCursor = ptClient;
        tablet.packets = {{0, 0, MAKELONG(0, nEvent), 0, 0, nPressure}};
        SendMessageW(m_pView->m_hWnd, WT_PACKET, 0,
                     reinterpret_cast<LPARAM>(CCanvasTestAccess::Context(*m_pView)));
    }
    std::wstring Folder() const { return m_folder / L"Recovery"; }
    // Files of the recovery folder whose names start with strPrefix.
    std::vector<std::wstring> FilesStartingWith(const std::wstring& strPrefix) const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((Folder() + L"\\" + strPrefix + L"*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(fd.cFileName);
        while (FindNextFileW(h, &fd));
        FindClose(h);
        return names;
    }
    // A copy that an instance of this kind left behind when it was killed: written while it
    // ran, its lock gone with it.
    void LeaveCopy(const wchar_t* pszKind, int nStrokes) {
        CRecoveryStore store(Folder(), pszKind);
        ASSERT_TRUE(store.Open());
        for (int i = 0; i < nStrokes; ++i)
            Write(m_pDoc, 100 + 40 * i);
        ASSERT_TRUE(m_pDoc->StoreCopy(store.CopyPath().c_str()));
        store.MarkWritten();
        m_strLeft = store.CopyPath();
        m_pDoc->OnNewDocument();
    }
    std::wstring m_strLeft;
};
} // namespace

TEST_F(Recovery, CopyIsWrittenASecondAfterTheLastChangeAndGoesWhenTheNoteIsSaved) {
    CRecoveryKeeper keeper;
    keeper.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    EXPECT_TRUE(m_messages.empty()) << "nothing to offer";
    const std::wstring strCopy = keeper.CopyPath();
    ASSERT_FALSE(strCopy.empty());
    EXPECT_EQ(keeper.OnIdle(500, m_pDoc), INFINITE) << "no change, no work";

    Write(m_pDoc, 100);
    EXPECT_EQ(keeper.OnIdle(1000, m_pDoc), 1000u);
    EXPECT_EQ(keeper.OnIdle(1999, m_pDoc), 1u);
    EXPECT_EQ(StrokesIn(strCopy), -1) << "not before a quiet second";
    EXPECT_EQ(keeper.OnIdle(2000, m_pDoc), INFINITE);
    const auto d = CTestFolder::ReadBytes(strCopy);
    ASSERT_EQ(d.size(), 36u + 32 + 11 * 10) << "a note file of one stroke of 11 samples";
    EXPECT_EQ(U32(d, 0), m_pView->GetPaper().crBack) << "paper colour";
    EXPECT_EQ(U32(d, 28), 1u) << "stroke count";
    EXPECT_FALSE(m_pDoc->GetPathName() == strCopy) << "the note keeps its own name";
    EXPECT_TRUE(m_pDoc->IsModified());

    // Writing that never pauses for a second is still copied three seconds after it began.
    for (ULONGLONG t = 3000; t <= 5500; t += 500) {
        Write(m_pDoc, 200);
        keeper.OnIdle(t, m_pDoc);
    }
    EXPECT_EQ(keeper.OnIdle(5999, m_pDoc), 1u);
    EXPECT_EQ(StrokesIn(strCopy), 1);
    keeper.OnIdle(6000, m_pDoc);
    EXPECT_EQ(StrokesIn(strCopy), 7);

    // A save leaves the note unmodified: the copy goes at the next idle time.
    AnswerFileDialog(m_folder / L"saved.Qzn");
    m_pFrame->RouteCommand(ID_FILE_SAVE);
    ASSERT_FALSE(m_pDoc->IsModified());
    keeper.OnIdle(6100, m_pDoc);
    EXPECT_EQ(GetFileAttributesW(strCopy.c_str()), INVALID_FILE_ATTRIBUTES);

    // A clean end takes the lock too: nothing of this instance is left.
    Write(m_pDoc, 300);
    keeper.OnIdle(7000, m_pDoc);
    keeper.OnIdle(8000, m_pDoc);
    EXPECT_EQ(StrokesIn(strCopy), 8);
    keeper.End();
    EXPECT_EQ(FilesStartingWith(L""), std::vector<std::wstring>{});
}

TEST_F(Recovery, ALeftOverCopyIsRestoredAtTheNextStartOfItsKindUnnamedAndModified) {
    LeaveCopy(L"plain", 2);
    LeaveCopy(L"inking", 1);
    ASSERT_TRUE(m_pDoc->OnSaveDocument((m_folder / L"opened.Qzn").c_str()));
    ASSERT_TRUE(m_app->OpenDocumentFile((m_folder / L"opened.Qzn").c_str()));
    m_messages.clear();
    m_nAnswer = IDYES;

    CRecoveryKeeper keeper;
    keeper.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    ASSERT_EQ(m_messages.size(), 1u) << "one question, for the copy a plain start left";
    EXPECT_EQ(m_messages[0].strCaption, L"Quillet");
    EXPECT_EQ(m_messages[0].uType, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_NE(m_messages[0].strText.find(L"Do you want to restore this note?"), std::wstring::npos);
    EXPECT_NE(m_messages[0].strText.find(L"kept for seven days in " + Folder()), std::wstring::npos)
        << testing::PrintToString(m_messages[0].strText);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2);
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(m_pDoc->GetPathName(), L"");
    EXPECT_EQ(m_pDoc->m_strPath, L"");
    EXPECT_EQ(FrameText(), L"Untitled - Quillet");
    EXPECT_EQ(FilesStartingWith(L"inking-").size(), 1u) << "an inking start's copy waits for one";
    EXPECT_EQ(StrokesIn(keeper.CopyPath()), 2) << "the restored copy is this instance's now";

    // While this instance runs its copy is nobody else's to offer.
    m_messages.clear();
    CRecoveryKeeper second;
    second.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(Recovery, ADeclinedCopyIsKeptDatedForSevenDaysAndADamagedOneIsReportedAndSetAside) {
    LeaveCopy(L"letter", 1);
    // Left ten days ago: its seven days count from the answer, not from the writing.
    const auto left = FilesStartingWith(L"letter-");
    ASSERT_EQ(left.size(), 1u);
    {
        HANDLE h = CreateFileW((Folder() + L"\\" + left[0]).c_str(), FILE_WRITE_ATTRIBUTES, 0,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        const FILETIME ftOld = DaysFromNow(-10);
        SetFileTime(h, nullptr, nullptr, &ftOld);
        CloseHandle(h);
    }
    {
        CRecoveryStore killed(Folder(), L"letter");
        ASSERT_TRUE(killed.Open());
        ASSERT_TRUE(CTestFolder::WriteBytes(killed.CopyPath(), {0xE5, 0xE2, 0xCC, 0, 0xC5}));
        killed.MarkWritten();
    }
    m_nAnswer = IDNO;
    CRecoveryKeeper keeper;
    keeper.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    ASSERT_EQ(m_messages.size(), 2u);
    const auto damaged = FilesStartingWith(L"Damaged copy ");
    ASSERT_EQ(damaged.size(), 1u);
    EXPECT_EQ(m_messages[0].strText, L"A copy of a note that was not saved could not be read: it "
                                     L"is damaged. It was set aside as " +
                                         Folder() + L"\\" + damaged[0] + L".");
    EXPECT_EQ(m_messages[0].uType, UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(m_messages[1].uType, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0) << "declined: the note stays empty";
    EXPECT_FALSE(m_pDoc->IsModified());
    const auto declined = FilesStartingWith(L"Unsaved note ");
    ASSERT_EQ(declined.size(), 1u);
    // "Unsaved note 2026-12-08 15-30-12.Qzn": the date and time it was written.
    EXPECT_EQ(declined[0].size(), std::wstring(L"Unsaved note 2026-12-08 15-30-12.Qzn").size());
    EXPECT_EQ(StrokesIn(Folder() + L"\\" + declined[0]), 1);
    EXPECT_TRUE(FilesStartingWith(L"letter-").size() == 1u) << "only this instance's lock";

    // Asked once: the next start of the kind finds nothing to offer.
    keeper.End();
    m_messages.clear();
    CRecoveryKeeper next;
    next.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    EXPECT_TRUE(m_messages.empty());

    CRecoveryStore store(Folder(), L"letter");
    store.RemoveExpired(DaysFromNow(6));
    EXPECT_EQ(FilesStartingWith(L"Unsaved note ").size(), 1u) << "kept six days on";
    EXPECT_EQ(FilesStartingWith(L"Damaged copy ").size(), 1u);
    store.RemoveExpired(DaysFromNow(8));
    EXPECT_TRUE(FilesStartingWith(L"Unsaved note ").empty()) << "gone after seven days";
    EXPECT_TRUE(FilesStartingWith(L"Damaged copy ").empty());
}

TEST_F(Recovery, EveryLetterWindowStartOffersTheLetterCopiesAndAnUntakenCopyExpires) {
    LeaveCopy(L"plain", 1); // a note opened by double-click, by an earlier version
    LeaveCopy(L"jxm", 2);
    LeaveCopy(L"inking", 3);
    SetWritten(m_strLeft, -8);
    // A note the user saved here under a copy's name is the user's.
    const std::wstring strMine = Folder() + L"\\inking-1-2.Qzn";
    Write(m_pDoc, 100);
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strMine.c_str()));
    SetWritten(strMine, -30);
    m_nAnswer = IDNO;
    CRecoveryKeeper keeper;
    keeper.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    ASSERT_EQ(m_messages.size(), 2u) << "the plain and the mail start's copies";
    EXPECT_EQ(FilesStartingWith(L"Unsaved note ").size(), 2u);
    EXPECT_EQ(FilesStartingWith(L"inking-"), std::vector<std::wstring>{L"inking-1-2.Qzn"})
        << "the inking copy nobody took for eight days went, the user's note stayed";

    m_messages.clear();
    LeaveCopy(L"inking", 1);
    SetWritten(m_strLeft, -8);
    CRecoveryKeeper inking;
    inking.Start(Folder(), L"inking", m_pDoc, m_pFrame->m_hWnd);
    EXPECT_EQ(m_messages.size(), 2u) << "an inking start asks however old its copies are";
    inking.End();
    CRecoveryStore store(Folder(), L"letter");
    store.RemoveExpired(DaysFromNow(8));
    EXPECT_EQ(FilesStartingWith(L"Unsaved note ").size(), 1u)
        << "the declined copies went, the user's note, declined too, is still the user's";
}

TEST_F(Recovery, ANoteSavedIntoTheFolderUnderAKeptCopysNameNeverExpires) {
    LeaveCopy(L"letter", 1);
    m_nAnswer = IDNO;
    {
        CRecoveryKeeper keeper;
        keeper.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
        keeper.End();
    }
    const auto kept = FilesStartingWith(L"Unsaved note ");
    ASSERT_EQ(kept.size(), 1u);
    // The user saves a note of his own beside it, and another over it.
    const std::wstring strOwn = Folder() + L"\\Unsaved note 2020-01-01 10-00-00.Qzn";
    Write(m_pDoc, 100);
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strOwn.c_str()));
    SetWritten(strOwn, -30);
    CRecoveryStore store(Folder(), L"letter");
    store.RemoveExpired(DaysFromNow(8));
    EXPECT_EQ(FilesStartingWith(L"Unsaved note "),
              std::vector<std::wstring>{strOwn.substr(Folder().size() + 1)});

    LeaveCopy(L"letter", 1);
    {
        CRecoveryKeeper keeper;
        keeper.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
        keeper.End();
    }
    std::wstring strOver;
    for (const std::wstring& strName : FilesStartingWith(L"Unsaved note "))
        if (Folder() + L"\\" + strName != strOwn)
            strOver = Folder() + L"\\" + strName;
    ASSERT_FALSE(strOver.empty());
    Write(m_pDoc, 200);
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strOver.c_str()));
    store.RemoveExpired(DaysFromNow(8));
    EXPECT_EQ(FilesStartingWith(L"Unsaved note ").size(), 2u) << "saved over: the user's now";
}

TEST_F(Recovery, ACopyThatCannotBeKeptIsSaidSoAndOfferedAgain) {
    LeaveCopy(L"letter", 2);
    // The copy is held open while the question is on the screen: it cannot be renamed.
    HANDLE hHeld = INVALID_HANDLE_VALUE;
    CRecoveryKeeper keeper;
    SetMessageHook([&](const std::wstring& strText, const std::wstring& strCaption, UINT uType) {
        m_messages.push_back({strText, strCaption, uType});
        if (hHeld == INVALID_HANDLE_VALUE)
            hHeld = CreateFileW(keeper.CopyPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                0, nullptr);
        return m_nAnswer;
    });
    m_nAnswer = IDNO;
    keeper.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    CloseHandle(hHeld);
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_NE(m_messages[1].strText.find(L"could not be kept"), std::wstring::npos)
        << testing::PrintToString(m_messages[1].strText);
    EXPECT_TRUE(FilesStartingWith(L"Unsaved note ").empty());
    EXPECT_NE(keeper.CopyPath(), L"");

    // This instance writes and removes its copy elsewhere: the declined note is not touched.
    Write(m_pDoc, 300);
    keeper.OnIdle(1000, m_pDoc);
    keeper.OnIdle(2000, m_pDoc);
    keeper.End();
    m_pDoc->OnNewDocument();
    m_messages.clear();
    m_nAnswer = IDYES;
    CRecoveryKeeper next;
    next.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    ASSERT_EQ(m_messages.size(), 1u) << "offered again";
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 2);
}

TEST_F(Recovery, ThePictureWithoutAnImageOfADamagedNoteIsCopiedWithoutAMessage) {
    CRecoveryKeeper keeper;
    keeper.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    m_pDoc->m_pictures.Add(std::make_unique<CPicture>());
    Write(m_pDoc, 100);
    keeper.OnIdle(1000, m_pDoc);
    keeper.OnIdle(2000, m_pDoc);
    EXPECT_EQ(StrokesIn(keeper.CopyPath()), 1);
    EXPECT_TRUE(m_messages.empty()) << testing::PrintToString(m_messages.size()) << " messages";
}

TEST_F(Recovery, NoCopyIsWrittenWhileTheTabletPenWritesAndEveryPacketBecomesASample) {
    FakeTablet tablet;
    CCanvasTestAccess::WintabLibrary(*m_pView) = &tablet.api;
    m_pView->OpenViewContext();
    ASSERT_NE(CCanvasTestAccess::Context(*m_pView), nullptr);
    CRecoveryKeeper keeper;
    keeper.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    Write(m_pDoc, 100);
    keeper.OnIdle(1000, m_pDoc); // due at 2000, while the next stroke is being written

    SendMessageW(m_pView->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 300));
    for (int i = 0; i < 10; ++i) {
        Packet(tablet, i == 0 ? TBN_DOWN : 0, {60 + 10 * i, 300}, 600);
        keeper.OnIdle(2000 + 1000 * i, m_pDoc);
        EXPECT_EQ(StrokesIn(keeper.CopyPath()), -1) << "copy written at packet " << i;
    }
    Packet(tablet, TBN_UP, {150, 300}, 0);
    SendMessageW(m_pView->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 300));
    keeper.OnIdle(20000, m_pDoc);
    keeper.OnIdle(21000, m_pDoc);
    EXPECT_EQ(StrokesIn(keeper.CopyPath()), 2) << "written once the pen is up";
    ASSERT_EQ(m_pDoc->m_lines.GetCount(), 2);
    const CLine* pLine = m_pDoc->m_lines.GetAt(1);
    ASSERT_EQ(pLine->GetPointCount(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(pLine->GetPoint(i).x, 60 + 10 * i) << "sample " << i;
    CCanvasTestAccess::WintabLibrary(*m_pView) = &Wintab();
    CCanvasTestAccess::Context(*m_pView) = nullptr;
}

TEST_F(Recovery, TheCopyOfANoteStaysThroughACancelledOpenAndGoesWhenTheNoteIsDiscarded) {
    const std::wstring strOther = m_folder / L"other.Qzn";
    ASSERT_TRUE(m_pDoc->OnSaveDocument(strOther.c_str()));
    CRecoveryKeeper keeper;
    keeper.Start(Folder(), L"letter", m_pDoc, m_pFrame->m_hWnd);
    Write(m_pDoc, 100);
    keeper.OnIdle(1000, m_pDoc);
    keeper.OnIdle(2000, m_pDoc);
    ASSERT_EQ(StrokesIn(keeper.CopyPath()), 1);
    AnswerFileDialog(strOther);
    m_nAnswer = IDCANCEL;
    m_pFrame->RouteCommand(ID_FILE_OPEN);
    keeper.OnIdle(3000, m_pDoc);
    EXPECT_EQ(StrokesIn(keeper.CopyPath()), 1) << "Cancel: the note and its copy stay";
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 1);
    m_nAnswer = IDNO;
    m_pFrame->RouteCommand(ID_FILE_OPEN);
    keeper.OnIdle(4000, m_pDoc);
    EXPECT_EQ(m_pDoc->m_lines.GetCount(), 0) << "the other note is open";
    EXPECT_EQ(StrokesIn(keeper.CopyPath()), -1) << "discarded: the copy goes";
}
