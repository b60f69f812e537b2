// KVOStart.exe run as a real process from a temporary directory with blanks in its path, beside
// LauncherProbe.exe copied as KVOmail.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include "LaunchHarness.h"

namespace {
const std::wstring kNoDriver = L"Tablet Driver is not found";
const std::wstring kNoProgram = L"The Application of Quillet is not found";

std::string Narrow(const std::wstring& str) {
    std::string out;
    for (wchar_t c : str)
        out += c < 128 ? char(c) : '?';
    return out;
}

class LauncherProcess : public testing::Test {
protected:
    void SetUp() override {
        // Another test's processes may still be letting go of the names.
        for (int n = 0; n < 100 && (EventExists(L"QLOI_START_EVENT") || EventExists(L"Scribola"));
             ++n)
            Sleep(50);
        ASSERT_FALSE(EventExists(L"QLOI_START_EVENT"));
        ASSERT_FALSE(EventExists(L"Scribola"));
    }

    // Runs the launcher to its end, answering its message boxes, and waits for what it started.
    LauncherRun RunLauncher(const std::wstring& strArgs = L"", bool bNoDriver = false) {
        CStartedProcess launcher;
        EXPECT_TRUE(StartLauncher(launcher, m_dir, strArgs, bNoDriver));
        LauncherRun run = launcher.Watch();
        EXPECT_TRUE(run.bEnded) << "the launcher did not end";
        WaitForChildren({launcher.Pid()});
        return run;
    }

    std::wstring Program() const { return m_dir.Dir() + L"\\KVOmail.exe"; }

    CLaunchDir m_dir;
};

void ExpectOneBox(const LauncherRun& run, const std::wstring& strText,
                  const std::wstring& strCaption) {
    ASSERT_EQ(run.boxes.size(), 1u);
    EXPECT_EQ(run.boxes[0].strText, strText) << Narrow(run.boxes[0].strText);
    EXPECT_EQ(run.boxes[0].strCaption, strCaption) << Narrow(run.boxes[0].strCaption);
    EXPECT_TRUE(run.otherWindows.empty());
}
} // namespace

TEST_F(LauncherProcess, StartsTheProgramBesideItWithTheWordInking) {
    m_dir.AddProgram();
    const LauncherRun run = RunLauncher();
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(run.otherWindows.empty());
    const auto records = ReadRecords(m_dir.Record());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].strModule, Program()) << Narrow(records[0].strModule);
    EXPECT_EQ(records[0].strCommandLine, L"\"" + Program() + L"\" Inking")
        << Narrow(records[0].strCommandLine);
}

TEST_F(LauncherProcess, HandsTheInkingEventOverToTheProgram) {
    m_dir.AddProgram();
    RunLauncher();
    const auto records = ReadRecords(m_dir.Record());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].strEvent, L"new");
}

TEST_F(LauncherProcess, PassesItsOwnCommandLineInsteadOfInking) {
    m_dir.AddProgram();
    RunLauncher(L"LETTER");
    const auto records = ReadRecords(m_dir.Record());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].strCommandLine, L"\"" + Program() + L"\" LETTER")
        << Narrow(records[0].strCommandLine);
}

TEST_F(LauncherProcess, LeavesNothingBehind) {
    m_dir.AddProgram();
    m_dir.WriteSettings("[STRING]\r\nTITLE2=Quillet Pen\r\n");
    RunLauncher();
    const std::vector<std::wstring> expected = {L"KVOStart.exe", L"KVOmail.exe", L"ZLNKVO.ini"};
    EXPECT_EQ(m_dir.Files(), expected);
    EXPECT_FALSE(EventExists(L"QLOI_START_EVENT"));
    EXPECT_FALSE(EventExists(L"Scribola"));
}

// With the path unquoted, "<base>\Quillet launcher\KVOmail.exe Inking" would start
// "<base>\Quillet.exe" with the arguments "launcher\KVOmail.exe Inking".
TEST_F(LauncherProcess, StartsItsOwnProgramWhenAPrefixOfItsPathNamesAnother) {
    m_dir.AddProgram();
    ASSERT_TRUE(CopyFileW((BinDir() + L"\\LauncherProbe.exe").c_str(),
                          (m_dir.Base() + L"\\Quillet.exe").c_str(), FALSE));
    RunLauncher();
    const auto records = ReadRecords(m_dir.Record());
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].strModule, Program()) << Narrow(records[0].strModule);
}

