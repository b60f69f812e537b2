#include "UnixPath.h"

#include <windows.h>

std::string UnixPath(const std::wstring& strPath) {
    using Fn = char*(CDECL*)(LPCWSTR);
    auto pfn = reinterpret_cast<Fn>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    char* psz = pfn ? pfn(strPath.c_str()) : nullptr;
    std::string str = psz ? psz : "";
    if (psz)
        HeapFree(GetProcessHeap(), 0, psz);
    return str;
}
