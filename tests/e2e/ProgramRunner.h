// Runs copies of KVOmail.exe for end-to-end tests: the program, its libraries and (optionally)
// a settings file go into a private folder, so that each test has its own ZLNKVO.ini.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "TestFolder.h"

// How long a program start may take.
inline constexpr DWORD kStartTimeout = 30000;

class CProgram {
public:
    CProgram() = default;
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;
    // Ends the process if it still runs.
    ~CProgram();

    // Starts "<folder>\KVOmail.exe <strArgs>". Its local application data (recovery copies of
    // unsaved notes) is "<folder>\LocalAppData", so that no test sees another test's copies.
    bool Start(const std::wstring& strFolder, const std::wstring& strArgs);
    // Ends the process at once, as a crash or the task manager would.
    void Kill();
    // Waits for the process to end; its exit code, or -1 on timeout.
    int WaitForExit(DWORD nTimeoutMs);
    // The process's visible top-level window of this class (null while there is none); the
    // program keeps hidden dialogs of its own, such as the pen-width popup.
    HWND FindWindowOfClass(const wchar_t* pszClass) const;
    // Waits until the process has a top-level window of this class; null on timeout.
    HWND WaitForWindow(const wchar_t* pszClass, DWORD nTimeoutMs, bool bVisible = true) const;
    DWORD ProcessId() const { return m_pi.dwProcessId; }

private:
    PROCESS_INFORMATION m_pi{};
};

// The first top-level window of a process for which predicate holds, or null.
HWND FindProcessWindow(DWORD dwProcessId, const std::function<bool(HWND)>& predicate);
// A window's class name.
std::wstring WindowClass(HWND hwnd);
// Copies KVOmail.exe and the libraries it loads from this test's folder into strFolder.
bool InstallProgram(const std::wstring& strFolder);
// Window text.
std::wstring WindowText(HWND hwnd);
// The canvas view inside a frame of the program, or null.
HWND FindViewOf(HWND hwndFrame);
// Waits until the window has kept its place for 700 ms (a display without a window manager
// settles); false after nTimeoutMs.
bool WaitForSteadyWindow(HWND hwnd, DWORD nTimeoutMs = 30000);
// Lets other processes run until pred() holds or the time is up.
template <class Pred> bool WaitUntil(Pred pred, DWORD nTimeoutMs) {
    DWORD nStart = GetTickCount();
    while (!pred()) {
        if (GetTickCount() - nStart > nTimeoutMs)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(50);
    }
    return true;
}
