#include "ProgramRunner.h"

#include "ProgramFiles.h"

namespace {
struct CFindData {
    DWORD dwProcessId;
    const std::function<bool(HWND)>* pPredicate;
    HWND hwnd;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lParam) {
    auto* p = reinterpret_cast<CFindData*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hwnd, &dwPid);
    if (dwPid == p->dwProcessId && (*p->pPredicate)(hwnd)) {
        p->hwnd = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::function<bool(HWND)> OfClass(const wchar_t* pszClass, bool bVisible) {
    return [pszClass, bVisible](HWND hwnd) {
        return WindowClass(hwnd) == pszClass && (!bVisible || IsWindowVisible(hwnd));
    };
}
} // namespace

HWND FindProcessWindow(DWORD dwProcessId, const std::function<bool(HWND)>& predicate) {
    CFindData data{dwProcessId, &predicate, nullptr};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&data));
    return data.hwnd;
}

std::wstring WindowClass(HWND hwnd) {
    wchar_t sz[64] = {};
    GetClassNameW(hwnd, sz, 64);
    return sz;
}

bool InstallProgram(const std::wstring& strFolder) {
    return InstallProgramFiles(strFolder);
}

std::wstring WindowText(HWND hwnd) {
    // WM_GETTEXT reaches the text of another process's edit controls too.
    wchar_t sz[512] = {};
    DWORD_PTR nResult = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(sz), SMTO_ABORTIFHUNG, 5000,
                        &nResult);
    return sz;
}

CProgram::~CProgram() {
    if (!m_pi.hProcess)
        return;
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_pi.hProcess, 99);
        WaitForSingleObject(m_pi.hProcess, 5000);
    }
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
}

bool CProgram::Start(const std::wstring& strFolder, const std::wstring& strArgs) {
    std::wstring strLine = L"\"" + strFolder + L"\\KVOmail.exe\" " + strArgs;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    // The program takes this process's environment, with a local application-data folder of
    // the test's own.
    wchar_t szOld[MAX_PATH * 2] = {};
    const DWORD nOld = GetEnvironmentVariableW(L"LOCALAPPDATA", szOld, MAX_PATH * 2);
    SetEnvironmentVariableW(L"LOCALAPPDATA", (strFolder + L"\\LocalAppData").c_str());
    const bool bOk = CreateProcessW(nullptr, strLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    strFolder.c_str(), &si, &m_pi) != FALSE;
    SetEnvironmentVariableW(L"LOCALAPPDATA", nOld ? szOld : nullptr);
    return bOk;
}

void CProgram::Kill() {
    if (!m_pi.hProcess)
        return;
    TerminateProcess(m_pi.hProcess, 99);
    WaitForSingleObject(m_pi.hProcess, 10000);
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
    m_pi = {};
}

int CProgram::WaitForExit(DWORD nTimeoutMs) {
    if (WaitForSingleObject(m_pi.hProcess, nTimeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD dwCode = 0;
    GetExitCodeProcess(m_pi.hProcess, &dwCode);
    return static_cast<int>(dwCode);
}

HWND CProgram::FindWindowOfClass(const wchar_t* pszClass) const {
    return FindProcessWindow(m_pi.dwProcessId, OfClass(pszClass, true));
}

HWND CProgram::WaitForWindow(const wchar_t* pszClass, DWORD nTimeoutMs, bool bVisible) const {
    HWND hwnd = nullptr;
    WaitUntil(
        [&] { return (hwnd = FindProcessWindow(m_pi.dwProcessId, OfClass(pszClass, bVisible))); },
        nTimeoutMs);
    return hwnd;
}