TEST_F(LauncherProcess, SecondLauncherInQuickSuccessionEndsSilently) {
    m_dir.AddProgram();
    CStartedProcess first;
    CStartedProcess second;
    ASSERT_TRUE(StartLauncher(first, m_dir, L"", false));
    // The first holds the start event from its first step until its end, a second later.
    for (int n = 0; n < 400 && !EventExists(L"QLOI_START_EVENT") && !first.HasEnded(); ++n)
        Sleep(5);
    ASSERT_TRUE(EventExists(L"QLOI_START_EVENT"));
    ASSERT_TRUE(StartLauncher(second, m_dir, L"", false));
    const LauncherRun secondRun = second.Watch();
    ASSERT_TRUE(secondRun.bEnded);
    EXPECT_FALSE(first.HasEnded()) << "the first launcher was no longer in its waits";
    const LauncherRun firstRun = first.Watch();
    ASSERT_TRUE(firstRun.bEnded);
    WaitForChildren({first.Pid(), second.Pid()});
    EXPECT_TRUE(secondRun.boxes.empty());
    EXPECT_TRUE(secondRun.otherWindows.empty());
    EXPECT_TRUE(firstRun.boxes.empty());
    EXPECT_EQ(ReadRecords(m_dir.Record()).size(), 1u);
}

TEST_F(LauncherProcess, RestoresARunningInkingInstanceWithoutADriverAndStartsNothing) {
    m_dir.AddProgram();
    CStartedProcess inking;
    ASSERT_TRUE(inking.Start(Program(), L"/inking-instance", LaunchEnvironment(m_dir)));
    HWND hwnd = nullptr;
    for (int n = 0; n < 400 && !(hwnd && IsIconic(hwnd)) && !inking.HasEnded(); ++n) {
        Sleep(25);
        hwnd = FindWindowW(L"INKING", nullptr);
    }
    ASSERT_TRUE(hwnd && IsIconic(hwnd)) << "the inking instance did not show its window";

    const LauncherRun run = RunLauncher(L"", true);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(run.otherWindows.empty());
    EXPECT_FALSE(IsIconic(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(ReadRecords(m_dir.Record()).size(), 1u) << "a second program was started";

    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(inking.Process(), 10000), WAIT_OBJECT_0);
}

TEST_F(LauncherProcess, InkingEventWithoutAWindowEndsQuietly) {
    m_dir.AddProgram();
    HANDLE hEvent = CreateEventW(nullptr, FALSE, TRUE, L"Scribola");
    ASSERT_NE(hEvent, nullptr);
    const LauncherRun run = RunLauncher();
    CloseHandle(hEvent);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(ReadRecords(m_dir.Record()).empty());
}

TEST_F(LauncherProcess, RunningLauncherKeepsAnotherFromStarting) {
    m_dir.AddProgram();
    HANDLE hEvent = CreateEventW(nullptr, FALSE, TRUE, L"QLOI_START_EVENT");
    ASSERT_NE(hEvent, nullptr);
    const LauncherRun run = RunLauncher(L"", true);
    CloseHandle(hEvent);
    EXPECT_TRUE(run.boxes.empty()) << "even the missing driver is not reported";
    EXPECT_TRUE(ReadRecords(m_dir.Record()).empty());
}

// A key that is present but empty gives an empty caption, not the system's "Error".
TEST_F(LauncherProcess, MissingDriverIsReportedWithTheCaptionOfTheSettingsEvenAnEmptyOne) {
    m_dir.AddProgram();
    for (const std::wstring& strTitle : {std::wstring(L"Quillet Pen"), std::wstring()}) {
        m_dir.WriteSettings("[STRING]\r\nTITLE2=" + Narrow(strTitle) + "\r\n");
        const LauncherRun run = RunLauncher(L"", true);
        ExpectOneBox(run, kNoDriver, strTitle);
    }
    EXPECT_TRUE(ReadRecords(m_dir.Record()).empty()) << "the program was started";
}

TEST_F(LauncherProcess, MissingDriverIsReportedAsScribolaWithoutSettings) {
    m_dir.AddProgram();
    const LauncherRun run = RunLauncher(L"", true);
    ExpectOneBox(run, kNoDriver, L"Scribola");
    EXPECT_TRUE(ReadRecords(m_dir.Record()).empty()) << "the program was started";
}

TEST_F(LauncherProcess, MissingDriverIsReportedAsScribolaWhenTheKeyIsMissing) {
    m_dir.AddProgram();
    m_dir.WriteSettings("[STRING]\r\nTITLE=Other\r\n[UI]\r\nNew=0\r\n");
    const LauncherRun run = RunLauncher(L"", true);
    ExpectOneBox(run, kNoDriver, L"Scribola");
}

TEST_F(LauncherProcess, ProgramThatCannotBeStartedIsReported) {
    m_dir.WriteSettings("[STRING]\r\nTITLE2=Quillet Pen\r\n");
    const LauncherRun run = RunLauncher();
    ExpectOneBox(run, kNoProgram, L"Quillet Pen");
    EXPECT_EQ(m_dir.Files(), (std::vector<std::wstring>{L"KVOStart.exe", L"ZLNKVO.ini"}));
}
