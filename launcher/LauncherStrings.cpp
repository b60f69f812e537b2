#include "LauncherStrings.h"

namespace {
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// Simplified script for the mainland, Singapore and the script-only "zh-Hans"; traditional for
// Taiwan, Hong Kong, Macao and "zh-Hant".
LANGID ChooseChinese(LANGID langUi) {
    switch (SUBLANGID(langUi)) {
    case SUBLANG_CHINESE_TRADITIONAL:
    case SUBLANG_CHINESE_HONGKONG:
    case SUBLANG_CHINESE_MACAU:
    case 0x1F: // the sub-language of "zh-Hant" (0x7C04)
        return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_TRADITIONAL);
    default:
        return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    }
}
} // namespace

LANGID ChooseStringLanguage(LANGID langUi) {
    switch (PRIMARYLANGID(langUi)) {
    case LANG_CHINESE:
        return ChooseChinese(langUi);
    case LANG_GERMAN:
        return MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    case LANG_FRENCH:
        return MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
    case LANG_ITALIAN:
        return MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN);
    case LANG_JAPANESE:
        return MAKELANGID(LANG_JAPANESE, SUBLANG_JAPANESE_JAPAN);
    case LANG_DUTCH:
        return MAKELANGID(LANG_DUTCH, SUBLANG_DUTCH);
    case LANG_POLISH:
        return MAKELANGID(LANG_POLISH, SUBLANG_POLISH_POLAND);
    case LANG_PORTUGUESE:
        return MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN);
    case LANG_SPANISH:
        return MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN);
    default:
        return kEnglish;
    }
}

std::wstring LoadLanguageString(HMODULE hModule, UINT nId, LANGID lang) {
    // A string table resource is a block of sixteen strings, each a length followed by that many
    // UTF-16 units without a terminator; block n holds the ids (n - 1) * 16 to n * 16 - 1.
    HRSRC hRes = FindResourceExW(hModule, RT_STRING, MAKEINTRESOURCEW(nId / 16 + 1), lang);
    if (!hRes)
        return {};
    HGLOBAL hData = LoadResource(hModule, hRes);
    const auto* pUnits = hData ? static_cast<const WCHAR*>(LockResource(hData)) : nullptr;
    if (!pUnits)
        return {};
    const size_t nUnits = SizeofResource(hModule, hRes) / sizeof(WCHAR);
    size_t nPos = 0;
    for (UINT nIndex = 0; nIndex < nId % 16; ++nIndex) {
        if (nPos >= nUnits)
            return {};
        nPos += 1 + pUnits[nPos];
    }
    if (nPos >= nUnits || nPos + 1 + pUnits[nPos] > nUnits)
        return {};
    return std::wstring(pUnits + nPos + 1, pUnits[nPos]);
}

std::wstring LoadUserString(HMODULE hModule, UINT nId) {
    std::wstring str =
        LoadLanguageString(hModule, nId, ChooseStringLanguage(GetUserDefaultUILanguage()));
    if (str.empty())
        str = LoadLanguageString(hModule, nId, kEnglish);
    return str;
}
