#include "Resources.h"

namespace {
HINSTANCE g_hResource = nullptr;
SIZE g_sizeScreenOverride = {0, 0};
} // namespace

HINSTANCE GetResourceInstance() {
    return g_hResource ? g_hResource : GetModuleHandleW(nullptr);
}

void SetResourceInstance(HINSTANCE hInstance) {
    g_hResource = hInstance;
}

HINSTANCE FindResourceModule(LPCWSTR pszName, LPCWSTR pszType) {
    HINSTANCE hSource = GetResourceInstance();
    if (FindResourceW(hSource, pszName, pszType))
        return hSource;
    return GetModuleHandleW(nullptr);
}

std::wstring LoadResString(UINT nID) {
    const wchar_t* psz = nullptr;
    // With a length of 0 LoadString hands back a pointer into the resource itself.
    int n = LoadStringW(GetResourceInstance(), nID, reinterpret_cast<LPWSTR>(&psz), 0);
    if (n <= 0 && GetResourceInstance() != GetModuleHandleW(nullptr))
        n = LoadStringW(GetModuleHandleW(nullptr), nID, reinterpret_cast<LPWSTR>(&psz), 0);
    if (n <= 0 || !psz)
        return std::wstring();
    return std::wstring(psz, static_cast<std::size_t>(n));
}

std::wstring FormatString1(const std::wstring& strFormat, const std::wstring& strArg) {
    std::wstring str;
    for (std::size_t i = 0; i < strFormat.size(); ++i) {
        if (strFormat[i] == L'%' && i + 1 < strFormat.size() && strFormat[i + 1] == L'1') {
            str += strArg;
            ++i;
        } else {
            str += strFormat[i];
        }
    }
    return str;
}

SIZE GetScreenSize() {
    if (g_sizeScreenOverride.cx > 0 && g_sizeScreenOverride.cy > 0)
        return g_sizeScreenOverride;
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void SetScreenSizeOverride(SIZE size) {
    g_sizeScreenOverride = size;
}
