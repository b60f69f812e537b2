// KVOStart.exe beside the real KVOmail.exe, in a directory with blanks in its path.
#include <gtest/gtest.h>
#include <windows.h>

#include "LaunchHarness.h"

namespace {
constexpr DWORD kTimeout = 20000;

HWND WaitForInkingWindow() {
    const ULONGLONG nEnd = GetTickCount64() + kTimeout;
    while (GetTickCount64() < nEnd) {
        if (HWND hwnd = FindWindowW(L"INKING", nullptr))
            return hwnd;
        Sleep(50);
    }
    return nullptr;
}

template <class Pred> bool WaitFor(Pred pred) {
    const ULONGLONG nEnd = GetTickCount64() + kTimeout;
    while (!pred()) {
        if (GetTickCount64() > nEnd)
            return false;
        Sleep(50);
    }
    return true;
}

// Ends the program through its window when a test leaves early, so that nothing stays running.
class CProgramCloser {
public:
    ~CProgramCloser() {
        if (!m_hwnd)
            return;
        DWORD nPid = 0;
        GetWindowThreadProcessId(m_hwnd, &nPid);
        HANDLE h = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, nPid);
        PostMessageW(m_hwnd, WM_CLOSE, 0, 0);
        if (h && WaitForSingleObject(h, kTimeout) != WAIT_OBJECT_0)
            TerminateProcess(h, 99);
        if (h)
            CloseHandle(h);
    }
    HWND m_hwnd = nullptr;
};
} // namespace

TEST(LauncherWithKVOmail, StartsTheInkingInstanceOnceAndRestoresItOnTheNextStart) {
    ASSERT_TRUE(ProcessesNamed(L"KVOmail.exe").empty()) << "a KVOmail is running already";
    CLaunchDir dir;
    ASSERT_TRUE(dir.AddRealProgram());

    CStartedProcess first;
    ASSERT_TRUE(StartLauncher(first, dir, L"", false));
    const LauncherRun firstRun = first.Watch();
    ASSERT_TRUE(firstRun.bEnded);
    EXPECT_TRUE(firstRun.boxes.empty());
    CProgramCloser closer;
    closer.m_hwnd = WaitForInkingWindow();
    ASSERT_NE(closer.m_hwnd, nullptr) << "KVOmail did not start for inking";
    DWORD nPid = 0;
    GetWindowThreadProcessId(closer.m_hwnd, &nPid);
    EXPECT_EQ(ProcessImage(nPid), dir.Dir() + L"\\KVOmail.exe");

    ShowWindow(closer.m_hwnd, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(closer.m_hwnd) != FALSE; }));
    CStartedProcess second;
    ASSERT_TRUE(StartLauncher(second, dir, L"", false));
    const LauncherRun secondRun = second.Watch();
    ASSERT_TRUE(secondRun.bEnded);
    EXPECT_TRUE(secondRun.boxes.empty());
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(closer.m_hwnd); })) << "the window stays minimised";
    EXPECT_TRUE(IsWindowVisible(closer.m_hwnd));
    EXPECT_EQ(ProcessesNamed(L"KVOmail.exe").size(), 1u);
}
