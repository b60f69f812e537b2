#include "Wintab.h"

#include "TabletPressure.h"

namespace {
template <class F> bool Bind(HMODULE hModule, const char* pszName, F& pfn) {
    pfn = reinterpret_cast<F>(GetProcAddress(hModule, pszName));
    return pfn != nullptr;
}
} // namespace

int LoadWintab(CWintabApi& api, bool bBind, const wchar_t* pszLibrary) {
    api = CWintabApi{};
    api.m_hWintab = LoadLibraryW(pszLibrary);
    if (reinterpret_cast<ULONG_PTR>(api.m_hWintab) <= 32) {
        api.m_hWintab = nullptr;
        return 0;
    }
    if (!bBind) {
        FreeLibrary(api.m_hWintab);
        api.m_hWintab = nullptr;
        return 1;
    }
    const HMODULE h = api.m_hWintab;
    // Every lookup runs (no short-circuit) so that the members show exactly what the library has.
    bool bAll = Bind(h, "WTInfoA", api.WTInfoA);
    bAll &= Bind(h, "WTOverlap", api.WTOverlap);
    bAll &= Bind(h, "WTPacketsGet", api.WTPacketsGet);
    bAll &= Bind(h, "WTGetA", api.WTGetA);
    bAll &= Bind(h, "WTOpenA", api.WTOpenA);
    bAll &= Bind(h, "WTClose", api.WTClose);
    bAll &= Bind(h, "WTQueueSizeSet", api.WTQueueSizeSet);
    bAll &= Bind(h, "WTEnable", api.WTEnable);
    api.m_bWintab = bAll ? TRUE : FALSE;
    return 1;
}

int LoadWintab(bool bBind) {
    const int nResult = LoadWintab(Wintab(), bBind);
    // Strokes take the pressure range of the tablet present when they are made or loaded.
    SetPressureAxisSource([]() -> std::optional<int> {
        const CWintabApi& wt = Wintab();
        AXIS ax{};
        if (wt.m_bWintab && wt.WTInfoA(WTI_DEVICES, DVC_NPRESSURE, &ax) >= sizeof(LONG) * 2)
            return int(ax.axMax);
        return std::nullopt;
    });
    return nResult;
}
