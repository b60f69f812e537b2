#include "ProgramFiles.h"

#include <windows.h>

namespace {
std::wstring g_strProgramFolder;

// A value of Wine's per-program settings for the program pszExe (a key under
// AppDefaults\<pszExe>); a null value removes it.
void SetWineValueOf(const wchar_t* pszExe, const wchar_t* pszKey, const wchar_t* pszName,
                    const wchar_t* pszValue) {
    const std::wstring strKey =
        std::wstring(L"Software\\Wine\\AppDefaults\\") + pszExe + L"\\" + pszKey;
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, strKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &hKey, nullptr) != ERROR_SUCCESS)
        return;
    if (pszValue)
        RegSetValueExW(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszValue),
                       DWORD((wcslen(pszValue) + 1) * sizeof(wchar_t)));
    else
        RegDeleteValueW(hKey, pszName);
    RegCloseKey(hKey);
}

void SetProgramWineValue(const wchar_t* pszKey, const wchar_t* pszName, const wchar_t* pszValue) {
    SetWineValueOf(L"KVOmail.exe", pszKey, pszName, pszValue);
}
} // namespace

std::wstring BinaryFolder() {
    wchar_t sz[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, sz, MAX_PATH * 2);
    std::wstring str = sz;
    return str.substr(0, str.find_last_of(L'\\'));
}

bool InstallProgramFiles(const std::wstring& strFolder) {
    const std::wstring strProgram =
        g_strProgramFolder.empty() ? BinaryFolder() : g_strProgramFolder;
    for (const wchar_t* pszName :
         {L"KVOmail.exe", L"Brevix.dll", L"kvofunc.dll", L"wintab32.dll"}) {
        const std::wstring& strFrom =
            wcscmp(pszName, L"wintab32.dll") ? strProgram : BinaryFolder();
        if (!CopyFileW((strFrom + L"\\" + pszName).c_str(), (strFolder + L"\\" + pszName).c_str(),
                       FALSE))
            return false;
    }
    return true;
}

bool InstallInkStandIn(const std::wstring& strFolder) {
    return CopyFileW((BinaryFolder() + L"\\inkstandin.dll").c_str(),
                     (strFolder + L"\\inkstandin.dll").c_str(), FALSE) != FALSE;
}

void SetProgramFolder(const std::wstring& strFolder) {
    g_strProgramFolder = strFolder;
}

void SetProgramTabletLibrary(const wchar_t* pszOrder) {
    SetProgramDllOrder(L"wintab32", pszOrder);
}

void SetProgramDllOrder(const wchar_t* pszDll, const wchar_t* pszOrder) {
    SetDllOrderOf(L"KVOmail.exe", pszDll, pszOrder);
}

void SetDllOrderOf(const wchar_t* pszExe, const wchar_t* pszDll, const wchar_t* pszOrder) {
    SetWineValueOf(pszExe, L"DllOverrides", pszDll, pszOrder);
}

void SetProgramWindowsManaged(bool bManaged) {
    SetProgramWineValue(L"X11 Driver", L"Managed", bManaged ? nullptr : L"N");
}
