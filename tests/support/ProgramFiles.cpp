#include "ProgramFiles.h"

#include <windows.h>

namespace {
// A value of Wine's per-program settings for KVOmail.exe (a key under AppDefaults\KVOmail.exe);
// a null value removes it.
void SetProgramWineValue(const wchar_t* pszKey, const wchar_t* pszName, const wchar_t* pszValue) {
    const std::wstring strKey =
        std::wstring(L"Software\\Wine\\AppDefaults\\KVOmail.exe\\") + pszKey;
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
} // namespace

std::wstring BinaryFolder() {
    wchar_t sz[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, sz, MAX_PATH * 2);
    std::wstring str = sz;
    return str.substr(0, str.find_last_of(L'\\'));
}

bool InstallProgramFiles(const std::wstring& strFolder) {
    const std::wstring strFrom = BinaryFolder();
    for (const wchar_t* pszName :
         {L"KVOmail.exe", L"Brevix.dll", L"kvofunc.dll", L"wintab32.dll"}) {
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

void SetProgramTabletLibrary(const wchar_t* pszOrder) {
    SetProgramDllOrder(L"wintab32", pszOrder);
}

void SetProgramDllOrder(const wchar_t* pszDll, const wchar_t* pszOrder) {
    SetProgramWineValue(L"DllOverrides", pszDll, pszOrder);
}

void SetProgramWindowsManaged(bool bManaged) {
    SetProgramWineValue(L"X11 Driver", L"Managed", bManaged ? nullptr : L"N");
}
