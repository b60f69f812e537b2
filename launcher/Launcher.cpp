#include "Launcher.h"

#include <vector>

#include "LauncherStrings.h"
#include "Message.h"
#include "resource.h"

namespace {
// Held by a running launcher; a second launcher that finds it ends at once.
constexpr wchar_t kStartEvent[] = L"QLOI_START_EVENT";
// Held by KVOmail while it runs as the inking instance.
constexpr wchar_t kInkingEvent[] = L"Scribola";
constexpr wchar_t kInkingWindowClass[] = L"INKING";
constexpr wchar_t kProgramName[] = L"\\KVOmail.exe";
constexpr wchar_t kSettingsName[] = L"\\ZLNKVO.ini";
constexpr DWORD kPauseMs = 500;

// Creates a named auto-reset event, initially signalled; bExisted tells whether the name was
// already taken.
CKernelHandle CreateNamedEvent(const wchar_t* pszName, bool& bExisted) {
    CKernelHandle hEvent(CreateEventW(nullptr, FALSE, TRUE, pszName));
    bExisted = hEvent && GetLastError() == ERROR_ALREADY_EXISTS;
    return hEvent;
}

bool CanLoadLibrary(const std::wstring& strName) {
    HMODULE hLib = LoadLibraryW(strName.c_str());
    if (!hLib)
        return false;
    FreeLibrary(hLib);
    return true;
}
} // namespace

CLauncher::CLauncher(HMODULE hStrings, std::wstring strDir)
    : m_hStrings(hStrings), m_strDir(std::move(strDir)) {}

CLauncher::Outcome CLauncher::Run(const std::wstring& strArgs) {
    bool bExisted = false;
    m_hStartEvent = CreateNamedEvent(kStartEvent, bExisted);
    if (bExisted)
        return Outcome::OtherLauncherRunning;

    m_strCaption = ReadCaption(m_strDir + kSettingsName);

    CKernelHandle hInkingEvent = CreateNamedEvent(kInkingEvent, bExisted);
    if (bExisted) {
        if (HWND hwnd = FindWindowW(kInkingWindowClass, nullptr))
            ShowWindow(hwnd, SW_RESTORE);
        return Outcome::InkingRestored;
    }

    m_sleep(kPauseMs);
    if (!CanLoadLibrary(m_strDriverLibrary)) {
        Warn(IDS_NO_TABLET_DRIVER);
        return Outcome::NoTabletDriver;
    }

    // KVOmail creates the inking event as its own when it starts.
    hInkingEvent.reset();
    const bool bStarted = StartProgram(strArgs);
    if (!bStarted)
        Warn(IDS_NO_APPLICATION);
    m_sleep(kPauseMs);
    return bStarted ? Outcome::Started : Outcome::StartFailed;
}

bool CLauncher::StartProgram(const std::wstring& strArgs) const {
    // The program is named both as the application and, quoted, in the command line, so that a
    // directory with blanks in its path cannot lead to another program being started.
    const std::wstring strProgram = m_strDir + kProgramName;
    std::wstring strCommandLine = BuildCommandLine(strProgram, strArgs);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(strProgram.c_str(), strCommandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

void CLauncher::Warn(UINT nId) const {
    ShowMessage(nullptr, LoadUserString(m_hStrings, nId), m_strCaption, MB_ICONWARNING);
}

std::wstring GetModuleDir(HMODULE hModule) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD nLength = GetModuleFileNameW(hModule, buffer.data(), DWORD(buffer.size()));
        if (nLength == 0)
            return {};
        if (nLength < buffer.size()) {
            std::wstring strPath(buffer.data(), nLength);
            const size_t nSlash = strPath.rfind(L'\\');
            return nSlash == std::wstring::npos ? std::wstring() : strPath.substr(0, nSlash);
        }
        // Cut short: a shorter name would point to another directory.
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring ReadCaption(const std::wstring& strSettingsFile) {
    wchar_t szCaption[256] = {};
    GetPrivateProfileStringW(L"STRING", L"TITLE2", L"Scribola", szCaption, 256,
                             strSettingsFile.c_str());
    return szCaption;
}

std::wstring GetArguments(const wchar_t* pszCommandLine) {
    const wchar_t* p = pszCommandLine ? pszCommandLine : L"";
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"')
            ++p;
        if (*p)
            ++p;
    } else {
        while (*p > L' ')
            ++p;
    }
    while (*p && *p <= L' ')
        ++p;
    return p;
}

std::wstring BuildCommandLine(const std::wstring& strProgram, const std::wstring& strArgs) {
    return L"\"" + strProgram + L"\" " + (strArgs.empty() ? std::wstring(L"Inking") : strArgs);
}
