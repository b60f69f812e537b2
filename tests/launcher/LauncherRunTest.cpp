// The launcher's steps in-process: its messages are captured through the message hook.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "LaunchHarness.h"
#include "Launcher.h"
#include "Message.h"

namespace {
struct ShownMessage {
    std::wstring strText;
    std::wstring strCaption;
    UINT uType;
};

class LauncherSteps : public testing::Test {
protected:
    void SetUp() override {
        SetMessageHook(
            [this](const std::wstring& strText, const std::wstring& strCaption, UINT uType) {
                m_shown.push_back({strText, strCaption, uType});
                return IDOK;
            });
        m_hStrings = LoadLibraryExW((BinDir() + L"\\KVOStart.exe").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_hStrings, nullptr);
    }
    void TearDown() override {
        SetMessageHook({});
        if (m_hStrings)
            FreeLibrary(m_hStrings);
    }

    // A launcher in m_dir that notes its pauses instead of taking them.
    CLauncher::Outcome Run(const std::wstring& strDriver = L"kernel32.dll") {
        CLauncher launcher(m_hStrings, m_dir.Dir());
        launcher.SetSleep([this](DWORD nMs) { m_pauses.push_back(nMs); });
        launcher.SetDriverLibrary(strDriver);
        const CLauncher::Outcome outcome = launcher.Run(L"");
        WaitForChildren({GetCurrentProcessId()});
        return outcome;
    }

    HMODULE m_hStrings = nullptr;
    CLaunchDir m_dir;
    std::vector<ShownMessage> m_shown;
    std::vector<DWORD> m_pauses;
};

// Holds a named event for the length of a test, as another process would.
CKernelHandle HoldEvent(const wchar_t* pszName) {
    return CKernelHandle(CreateEventW(nullptr, FALSE, TRUE, pszName));
}
} // namespace

TEST_F(LauncherSteps, MissingDriverShowsMessage102AsAWarning) {
    m_dir.AddProgram();
    EXPECT_EQ(Run(L"no-such-tablet-driver.dll"), CLauncher::Outcome::NoTabletDriver);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].strText, L"Tablet Driver is not found");
    EXPECT_EQ(m_shown[0].strCaption, L"Scribola");
    EXPECT_EQ(m_shown[0].uType, UINT(MB_ICONWARNING | MB_OK));
    EXPECT_EQ(m_pauses, std::vector<DWORD>{500}) << "the pause before the driver check";
}

TEST_F(LauncherSteps, ProgramThatCannotStartShowsMessage104AsAWarning) {
    m_dir.WriteSettings("[string]\r\ntitle2=Quillet\r\n");
    EXPECT_EQ(Run(), CLauncher::Outcome::StartFailed);
    ASSERT_EQ(m_shown.size(), 1u);
    EXPECT_EQ(m_shown[0].strText, L"The Application of Quillet is not found");
    EXPECT_EQ(m_shown[0].strCaption, L"Quillet") << "section and key are found in any case";
    EXPECT_EQ(m_shown[0].uType, UINT(MB_ICONWARNING | MB_OK));
    EXPECT_EQ(m_pauses, (std::vector<DWORD>{500, 500})) << "the last pause follows a failed start";
}

TEST_F(LauncherSteps, StartsTheProgramWhenTheDriverLoads) {
    m_dir.AddProgram();
    EXPECT_EQ(Run(), CLauncher::Outcome::Started);
    EXPECT_TRUE(m_shown.empty());
    EXPECT_EQ(m_pauses, (std::vector<DWORD>{500, 500}));
    EXPECT_EQ(ReadRecords(m_dir.Record()).size(), 0u) << "the record lies in the test's own "
                                                         "environment, which has no record file";
}

