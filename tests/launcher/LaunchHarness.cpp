#include "LaunchHarness.h"

#include "ProgramFiles.h"

#include <tlhelp32.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {
constexpr wchar_t kNoDriverLauncher[] = L"KVOStartNoDriver.exe";

std::wstring FromUtf8(const std::string& str) {
    if (str.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, str.data(), int(str.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, str.data(), int(str.size()), out.data(), n);
    return out;
}

void RemoveTree(const std::wstring& strDir) {
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((strDir + L"\\*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring strName = fd.cFileName;
            if (strName == L"." || strName == L"..")
                continue;
            const std::wstring strPath = strDir + L"\\" + strName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(strPath);
            else
                DeleteFileW(strPath.c_str());
        } while (FindNextFileW(hFind, &fd));
        FindClose(hFind);
    }
    RemoveDirectoryW(strDir.c_str());
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t sz[256] = {};
    GetClassNameW(hwnd, sz, 256);
    return sz;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t sz[1024] = {};
    GetWindowTextW(hwnd, sz, 1024);
    return sz;
}

// The text of a message box: its static control with id 0xFFFF, else its first static with text.
std::wstring MessageBoxText(HWND hwndBox) {
    if (HWND hwndText = GetDlgItem(hwndBox, 0xFFFF))
        return TextOf(hwndText);
    std::wstring strText;
    EnumChildWindows(
        hwndBox,
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto& str = *reinterpret_cast<std::wstring*>(lParam);
            if (ClassOf(hwnd) == L"Static" && !TextOf(hwnd).empty()) {
                str = TextOf(hwnd);
                return FALSE;
            }
            return TRUE;
        },
        LPARAM(&strText));
    return strText;
}

struct WindowSearch {
    DWORD nPid;
    std::vector<HWND> found;
};

std::vector<HWND> VisibleWindowsOf(DWORD nPid) {
    WindowSearch search{nPid, {}};
    EnumWindows(
        [](HWND hwnd, LPARAM lParam) -> BOOL {
            auto& s = *reinterpret_cast<WindowSearch*>(lParam);
            DWORD nOwner = 0;
            GetWindowThreadProcessId(hwnd, &nOwner);
            if (nOwner == s.nPid && IsWindowVisible(hwnd))
                s.found.push_back(hwnd);
            return TRUE;
        },
        LPARAM(&search));
    return search.found;
}
} // namespace

std::wstring BinDir() {
    wchar_t sz[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, sz, MAX_PATH);
    std::wstring str = sz;
    return str.substr(0, str.rfind(L'\\'));
}

CLaunchDir::CLaunchDir(const std::wstring& strSubfolder) {
    static int s_nCount = 0;
    wchar_t szTemp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    m_strBase = std::wstring(szTemp) + L"qlaunch-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++s_nCount);
    m_strDir = m_strBase + L"\\" + strSubfolder;
    CreateDirectoryW(m_strBase.c_str(), nullptr);
    CreateDirectoryW(m_strDir.c_str(), nullptr);
    CopyFileW((BinDir() + L"\\KVOStart.exe").c_str(), (m_strDir + L"\\KVOStart.exe").c_str(),
              FALSE);
}

CLaunchDir::~CLaunchDir() {
    RemoveTree(m_strBase);
}

void CLaunchDir::AddProgram() const {
    CopyFileW((BinDir() + L"\\LauncherProbe.exe").c_str(), (m_strDir + L"\\KVOmail.exe").c_str(),
              FALSE);
}

bool CLaunchDir::AddRealProgram() const {
    return InstallProgramFiles(m_strDir);
}

void CLaunchDir::WriteSettings(const std::string& strText) const {
    std::ofstream file((m_strDir + L"\\ZLNKVO.ini").c_str(), std::ios::binary);
    file << strText;
}

std::vector<std::wstring> CLaunchDir::Files() const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((m_strDir + L"\\*").c_str(), &fd);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring strName = fd.cFileName;
        if (strName != L"." && strName != L"..")
            names.push_back(strName);
    } while (FindNextFileW(hFind, &fd));
    FindClose(hFind);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<ProbeRecord> ReadRecords(const std::wstring& strFile) {
    std::vector<ProbeRecord> records;
    std::ifstream file(strFile.c_str(), std::ios::binary);
    std::string strLine;
    while (std::getline(file, strLine)) {
        std::vector<std::string> fields;
        std::stringstream line(strLine);
        for (std::string strField; std::getline(line, strField, '\t');)
            fields.push_back(strField);
        if (fields.size() != 4)
            continue;
        records.push_back({DWORD(std::stoul(fields[0])), FromUtf8(fields[1]), FromUtf8(fields[2]),
                           FromUtf8(fields[3])});
    }
    return records;
}

CStartedProcess::CStartedProcess(CStartedProcess&& o) noexcept : m_pi(o.m_pi) {
    o.m_pi = {};
}

CStartedProcess::~CStartedProcess() {
    if (m_pi.hProcess) {
        if (!HasEnded()) {
            TerminateProcess(m_pi.hProcess, 99);
            WaitForSingleObject(m_pi.hProcess, 5000);
        }
        CloseHandle(m_pi.hProcess);
    }
    if (m_pi.hThread)
        CloseHandle(m_pi.hThread);
}

