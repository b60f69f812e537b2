// The overlay never stays on the screen without the program that shows it: one left by an
// earlier run is closed at the next start, and a crash in desktop mode takes it away before the
// system reports the crash.
#include <windows.h>
// The process snapshot functions need windows.h first.
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "ModesSession.h"

namespace {

// A window as an earlier run's overlay looks to the next start: its class name and title.
class CLeftOverlay {
public:
    CLeftOverlay() {
        WNDCLASSEXW wc{sizeof wc};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kOverlay;
        RegisterClassExW(&wc);
        m_hWnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kOverlay, kOverlay,
                                 WS_POPUP | WS_VISIBLE, 0, 0, 60, 60, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    }
    ~CLeftOverlay() {
        if (IsWindow(m_hWnd))
            DestroyWindow(m_hWnd);
        UnregisterClassW(kOverlay, GetModuleHandleW(nullptr));
    }
    HWND m_hWnd = nullptr;
};

// Ends the crash reporter (the debugger) that the system started for the crashed program.
void EndCrashReporter(DWORD dwProgram) {
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{sizeof entry};
    for (BOOL b = Process32FirstW(hSnapshot, &entry); b; b = Process32NextW(hSnapshot, &entry)) {
        if (entry.th32ParentProcessID != dwProgram || entry.th32ProcessID == dwProgram)
            continue;
        if (HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(h, 1);
            WaitForSingleObject(h, 5000);
            CloseHandle(h);
        }
    }
    CloseHandle(hSnapshot);
}
} // namespace

TEST(Overlay, AnOverlayLeftByAnEarlierRunIsClosedAtStart) {
    CLeftOverlay left;
    ASSERT_TRUE(IsWindowVisible(left.m_hWnd));
    CModesSession session;
    ASSERT_TRUE(session.Start(kVirtualTabletOrder));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(left.m_hWnd); }, 5000));
    ASSERT_NE(session.Overlay(kOverlay), nullptr) << "the program has its own";
    EXPECT_FALSE(IsWindowVisible(session.Overlay(kOverlay)));
    session.m_program.Kill();
}

TEST(Overlay, ACrashInDesktopModeTakesTheOverlayOffTheScreen) {
    CModesSession session;
    ASSERT_TRUE(session.Start(kVirtualTabletOrder));
    session.ClickToolBar(LetterToolBar::kDesktop);
    ASSERT_TRUE(session.WaitForOverlay(kOverlay, true));
    // A thread of the program that runs into an access violation.
    HANDLE hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, session.m_program.ProcessId());
    ASSERT_NE(hProcess, nullptr);
    HANDLE hThread = CreateRemoteThread(
        hProcess, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10), nullptr, 0, nullptr);
    ASSERT_NE(hThread, nullptr);
    EXPECT_TRUE(WaitUntil(
        [&] {
            HWND hwnd = session.Overlay(kOverlay);
            return !hwnd || !IsWindowVisible(hwnd);
        },
        10000));
    const DWORD dwProgram = session.m_program.ProcessId();
    session.m_program.Kill();
    EndCrashReporter(dwProgram);
    CloseHandle(hThread);
    CloseHandle(hProcess);
}
