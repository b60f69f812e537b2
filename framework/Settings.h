// The settings file "ZLNKVO.ini" in the program's folder. Every value is read from the file at
// each access (nothing is cached) and written as decimal text. Values that could harm the
// program are replaced on reading:
//  - a colour outside 0 to 0xFFFFFF reads as the key's default;
//  - a line height of 0 or below reads as the default 90, one below 10 as 10 and one above
//    kMaxLineHeight as kMaxLineHeight, so that ruling always ends and always shows;
//  - strings are cut to their documented length (15 characters).
#pragma once
#include <windows.h>

#include <string>

namespace settings {

constexpr COLORREF kDefaultPenColor = 8388608;   // RGB 0, 0, 128
constexpr COLORREF kDefaultBackColor = 13427429; // RGB 229, 226, 204
constexpr COLORREF kDefaultLineColor = 11321541; // RGB 197, 192, 172
constexpr int kDefaultLineHeight = 90;
constexpr int kMinLineHeight = 10;
constexpr int kMaxLineHeight = 6144;
constexpr int kColorBlocks = 12;
constexpr int kMaxStringLength = 15;

// The folder of the program file, without a trailing backslash.
std::wstring GetModuleDir();
// GetModuleDir() + "\ZLNKVO.ini".
std::wstring GetSettingsPath();
// Tests keep their settings file in a folder of their own; empty restores the program's folder.
void SetFolderOverride(const std::wstring& strFolder);

// Raw access, with the file's own parse and the given default.
int ReadInt(const wchar_t* pszSection, const wchar_t* pszKey, int nDefault);
std::wstring ReadString(const wchar_t* pszSection, const wchar_t* pszKey, int nMaxLength);
bool WriteInt(const wchar_t* pszSection, const wchar_t* pszKey, int nValue);
bool WriteString(const wchar_t* pszSection, const wchar_t* pszKey, const std::wstring& strValue);

// The keys, each with its default and safety rule.
int ReadAboutLogo(); // SETTING / ZELNARLOGO, default 0
bool ReadMousePen(); // SETTING / MOUSEPEN, on unless 0
// SETTING / PENINPUT: which pen input is tried first. WINTAB (the default) a Wintab tablet, then a
// Windows Ink pen; INK the other way round; MOUSE neither, the mouse pen alone. Any other value,
// in any letter case, reads as WINTAB.
enum class PenInput { Wintab, Ink, Mouse };
PenInput ReadPenInput();
std::wstring ReadUINew();            // UI / New, default empty
COLORREF ReadPenColor();             // COLOR / PENCOLOR
COLORREF ReadBackColor();            // COLOR / BKCOLOR
COLORREF ReadLineColor();            // COLOR / LINECOLOR
COLORREF ReadColorBlock(int nIndex); // COLOR / COLORBLOCK0 .. COLORBLOCK11
COLORREF DefaultColorBlock(int nIndex);
int ReadLineHeight();          // LineHeight / LINEHEIGHT
std::wstring ReadRecordDate(); // Record / Date, default empty
bool WriteRecordDate(const std::wstring& strDate);

// What the colour panel stores at program end, in its order.
struct CPanelSettings {
    COLORREF crPen = kDefaultPenColor;
    COLORREF crBack = kDefaultBackColor;
    COLORREF crLine = kDefaultLineColor;
    COLORREF crBlocks[kColorBlocks] = {};
    int nLineHeight = kDefaultLineHeight;
};
bool WritePanelSettings(const CPanelSettings& panel);

// The safety rules on their own, for values from other sources.
COLORREF SafeColor(long long nValue, COLORREF crDefault);
int SafeLineHeight(long long nValue);

} // namespace settings
