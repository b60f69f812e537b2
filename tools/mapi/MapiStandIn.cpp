// A stand-in for the system's Simple MAPI library (MAPI32.DLL), for tests only: it records each
// MAPISendMail (or MAPISendMailW) call in a text file, copies the attachment beside it, and
// answers with the result code that the test asks for. It is as strict as a mail client about
// what it is handed: a reserved value, a missing message or an attachment file that cannot be
// read is refused as the real one refuses it.
//
// The folder for the records is QUILLET_MAPI_FOLDER (read at each call). There the stand-in
// reads "result.txt" (a decimal result code, 0 when missing) and writes, for call n (from 1),
// "call<n>.txt" and "call<n>-attachment<k>.bin". Beside the call's fields the record tells what
// the calling program showed while its mail client ran ("windows": the classes of its visible
// top-level windows, minimised ones marked) and how many tablet contexts it held open then
// ("tablet", asked of the tablet library it has loaded).
#include <windows.h>

#include <cstdio>
#include <string>

#include "MapiRecords.h"

namespace {

using MapiMessageA = CMapiMessage<LPSTR>;
using MapiMessageW = CMapiMessage<PWSTR>;

std::wstring Folder() {
    wchar_t sz[MAX_PATH] = {};
    GetEnvironmentVariableW(L"QUILLET_MAPI_FOLDER", sz, MAX_PATH);
    return sz;
}

std::wstring Wide(LPCSTR psz) {
    if (!psz)
        return L"(null)";
    wchar_t sz[1024] = {};
    MultiByteToWideChar(CP_ACP, 0, psz, -1, sz, 1024);
    return sz;
}
std::wstring Wide(PCWSTR psz) {
    return psz ? psz : L"(null)";
}

BOOL CALLBACK AddShownWindow(HWND hwnd, LPARAM lParam) {
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hwnd, &dwProcess);
    if (dwProcess != GetCurrentProcessId() || !IsWindowVisible(hwnd))
        return TRUE;
    wchar_t szClass[64] = {};
    GetClassNameW(hwnd, szClass, 64);
    auto& strList = *reinterpret_cast<std::wstring*>(lParam);
    strList += std::wstring(strList.empty() ? L"" : L" ") + szClass +
               (IsIconic(hwnd) ? L"(minimised)" : L"");
    return TRUE;
}

std::wstring ShownWindows() {
    std::wstring strList;
    EnumWindows(AddShownWindow, reinterpret_cast<LPARAM>(&strList));
    return strList;
}

// The open contexts of the tablet library in this process (Wintab's status category), or
// "none" without one.
std::wstring TabletContexts() {
    using WTInfoFn = UINT(WINAPI*)(UINT, UINT, LPVOID);
    constexpr UINT kStatus = 2, kContexts = 1;
    HMODULE hWintab = GetModuleHandleW(L"wintab32.dll");
    auto pfn = hWintab ? reinterpret_cast<WTInfoFn>(GetProcAddress(hWintab, "WTInfoA")) : nullptr;
    UINT nContexts = 0;
    if (!pfn || pfn(kStatus, kContexts, &nContexts) != sizeof nContexts)
        return L"none";
    return std::to_wstring(nContexts);
}

ULONG RequestedResult(const std::wstring& strFolder) {
    char sz[32] = {};
    FILE* f = _wfopen((strFolder + L"\\result.txt").c_str(), L"rb");
    if (!f)
        return 0;
    const size_t n = fread(sz, 1, sizeof(sz) - 1, f);
    fclose(f);
    sz[n] = 0;
    return strtoul(sz, nullptr, 10);
}

int NextCall(const std::wstring& strFolder) {
    int n = 1;
    while (GetFileAttributesW((strFolder + L"\\call" + std::to_wstring(n) + L".txt").c_str()) !=
           INVALID_FILE_ATTRIBUTES)
        ++n;
    return n;
}

template <class M>
ULONG Send(const wchar_t* pszKind, ULONG_PTR lhSession, ULONG_PTR ulUIParam, const M* pMessage,
           ULONG flFlags, ULONG ulReserved) {
    const std::wstring strFolder = Folder();
    if (strFolder.empty() || ulReserved != 0 || !pMessage ||
        (pMessage->nFileCount > 0 && !pMessage->lpFiles))
        return mapi::kFailure;
    const int nCall = NextCall(strFolder);
    const std::wstring strBase = strFolder + L"\\call" + std::to_wstring(nCall);
    std::wstring strRecord =
        L"kind=" + std::wstring(pszKind) + L"\nsession=" + std::to_wstring(lhSession) +
        L"\nwindow=" + (IsWindow(reinterpret_cast<HWND>(ulUIParam)) ? L"yes" : L"no") +
        L"\nflags=" + std::to_wstring(flFlags) + L"\nsubject=" + Wide(pMessage->lpszSubject) +
        L"\nnote=" + Wide(pMessage->lpszNoteText) + L"\ntype=" + Wide(pMessage->lpszMessageType) +
        L"\noriginator=" + (pMessage->lpOriginator ? L"set" : L"none") + L"\nrecipients=" +
        std::to_wstring(pMessage->nRecipCount) + L"\nfiles=" +
        std::to_wstring(pMessage->nFileCount) + L"\nwindows=" + ShownWindows() + L"\ntablet=" +
        TabletContexts() + L"\n";
    ULONG nResult = RequestedResult(strFolder);
    for (ULONG i = 0; i < pMessage->nFileCount; ++i) {
        const auto& file = pMessage->lpFiles[i];
        const std::wstring strPath = Wide(file.lpszPathName);
        strRecord += L"position=" + std::to_wstring(file.nPosition) + L"\npath=" + strPath +
                     L"\nname=" + Wide(file.lpszFileName) + L"\n";
        // A mail client reads the attachment during the call; one it cannot read fails the call.
        if (!CopyFileW(strPath.c_str(),
                       (strBase + L"-attachment" + std::to_wstring(i + 1) + L".bin").c_str(),
                       FALSE))
            nResult = mapi::kAttachmentNotFound;
    }
    strRecord += L"result=" + std::to_wstring(nResult) + L"\n";
    FILE* f = _wfopen((strBase + L".txt").c_str(), L"wb");
    if (f) {
        // UTF-8, so that a test reads every path as it was.
        char sz[8192] = {};
        const int n = WideCharToMultiByte(CP_UTF8, 0, strRecord.c_str(), -1, sz, sizeof(sz),
                                          nullptr, nullptr);
        fwrite(sz, 1, n > 0 ? n - 1 : 0, f);
        fclose(f);
    }
    return nResult;
}

} // namespace

extern "C" ULONG WINAPI MAPISendMail(ULONG_PTR lhSession, ULONG_PTR ulUIParam, void* lpMessage,
                                     ULONG flFlags, ULONG ulReserved) {
    return Send(L"ansi", lhSession, ulUIParam, static_cast<const MapiMessageA*>(lpMessage), flFlags,
                ulReserved);
}

extern "C" ULONG WINAPI MAPISendMailW(ULONG_PTR lhSession, ULONG_PTR ulUIParam, void* lpMessage,
                                      ULONG flFlags, ULONG ulReserved) {
    return Send(L"unicode", lhSession, ulUIParam, static_cast<const MapiMessageW*>(lpMessage),
                flFlags, ulReserved);
}