bool CStartedProcess::Start(const std::wstring& strProgram, const std::wstring& strArgs,
                            const std::vector<std::wstring>& environment) {
    std::wstring strBlock;
    for (const auto& strVar : environment)
        strBlock += strVar + L'\0';
    strBlock += L'\0';
    std::wstring strCommandLine = L"\"" + strProgram + L"\"";
    if (!strArgs.empty())
        strCommandLine += L" " + strArgs;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    return CreateProcessW(strProgram.c_str(), strCommandLine.data(), nullptr, nullptr, FALSE,
                          CREATE_UNICODE_ENVIRONMENT, strBlock.data(), nullptr, &si, &m_pi);
}

LauncherRun CStartedProcess::Watch(DWORD dwTimeout) {
    LauncherRun run;
    const ULONGLONG nEnd = GetTickCount64() + dwTimeout;
    std::vector<HWND> answered;
    while (GetTickCount64() < nEnd) {
        for (HWND hwnd : VisibleWindowsOf(m_pi.dwProcessId)) {
            if (std::find(answered.begin(), answered.end(), hwnd) != answered.end())
                continue;
            if (ClassOf(hwnd) != L"#32770") {
                run.otherWindows.push_back(ClassOf(hwnd));
                answered.push_back(hwnd);
                continue;
            }
            // Read the box once its text is filled in, then answer it.
            const std::wstring strText = MessageBoxText(hwnd);
            if (strText.empty())
                continue;
            run.boxes.push_back({TextOf(hwnd), strText});
            answered.push_back(hwnd);
            PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        if (WaitForSingleObject(m_pi.hProcess, 20) == WAIT_OBJECT_0) {
            run.bEnded = true;
            return run;
        }
    }
    return run;
}

std::vector<std::wstring> LaunchEnvironment(const CLaunchDir& dir) {
    std::vector<std::wstring> environment;
    if (wchar_t* pBlock = GetEnvironmentStringsW()) {
        for (const wchar_t* p = pBlock; *p; p += wcslen(p) + 1) {
            if (_wcsnicmp(p, L"LAUNCHERPROBE_RECORD=", 21) != 0)
                environment.push_back(p);
        }
        FreeEnvironmentStringsW(pBlock);
    }
    environment.push_back(L"LAUNCHERPROBE_RECORD=" + dir.Record());
    return environment;
}

bool StartLauncher(CStartedProcess& process, const CLaunchDir& dir, const std::wstring& strArgs,
                   bool bNoDriver) {
    std::wstring strName = L"KVOStart.exe";
    if (bNoDriver) {
        // Wine takes DLL overrides from the environment of the first process only, so the
        // driver is turned off by the program's name: for it, "wintab32.dll" is disabled.
        strName = kNoDriverLauncher;
        HKEY hKey = nullptr;
        if (RegCreateKeyExW(
                HKEY_CURRENT_USER,
                (L"Software\\Wine\\AppDefaults\\" + strName + L"\\DllOverrides").c_str(), 0,
                nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
            return false;
        RegSetValueExW(hKey, L"wintab32", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""),
                       sizeof(wchar_t));
        RegCloseKey(hKey);
        CopyFileW((dir.Dir() + L"\\KVOStart.exe").c_str(), (dir.Dir() + L"\\" + strName).c_str(),
                  FALSE);
    }
    return process.Start(dir.Dir() + L"\\" + strName, strArgs, LaunchEnvironment(dir));
}

void WaitForChildren(const std::vector<DWORD>& parents, DWORD dwTimeout) {
    HANDLE hSnap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnap == INVALID_HANDLE_VALUE)
        return;
    std::vector<HANDLE> children;
    PROCESSENTRY32W pe{};
    pe.dwSize = sizeof(pe);
    for (BOOL b = Process32FirstW(hSnap, &pe); b; b = Process32NextW(hSnap, &pe)) {
        if (std::find(parents.begin(), parents.end(), pe.th32ParentProcessID) == parents.end())
            continue;
        if (HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pe.th32ProcessID))
            children.push_back(h);
    }
    CloseHandle(hSnap);
    for (HANDLE h : children) {
        WaitForSingleObject(h, dwTimeout);
        CloseHandle(h);
    }
}

std::vector<DWORD> ProcessesNamed(const wchar_t* pszExe) {
    std::vector<DWORD> pids;
    HANDLE hSnap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnap == INVALID_HANDLE_VALUE)
        return pids;
    PROCESSENTRY32W pe{};
    pe.dwSize = sizeof(pe);
    for (BOOL b = Process32FirstW(hSnap, &pe); b; b = Process32NextW(hSnap, &pe)) {
        if (_wcsicmp(pe.szExeFile, pszExe) == 0)
            pids.push_back(pe.th32ProcessID);
    }
    CloseHandle(hSnap);
    return pids;
}

std::wstring ProcessImage(DWORD nPid) {
    HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, nPid);
    if (!h)
        return {};
    wchar_t sz[1024] = {};
    DWORD n = 1024;
    std::wstring str;
    if (QueryFullProcessImageNameW(h, 0, sz, &n))
        str.assign(sz, n);
    CloseHandle(h);
    return str;
}

bool EventExists(const wchar_t* pszName) {
    HANDLE h = OpenEventW(SYNCHRONIZE, FALSE, pszName);
    if (!h)
        return false;
    CloseHandle(h);
    return true;
}