TEST_F(LauncherSteps, OtherLauncherRunningEndsBeforeAnythingElse) {
    m_dir.AddProgram();
    const CKernelHandle held = HoldEvent(L"QLOI_START_EVENT");
    EXPECT_EQ(Run(L"no-such-tablet-driver.dll"), CLauncher::Outcome::OtherLauncherRunning);
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(LauncherSteps, RunningInkingInstanceIsNotJoinedByASecond) {
    const CKernelHandle held = HoldEvent(L"Scribola");
    EXPECT_EQ(Run(L"no-such-tablet-driver.dll"), CLauncher::Outcome::InkingRestored);
    EXPECT_TRUE(m_shown.empty());
}

TEST_F(LauncherSteps, StartEventIsHeldWhileTheLauncherLivesAndNoLonger) {
    {
        CLauncher launcher(m_hStrings, m_dir.Dir());
        launcher.SetSleep([](DWORD) {});
        launcher.SetDriverLibrary(L"no-such-tablet-driver.dll");
        launcher.Run(L"");
        EXPECT_TRUE(EventExists(L"QLOI_START_EVENT"));
        EXPECT_FALSE(EventExists(L"Scribola"));
    }
    EXPECT_FALSE(EventExists(L"QLOI_START_EVENT"));
}

TEST(LauncherCaption, IsScribolaWithoutSettingsFile) {
    EXPECT_EQ(ReadCaption(L"C:\\no\\such\\folder\\ZLNKVO.ini"), L"Scribola");
}

TEST(LauncherCaption, IsCutAfter255Characters) {
    CLaunchDir dir;
    dir.WriteSettings("[STRING]\r\nTITLE2=" + std::string(300, 'q') + "\r\n");
    EXPECT_EQ(ReadCaption(dir.Dir() + L"\\ZLNKVO.ini"), std::wstring(255, L'q'));
}

TEST(LauncherCaption, IsEmptyWhenTheKeyIsEmpty) {
    CLaunchDir dir;
    dir.WriteSettings("[STRING]\r\nTITLE2=\r\n");
    EXPECT_EQ(ReadCaption(dir.Dir() + L"\\ZLNKVO.ini"), L"");
}

TEST(LauncherCommandLine, ArgumentsFollowAQuotedProgramName) {
    EXPECT_EQ(GetArguments(L"\"C:\\Program Files\\Quillet\\KVOStart.exe\" LETTER"), L"LETTER");
}

TEST(LauncherCommandLine, ArgumentsFollowAPlainProgramName) {
    EXPECT_EQ(GetArguments(L"KVOStart.exe   LETTER  two "), L"LETTER  two ");
}

TEST(LauncherCommandLine, BlanksAloneAreNoArguments) {
    EXPECT_EQ(GetArguments(L"KVOStart.exe   "), L"");
    EXPECT_EQ(GetArguments(L"\"KVOStart.exe\""), L"");
    EXPECT_EQ(GetArguments(nullptr), L"");
}

TEST(LauncherCommandLine, ProgramPathIsQuotedBeforeInking) {
    EXPECT_EQ(BuildCommandLine(L"C:\\Program Files\\Quillet\\KVOmail.exe", L""),
              L"\"C:\\Program Files\\Quillet\\KVOmail.exe\" Inking");
}

TEST(LauncherCommandLine, OwnArgumentsReplaceInking) {
    EXPECT_EQ(BuildCommandLine(L"C:\\Q\\KVOmail.exe", L"LETTER"), L"\"C:\\Q\\KVOmail.exe\" LETTER");
}

TEST(LauncherDirectory, IsTheModuleFileNameUpToTheLastBackslash) {
    wchar_t sz[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, sz, MAX_PATH);
    const std::wstring strDir = GetModuleDir(nullptr);
    EXPECT_EQ(strDir + L"\\launcher_tests.exe", sz);
}

// A directory whose own path is longer than 255 characters: a file name cut after 255
// characters would end in the parent directory.
TEST(LauncherDirectory, IsNotCutShortInALongPath) {
    const size_t nBase = CLaunchDir().Base().size();
    CLaunchDir dir(L"Quillet launcher " + std::wstring(258 - nBase - 18, L'q'));
    ASSERT_GE(dir.Dir().size(), 258u);
    const std::wstring strLibrary = dir.Dir() + L"\\kvofunc.dll";
    ASSERT_TRUE(CopyFileW((BinDir() + L"\\kvofunc.dll").c_str(), strLibrary.c_str(), FALSE));
    HMODULE hLibrary = LoadLibraryW(strLibrary.c_str());
    ASSERT_NE(hLibrary, nullptr);
    const std::wstring strDir = GetModuleDir(hLibrary);
    FreeLibrary(hLibrary);
    EXPECT_EQ(strDir, dir.Dir());
}
