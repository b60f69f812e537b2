// QuilletSetup.exe under Wine: a silent install into a folder of the test's own, the installed
// program opening a note through the file association, and a silent uninstall that leaves no
// file, registry key or shortcut behind.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "NoteBytes.h"
#include "ProgramFiles.h"
#include "ProgramRunner.h"

namespace {
constexpr DWORD kTimeout = 30000;
const wchar_t* const kKeys[] = {L"Software\\Classes\\.Qzn", L"Software\\Classes\\Qzn.Document",
                                L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillet",
                                L"Software\\Local AppWizard-Generated Applications\\Quillet"};

bool Exists(const std::wstring& strPath) {
    return GetFileAttributesW(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool KeyExists(const wchar_t* pszKey) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, pszKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

std::wstring RegText(const std::wstring& strKey) {
    wchar_t sz[1024] = {};
    DWORD cb = sizeof(sz);
    if (RegGetValueW(HKEY_CURRENT_USER, strKey.c_str(), L"", RRF_RT_REG_SZ, nullptr, sz, &cb) !=
        ERROR_SUCCESS)
        return std::wstring();
    return sz;
}

std::wstring StartMenuFolder() {
    wchar_t sz[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_PROGRAMS, nullptr, 0, sz);
    return std::wstring(sz) + L"\\Quillet";
}

// The program and the arguments a shortcut starts, as "<path> <arguments>".
std::wstring ShortcutTarget(const std::wstring& strLink) {
    std::wstring str;
    IShellLinkW* pLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&pLink))))
        return str;
    IPersistFile* pFile = nullptr;
    wchar_t szPath[MAX_PATH] = {}, szArgs[MAX_PATH] = {};
    if (SUCCEEDED(pLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pFile)))) {
        if (SUCCEEDED(pFile->Load(strLink.c_str(), STGM_READ)) &&
            SUCCEEDED(pLink->GetPath(szPath, MAX_PATH, nullptr, 0)) &&
            SUCCEEDED(pLink->GetArguments(szArgs, MAX_PATH)))
            str = std::wstring(szPath) + L" " + szArgs;
        pFile->Release();
    }
    pLink->Release();
    return str;
}

// Runs a command line to its end; its exit code, or -1.
int RunToEnd(std::wstring strLine) {
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, strLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return -1;
    DWORD dwCode = DWORD(-1);
    if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(pi.hProcess, &dwCode);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return int(dwCode);
}

// The letter window of the program started from a folder, found by its title.
HWND FindLetterWindow(const std::wstring& strTitle) {
    HWND hwnd = nullptr;
    WaitUntil(
        [&] {
            hwnd = FindWindowW(L"LETTER", strTitle.c_str());
            return hwnd && IsWindowVisible(hwnd);
        },
        kTimeout);
    return hwnd;
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        // The installer's and uninstaller's temporary files and the program's local data stay in
        // the test's folder; Wine makes no desktop menu entries of the shortcuts.
        CreateDirectoryW(m_strTemp.c_str(), nullptr);
        SetEnvironmentVariableW(L"TEMP", m_strTemp.c_str());
        SetEnvironmentVariableW(L"TMP", m_strTemp.c_str());
        SetEnvironmentVariableW(L"LOCALAPPDATA", (m_folder / L"LocalAppData").c_str());
        SetEnvironmentVariableW(L"WINEDLLOVERRIDES", L"mscoree,mshtml=;winemenubuilder.exe=d");
    }
    CTestFolder m_folder;
    std::wstring m_strTemp = m_folder / L"temp";
    std::wstring m_strDir = m_folder / L"Quillet Program";
};
} // namespace

TEST_F(Installer, SilentInstallOpensNotesByTheirTypeAndTheUninstallLeavesNothing) {
    const std::wstring strSetup = BinaryFolder() + L"\\QuilletSetup.exe";
    ASSERT_TRUE(Exists(strSetup));
    ASSERT_EQ(RunToEnd(L"\"" + strSetup + L"\" /S /D=" + m_strDir), 0);
    for (const wchar_t* pszFile : {L"KVOmail.exe", L"KVOStart.exe", L"Brevix.dll", L"kvofunc.dll",
                                   L"help.chm", L"QznRes.dll", L"Uninstall.exe"})
        EXPECT_TRUE(Exists(m_strDir + L"\\" + pszFile)) << testing::PrintToString(pszFile);
    // Only what the program needs: no test tool of the build.
    EXPECT_FALSE(Exists(m_strDir + L"\\wintab32.dll"));
    // The letter window, and inking through the launcher.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(ShortcutTarget(StartMenuFolder() + L"\\Quillet.lnk"),
              m_strDir + L"\\KVOmail.exe LETTER");
    EXPECT_EQ(ShortcutTarget(StartMenuFolder() + L"\\Quillet Inking.lnk"),
              m_strDir + L"\\KVOStart.exe ");
    CoUninitialize();
    EXPECT_EQ(RegText(L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillet"), L"")
        << "the entry has no default value";
    ASSERT_EQ(RegText(L"Software\\Classes\\.Qzn"), L"Qzn.Document");

    // Opened as the shell opens a note: the type's open command with the note's path for %1
    // (Wine's own shell reads only the machine's file types, not the user's).
    const std::wstring strNote = m_folder / L"letter to Ann.Qzn";
    std::vector<std::uint8_t> note;
    for (std::uint32_t n : {13427429u, 11321541u, 90u, 0u, 0u, 1280u, 2560u, 0u, 0u})
        PutU32(note, n);
    ASSERT_TRUE(CTestFolder::WriteBytes(strNote, note));
    std::wstring strCommand = RegText(L"Software\\Classes\\Qzn.Document\\shell\\open\\command");
    EXPECT_EQ(strCommand, L"\"" + m_strDir + L"\\KVOmail.exe\" \"%1\"");
    strCommand.replace(strCommand.find(L"%1"), 2, strNote);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    // No tablet here, and the installed program has no stand-in: it says so once.
    HWND hBox = nullptr;
    WaitUntil([&] { return (hBox = FindWindowW(L"#32770", L"WinTab")) != nullptr; }, kTimeout);
    if (hBox)
        PostMessageW(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND hwnd = FindLetterWindow(L"letter to Ann.Qzn - Quillet");
    EXPECT_NE(hwnd, nullptr) << "the note opened in the installed program";
    wchar_t szImage[MAX_PATH * 2] = {};
    DWORD nImage = MAX_PATH * 2;
    QueryFullProcessImageNameW(pi.hProcess, 0, szImage, &nImage);
    EXPECT_EQ(lstrcmpiW(szImage, (m_strDir + L"\\KVOmail.exe").c_str()), 0)
        << testing::PrintToString(std::wstring(szImage));
    if (hwnd)
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(pi.hProcess, kTimeout), WAIT_OBJECT_0);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);

    // The uninstaller hands over to a copy of itself and ends: wait for its work.
    ASSERT_EQ(RunToEnd(L"\"" + m_strDir + L"\\Uninstall.exe\" /S"), 0);
    EXPECT_TRUE(WaitUntil([&] { return !Exists(m_strDir); }, kTimeout))
        << "the program's folder is gone with everything in it";
    EXPECT_FALSE(Exists(StartMenuFolder())) << "no shortcut";
    EXPECT_FALSE(Exists(m_folder / L"LocalAppData\\Quillet")) << "no recovery folder";
    for (const wchar_t* pszKey : kKeys)
        EXPECT_FALSE(KeyExists(pszKey)) << testing::PrintToString(std::wstring(pszKey));
}
