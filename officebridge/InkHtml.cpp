#include "InkHtml.h"

#include "BridgeState.h"
#include "InkClipboard.h"

#include <cstdio>
#include <cstring>

namespace {

using CreateAttachmentFn = BOOL(WINAPI*)(HDC, HBITMAP, LPCWSTR, int, COLORREF, COLORREF);

constexpr int kFormatGif = 0;
constexpr COLORREF kWhite = 0x00FFFFFF;

constexpr char kHeader[] = "Version:0.9\r\n"
                           "StartHTML:00000000\r\n"
                           "EndHTML:00000000\r\n"
                           "StartFragment:00000000\r\n"
                           "EndFragment:00000000\r\n"
                           "<html><body>\r\n"
                           "<!--StartFragment -->\r\n";
constexpr char kTrailer[] = "<!--EndFragment-->\r\n</body>\r\n</html>";
static_assert(sizeof(kHeader) - 1 == 134);

// Writes a value as eight digits over the zeros that follow "Key:" in the text.
void PutOffset(std::string& strText, const char* pszKey, std::size_t nValue) {
    const std::size_t nAt = strText.find(pszKey) + std::strlen(pszKey);
    char szDigits[16];
    std::snprintf(szDigits, sizeof(szDigits), "%08u", static_cast<unsigned>(nValue));
    strText.replace(nAt, 8, szDigits, 8);
}

// Creates a new empty "aan" file in the user's temporary folder and names it in g_szTempFile. The
// folder is read in UTF-16, so a user name outside the ANSI code page still gets its file.
bool CreateTempImageFile() {
    g_szTempFile[0] = L'\0';
    wchar_t szDir[MAX_PATH];
    const DWORD nDir = GetTempPathW(MAX_PATH, szDir);
    // GetTempFileNameW needs room for the 14 characters of the file name behind the folder.
    if (nDir == 0 || nDir > MAX_PATH - 14)
        return false;
    wchar_t szFile[MAX_PATH];
    if (!GetTempFileNameW(szDir, L"aan", 0, szFile))
        return false;
    lstrcpynW(g_szTempFile, szFile, MAX_PATH);
    return true;
}

// The path as UTF-8, the encoding of the "HTML Format" text ("" if it cannot be converted).
std::string Utf8Of(const wchar_t* pszPath) {
    const int nBytes = WideCharToMultiByte(CP_UTF8, 0, pszPath, -1, nullptr, 0, nullptr, nullptr);
    if (nBytes <= 1)
        return "";
    std::string strPath(static_cast<std::size_t>(nBytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, pszPath, -1, strPath.data(), nBytes, nullptr, nullptr);
    strPath.resize(static_cast<std::size_t>(nBytes - 1));
    return strPath;
}

// Writes the ink as a GIF into g_szTempFile through kvofunc.dll.
bool WriteInkImage(HDC hdc, HBITMAP hbm) {
    HMODULE hLib = LoadLibraryA("Kvofunc.DLL");
    if (reinterpret_cast<UINT_PTR>(hLib) <= 32)
        return false;
    bool bWritten = false;
    auto pfn = reinterpret_cast<CreateAttachmentFn>(GetProcAddress(hLib, "CreateAttachmentW"));
    if (pfn)
        bWritten = pfn(hdc, hbm, g_szTempFile, kFormatGif, kWhite, kWhite) != FALSE;
    FreeLibrary(hLib);
    return bWritten;
}

// Copies the text with its terminating zero into movable, shareable global memory.
HGLOBAL CopyToGlobal(const std::string& strText) {
    HGLOBAL hMem = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, strText.size() + 4);
    if (!hMem)
        return nullptr;
    void* p = GlobalLock(hMem);
    if (!p) {
        GlobalFree(hMem);
        return nullptr;
    }
    std::memcpy(p, strText.c_str(), strText.size() + 1);
    GlobalUnlock(hMem);
    return hMem;
}

// Announces (or hands over) the text; false when the clipboard or the memory was not available.
bool OfferHtmlText(HWND hwndOwner, const std::string& strText, bool bDelayed) {
    if (!OpenClipboard(hwndOwner))
        return false;
    bool bOffered = false;
    if (HGLOBAL hMem = CopyToGlobal(strText)) {
        g_hPendingHtml = hMem;
        if (bDelayed) {
            SetClipboardData(g_cfHtml, nullptr);
            bOffered = true;
        } else {
            HandOverPending(g_cfHtml, g_hPendingHtml);
            bOffered = g_hPendingHtml == nullptr;
            if (!bOffered) {
                GlobalFree(g_hPendingHtml);
                g_hPendingHtml = nullptr;
            }
        }
    }
    CloseClipboard();
    return bOffered;
}

} // namespace

std::string BuildHtmlFragment(const char* pszPath) {
    std::string strFragment = "<IMG SRC=\"";
    strFragment += pszPath;
    strFragment += "\">";
    return strFragment;
}

std::string BuildHtmlClipText(const std::string& strFragment) {
    std::string strText = kHeader;
    strText += strFragment;
    strText += "\r\n";
    const std::size_t nEndFragment = strText.size();
    strText += kTrailer;
    PutOffset(strText, "StartHTML:", strText.find("<html>"));
    PutOffset(strText, "EndHTML:", strText.size());
    PutOffset(strText, "StartFragment:", strText.find("<!--StartFragment -->"));
    PutOffset(strText, "EndFragment:", nEndFragment);
    return strText;
}

bool OfferInkHtml(HWND hwndOwner, HDC hdc, HBITMAP hbm, bool bDelayed) {
    // The text of an earlier insertion is replaced now; its file can go with it.
    DiscardPendingHtml();
    if (!CreateTempImageFile())
        return false;
    bool bOffered = false;
    if (WriteInkImage(hdc, hbm)) {
        if (!g_cfHtml)
            g_cfHtml = RegisterClipboardFormatA("HTML Format");
        const std::string strPath = Utf8Of(g_szTempFile);
        if (g_cfHtml && !strPath.empty())
            bOffered = OfferHtmlText(
                hwndOwner, BuildHtmlClipText(BuildHtmlFragment(strPath.c_str())), bDelayed);
    }
    // Nothing names the file unless the text was offered.
    if (!bOffered)
        DeleteFileW(g_szTempFile);
    return bOffered;
}
