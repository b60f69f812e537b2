#include "ProgramFiles.h"

#include <windows.h>

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

void SetProgramTabletLibrary(const wchar_t* pszOrder) {
    SetProgramDllOrder(L"wintab32", pszOrder);
}

void SetProgramDllOrder(const wchar_t* pszDll, const wchar_t* pszOrder) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER,
                        L"Software\\Wine\\AppDefaults\\KVOmail.exe\\DllOverrides", 0, nullptr, 0,
                        KEY_SET_VALUE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return;
    if (pszOrder)
        RegSetValueExW(hKey, pszDll, 0, REG_SZ, reinterpret_cast<const BYTE*>(pszOrder),
                       DWORD((wcslen(pszOrder) + 1) * sizeof(wchar_t)));
    else
        RegDeleteValueW(hKey, pszDll);
    RegCloseKey(hKey);
}
