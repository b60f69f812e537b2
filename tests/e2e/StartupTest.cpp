#include <gtest/gtest.h>

#include "NoteBytes.h"
#include "ProgramRunner.h"

namespace {

class Startup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(InstallProgram(m_folder.Path())); }
    CTestFolder m_folder;
};
} // namespace

TEST_F(Startup, SecondLetterStartRestoresTheFirstAndEnds) {
    CProgram first;
    ASSERT_TRUE(first.Start(m_folder.Path(), L"LETTER"));
    HWND hwnd = first.WaitForWindow(L"LETTER", kStartTimeout);
    ASSERT_NE(hwnd, nullptr) << "the first letter window did not appear";
    EXPECT_EQ(WindowText(hwnd), L"Untitled - Quillet");
    ShowWindow(hwnd, SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(hwnd) != FALSE; }, 5000));

    CProgram second;
    ASSERT_TRUE(second.Start(m_folder.Path(), L"letter"));
    EXPECT_EQ(second.WaitForExit(kStartTimeout), 0) << "the second letter start must end";
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(hwnd); }, 5000)) << "first window restored";
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == hwnd; }, 5000))
        << "first window in the foreground";

    // A plain start always runs, and opens the note named on its command line.
    std::wstring strNote = m_folder / L"plain.Qzn";
    ASSERT_TRUE(CTestFolder::WriteBytes(strNote, MakeNoteBytes(10, 10, 200, 100, 5)));
    CProgram plain;
    ASSERT_TRUE(plain.Start(m_folder.Path(), L"\"" + strNote + L"\""));
    HWND hwndPlain = plain.WaitForWindow(L"LETTER", kStartTimeout);
    ASSERT_NE(hwndPlain, nullptr) << "the plain start did not open a window";
    EXPECT_EQ(WindowText(hwndPlain), L"plain.Qzn - Quillet");

    // A path with "jxm" in it skips the single-instance rule as well.
    CreateDirectoryW((m_folder / L"Jxm").c_str(), nullptr);
    std::wstring strJxm = m_folder / L"Jxm\\mail.Qzn";
    ASSERT_TRUE(CopyFileW(strNote.c_str(), strJxm.c_str(), FALSE));
    CProgram jxm;
    ASSERT_TRUE(jxm.Start(m_folder.Path(), L"\"" + strJxm + L"\""));
    HWND hwndJxm = jxm.WaitForWindow(L"LETTER", kStartTimeout);
    ASSERT_NE(hwndJxm, nullptr);
    EXPECT_EQ(WindowText(hwndJxm), L"mail.Qzn - Quillet");

    // A letter start ignores a file name and starts with a new note.
    for (HWND h : {hwndPlain, hwndJxm})
        PostMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_EQ(plain.WaitForExit(kStartTimeout), 0);
    EXPECT_EQ(jxm.WaitForExit(kStartTimeout), 0);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(kStartTimeout), 0);

    // With the first instance gone, the next letter start is a first instance again.
    CProgram again;
    ASSERT_TRUE(again.Start(m_folder.Path(), L"LETTER \"" + strNote + L"\""));
    HWND hwndAgain = again.WaitForWindow(L"LETTER", kStartTimeout);
    ASSERT_NE(hwndAgain, nullptr);
    EXPECT_EQ(WindowText(hwndAgain), L"Untitled - Quillet");
    PostMessageW(hwndAgain, WM_CLOSE, 0, 0);
    EXPECT_EQ(again.WaitForExit(kStartTimeout), 0);
}

