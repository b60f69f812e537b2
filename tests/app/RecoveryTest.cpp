// The recovery copy of the open note: when it is written, what it holds, when it goes, and what
// the next start of the same kind does with a copy left behind.
#include <algorithm>

#include "AppFixture.h"
#include "FrameworkIds.h"
#include "RecoveryKeeper.h"

namespace {
std::uint32_t U32(const std::vector<std::uint8_t>& d, std::size_t n) {
    return d[n] | d[n + 1] << 8 | d[n + 2] << 16 | static_cast<std::uint32_t>(d[n + 3]) << 24;
}

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

class Recovery : public CAppFixture {
protected:
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
        m_pDoc->OnNewDocument();
    }
};
} // namespace

TEST_F(Recovery, CopyIsWrittenASecondAfterTheLastChangeAndGoesWhenTheNoteIsSaved) {
    CRecoveryKeeper keeper;
    keeper.Start(Folder(), L"plain", m_pDoc, m_pFrame->m_hWnd);
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
    EXPECT_EQ(U32(d, 0), m_pView->m_crBack) << "paper colour";
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
    keeper.Start(Folder(), L"plain", m_pDoc, m_pFrame->m_hWnd);
    ASSERT_EQ(m_messages.size(), 1u) << "one question, for the plain start's copy";
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
    second.Start(Folder(), L"plain", m_pDoc, m_pFrame->m_hWnd);
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
