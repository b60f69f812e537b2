#include "PointerBinding.h"

#include "Settings.h"

#include <string>

namespace {
template <class F> F Find(HMODULE hModule, const char* pszName) {
    return reinterpret_cast<F>(GetProcAddress(hModule, pszName));
}

// The stand-in library that the environment names, or null.
HMODULE LoadStandIn() {
    wchar_t szName[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"QUILLET_POINTER_STANDIN", szName, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return nullptr;
    const std::wstring strName(szName, n);
    if (strName.find_first_of(L"\\/:") != std::wstring::npos)
        return nullptr;
    return LoadLibraryW((settings::GetModuleDir() + L"\\" + strName).c_str());
}
} // namespace

void BindPointerApi(CPointerApi& api, HMODULE hModule) {
    api = CPointerApi{};
    if (!hModule)
        return;
    CPointerApi found;
    found.GetPointerType = Find<PFNGETPOINTERTYPE>(hModule, "GetPointerType");
    found.GetPointerPenInfo = Find<PFNGETPOINTERPENINFO>(hModule, "GetPointerPenInfo");
    found.GetPointerPenInfoHistory =
        Find<PFNGETPOINTERPENINFOHISTORY>(hModule, "GetPointerPenInfoHistory");
    found.GetPointerDevices = Find<PFNGETPOINTERDEVICES>(hModule, "GetPointerDevices");
    if (found.IsBound())
        api = found;
}

void BindPointerApi() {
    HMODULE hModule = LoadStandIn();
    BindPointerApi(PointerApi(), hModule ? hModule : GetModuleHandleW(L"user32.dll"));
}