TEST_F(Startup, SecondInkingStartRaisesTheFirstTopMostAndALetterStartMinimisesIt) {
    CProgram inking;
    ASSERT_TRUE(inking.Start(m_folder.Path(), L"Inking"));
    HWND hwnd = inking.WaitForWindow(L"INKING", kStartTimeout, false);
    ASSERT_NE(hwnd, nullptr) << "the inking window did not appear";
    EXPECT_TRUE(WaitUntil([&] { return WindowText(hwnd) == L"Scribola"; }, kStartTimeout))
        << "title " << testing::PrintToString(WindowText(hwnd));

    CProgram second;
    ASSERT_TRUE(second.Start(m_folder.Path(), L"INKING"));
    EXPECT_EQ(second.WaitForExit(kStartTimeout), 0);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_NE(GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    CProgram letter;
    ASSERT_TRUE(letter.Start(m_folder.Path(), L"LETTER"));
    HWND hwndLetter = letter.WaitForWindow(L"LETTER", kStartTimeout);
    ASSERT_NE(hwndLetter, nullptr) << "a letter start runs beside an inking instance";
    CProgram secondLetter;
    ASSERT_TRUE(secondLetter.Start(m_folder.Path(), L"LETTER"));
    EXPECT_EQ(secondLetter.WaitForExit(kStartTimeout), 0);
    EXPECT_TRUE(WaitUntil([&] { return IsIconic(hwnd) != FALSE; }, 5000))
        << "the inking window is minimised";

    PostMessageW(hwndLetter, WM_CLOSE, 0, 0);
    EXPECT_EQ(letter.WaitForExit(kStartTimeout), 0);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(inking.WaitForExit(kStartTimeout), 0);
}

TEST_F(Startup, SecondLetterStartLeavesAHiddenFirstWindowHiddenAndTheNoteTypeIsRegistered) {
    CProgram first;
    ASSERT_TRUE(first.Start(m_folder.Path(), L"LETTER"));
    HWND hwnd = first.WaitForWindow(L"LETTER", kStartTimeout);
    ASSERT_NE(hwnd, nullptr);

    wchar_t sz[1024] = {};
    DWORD cb = sizeof(sz);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER,
                           L"Software\\Classes\\Qzn.Document\\shell\\open\\command", L"",
                           RRF_RT_REG_SZ, nullptr, sz, &cb),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(sz), L"\"" + m_folder.Path() + L"\\KVOmail.exe\" \"%1\"");
    cb = sizeof(sz);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Classes\\.Qzn", L"", RRF_RT_REG_SZ,
                           nullptr, sz, &cb),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(sz), L"Qzn.Document");

    ShowWindow(hwnd, SW_HIDE);
    CProgram second;
    ASSERT_TRUE(second.Start(m_folder.Path(), L"LETTER"));
    EXPECT_EQ(second.WaitForExit(kStartTimeout), 0);
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "a hidden first window is not shown";
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(kStartTimeout), 0);
}

// The start words are arguments: folder names of the program or the note never count.
TEST_F(Startup, AProgramInALetterFolderOpensNotesFromALetterFolderInEveryStart) {
    const std::wstring strProgram = m_folder / L"Letter Inking App";
    ASSERT_TRUE(CreateDirectoryW(strProgram.c_str(), nullptr));
    ASSERT_TRUE(InstallProgram(strProgram));
    ASSERT_TRUE(CreateDirectoryW((m_folder / L"Letters").c_str(), nullptr));
    const std::wstring strNote = m_folder / L"Letters\\kept.Qzn";
    ASSERT_TRUE(CTestFolder::WriteBytes(strNote, MakeNoteBytes(10, 10, 200, 100, 5)));

    CProgram first, second;
    ASSERT_TRUE(first.Start(strProgram, L"\"" + strNote + L"\""));
    HWND hwndFirst = first.WaitForWindow(L"LETTER", kStartTimeout);
    ASSERT_NE(hwndFirst, nullptr);
    EXPECT_EQ(WindowText(hwndFirst), L"kept.Qzn - Quillet");
    ASSERT_TRUE(second.Start(strProgram, L"\"" + strNote + L"\""));
    HWND hwndSecond = second.WaitForWindow(L"LETTER", kStartTimeout);
    ASSERT_NE(hwndSecond, nullptr) << "a second plain start runs beside the first";
    EXPECT_EQ(WindowText(hwndSecond), L"kept.Qzn - Quillet");
    for (HWND hwnd : {hwndFirst, hwndSecond})
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(first.WaitForExit(kStartTimeout), 0);
    EXPECT_EQ(second.WaitForExit(kStartTimeout), 0);
}
