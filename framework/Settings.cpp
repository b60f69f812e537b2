#include "Settings.h"

namespace settings {

namespace {
std::wstring g_strFolderOverride;

constexpr COLORREF kDefaultBlocks[kColorBlocks] = {
    255, 65280, 16711680, 65535, 16711935, 0, 4194432, 2129952, 8388672, 32896, 8388736, 8421504};

COLORREF ReadColor(const wchar_t* pszKey, COLORREF crDefault) {
    int n = ReadInt(L"COLOR", pszKey, static_cast<int>(crDefault));
    return SafeColor(n, crDefault);
}

std::wstring BlockKey(int nIndex) {
    wchar_t sz[32];
    wsprintfW(sz, L"COLORBLOCK%d", nIndex);
    return sz;
}
} // namespace

std::wstring GetModuleDir() {
    wchar_t sz[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameW(nullptr, sz, static_cast<DWORD>(std::size(sz)));
    std::wstring str(sz, n);
    std::wstring::size_type nSlash = str.find_last_of(L'\\');
    return nSlash == std::wstring::npos ? std::wstring() : str.substr(0, nSlash);
}

std::wstring GetSettingsPath() {
    return (g_strFolderOverride.empty() ? GetModuleDir() : g_strFolderOverride) + L"\\ZLNKVO.ini";
}

void SetFolderOverride(const std::wstring& strFolder) {
    g_strFolderOverride = strFolder;
}

int ReadInt(const wchar_t* pszSection, const wchar_t* pszKey, int nDefault) {
    return static_cast<int>(
        GetPrivateProfileIntW(pszSection, pszKey, nDefault, GetSettingsPath().c_str()));
}

std::wstring ReadString(const wchar_t* pszSection, const wchar_t* pszKey, int nMaxLength) {
    wchar_t sz[256] = {};
    int nSize = nMaxLength + 1 < 256 ? nMaxLength + 1 : 256;
    DWORD n = GetPrivateProfileStringW(pszSection, pszKey, L"", sz, static_cast<DWORD>(nSize),
                                       GetSettingsPath().c_str());
    return std::wstring(sz, n);
}

bool WriteInt(const wchar_t* pszSection, const wchar_t* pszKey, int nValue) {
    wchar_t sz[16];
    wsprintfW(sz, L"%d", nValue);
    return WriteString(pszSection, pszKey, sz);
}

bool WriteString(const wchar_t* pszSection, const wchar_t* pszKey, const std::wstring& strValue) {
    return WritePrivateProfileStringW(pszSection, pszKey, strValue.c_str(),
                                      GetSettingsPath().c_str()) != FALSE;
}

COLORREF SafeColor(long long nValue, COLORREF crDefault) {
    if (nValue < 0 || nValue > 0xFFFFFF)
        return crDefault;
    return static_cast<COLORREF>(nValue);
}

int SafeLineHeight(long long nValue) {
    if (nValue <= 0)
        return kDefaultLineHeight;
    if (nValue < kMinLineHeight)
        return kMinLineHeight;
    if (nValue > kMaxLineHeight)
        return kMaxLineHeight;
    return static_cast<int>(nValue);
}

int ReadAboutLogo() {
    return ReadInt(L"SETTING", L"ZELNARLOGO", 0);
}

bool ReadMousePen() {
    return ReadInt(L"SETTING", L"MOUSEPEN", 1) != 0;
}

PenInput ReadPenInput() {
    const std::wstring str = ReadString(L"SETTING", L"PENINPUT", 16);
    if (lstrcmpiW(str.c_str(), L"INK") == 0)
        return PenInput::Ink;
    if (lstrcmpiW(str.c_str(), L"MOUSE") == 0)
        return PenInput::Mouse;
    return PenInput::Wintab;
}

std::wstring ReadUINew() {
    return ReadString(L"UI", L"New", kMaxStringLength);
}

COLORREF ReadPenColor() {
    return ReadColor(L"PENCOLOR", kDefaultPenColor);
}

COLORREF ReadBackColor() {
    return ReadColor(L"BKCOLOR", kDefaultBackColor);
}

COLORREF ReadLineColor() {
    return ReadColor(L"LINECOLOR", kDefaultLineColor);
}

COLORREF DefaultColorBlock(int nIndex) {
    if (nIndex < 0 || nIndex >= kColorBlocks)
        return 0;
    return kDefaultBlocks[nIndex];
}

COLORREF ReadColorBlock(int nIndex) {
    return ReadColor(BlockKey(nIndex).c_str(), DefaultColorBlock(nIndex));
}

int ReadLineHeight() {
    return SafeLineHeight(ReadInt(L"LineHeight", L"LINEHEIGHT", kDefaultLineHeight));
}

std::wstring ReadRecordDate() {
    return ReadString(L"Record", L"Date", kMaxStringLength);
}

bool WriteRecordDate(const std::wstring& strDate) {
    return WriteString(L"Record", L"Date", strDate);
}

bool WritePanelSettings(const CPanelSettings& panel) {
    bool bOk = WriteInt(L"COLOR", L"PENCOLOR", static_cast<int>(panel.crPen));
    bOk = WriteInt(L"COLOR", L"BKCOLOR", static_cast<int>(panel.crBack)) && bOk;
    bOk = WriteInt(L"COLOR", L"LINECOLOR", static_cast<int>(panel.crLine)) && bOk;
    for (int i = 0; i < kColorBlocks; ++i)
        bOk = WriteInt(L"COLOR", BlockKey(i).c_str(), static_cast<int>(panel.crBlocks[i])) && bOk;
    bOk = WriteInt(L"LineHeight", L"LINEHEIGHT", panel.nLineHeight) && bOk;
    return bOk;
}

} // namespace settings
