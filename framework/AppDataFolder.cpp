#include "AppDataFolder.h"

#include <windows.h>

#include <shlobj.h>

std::wstring LocalAppDataFolder() {
    wchar_t sz[MAX_PATH * 2] = {};
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", sz, DWORD(std::size(sz)));
    if (n > 0 && n < std::size(sz))
        return sz;
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, sz)))
        return sz;
    return std::wstring();
}
