// LauncherProbe.exe stands in for KVOmail.exe when the launcher is tested; the tests copy it
// beside KVOStart.exe under that name.
//
// Each start appends one line to the file named by the environment variable
// LAUNCHERPROBE_RECORD (UTF-8, fields separated by tabs): the process id, the program's own
// file name, its command line exactly as received, and "new" or "existing" for the named event
// "Scribola" when the probe created it.
//
// Started with the single argument "/inking-instance" it behaves as a running inking instance: it
// keeps the event "Scribola" and shows a minimised top-level window of class "INKING" until the
// window is closed (or a minute has passed, so that a failed test leaves nothing running).
#include <windows.h>

#include <string>

namespace {
constexpr UINT_PTR kLifetimeTimer = 1;
constexpr UINT kLifetime = 60000;

std::string ToUtf8(const std::wstring& str) {
    if (str.empty())
        return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, str.data(), int(str.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, str.data(), int(str.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring GetEnv(const wchar_t* pszName) {
    wchar_t sz[1024] = {};
    const DWORD n = GetEnvironmentVariableW(pszName, sz, 1024);
    return n > 0 && n < 1024 ? std::wstring(sz, n) : std::wstring();
}

void AppendRecord(const std::wstring& strEvent) {
    const std::wstring strFile = GetEnv(L"LAUNCHERPROBE_RECORD");
    if (strFile.empty())
        return;
    wchar_t szModule[1024] = {};
    GetModuleFileNameW(nullptr, szModule, 1024);
    const std::string strLine = std::to_string(GetCurrentProcessId()) + "\t" + ToUtf8(szModule) +
                                "\t" + ToUtf8(GetCommandLineW()) + "\t" + ToUtf8(strEvent) + "\n";
    HANDLE hFile =
        CreateFileW(strFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    DWORD nWritten = 0;
    WriteFile(hFile, strLine.data(), DWORD(strLine.size()), &nWritten, nullptr);
    CloseHandle(hFile);
}

LRESULT CALLBACK InkingWndProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_TIMER:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    }
}

int RunInkingInstance(HINSTANCE hInstance) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = InkingWndProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    wc.lpszClassName = L"INKING";
    if (!RegisterClassW(&wc))
        return 2;
    // In the bottom right corner, out of the way of other tests' windows once it is restored.
    const int x = GetSystemMetrics(SM_CXSCREEN) - 240;
    const int y = GetSystemMetrics(SM_CYSCREEN) - 160;
    HWND hwnd = CreateWindowExW(0, L"INKING", L"LauncherProbe inking", WS_OVERLAPPEDWINDOW, x, y,
                                200, 120, nullptr, nullptr, hInstance, nullptr);
    if (!hwnd)
        return 3;
    SetTimer(hwnd, kLifetimeTimer, kLifetime, nullptr);
    ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    HANDLE hEvent = CreateEventW(nullptr, FALSE, TRUE, L"Scribola");
    const bool bExisted = hEvent && GetLastError() == ERROR_ALREADY_EXISTS;
    AppendRecord(hEvent ? (bExisted ? L"existing" : L"new") : L"failed");
    int nResult = 0;
    if (std::wstring(GetCommandLineW()).ends_with(L" /inking-instance"))
        nResult = RunInkingInstance(hInstance);
    if (hEvent)
        CloseHandle(hEvent);
    return nResult;
}
