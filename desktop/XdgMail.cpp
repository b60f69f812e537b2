// MAPI32.DLL of the Linux launcher: Simple MAPI's MAPISendMail handed to the desktop's
// "xdg-email", which opens the user's own mail program with the message and its attachments.
// Wine's built-in Simple MAPI opens a mailto: link instead, which carries no attachment. This
// library is used only through the Linux launcher's DLL override under Wine (it starts a program
// of the Linux side); it is never installed on Windows.
#include <windows.h>

#include <mapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "MailCommand.h"

// The Unicode records of MAPISendMailW: those of MapiMessage with wide strings.
struct MapiFileDescW {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    PWSTR lpszPathName;
    PWSTR lpszFileName;
    PVOID lpFileType;
};
struct MapiRecipDescW {
    ULONG ulReserved;
    ULONG ulRecipClass;
    PWSTR lpszName;
    PWSTR lpszAddress;
    ULONG ulEIDSize;
    PVOID lpEntryID;
};
struct MapiMessageW {
    ULONG ulReserved;
    PWSTR lpszSubject;
    PWSTR lpszNoteText;
    PWSTR lpszMessageType;
    PWSTR lpszDateReceived;
    PWSTR lpszConversationID;
    FLAGS flFlags;
    MapiRecipDescW* lpOriginator;
    ULONG nRecipCount;
    MapiRecipDescW* lpRecips;
    ULONG nFileCount;
    MapiFileDescW* lpFiles;
};

namespace {
// How long the mail program's starter may take before the mail counts as failed.
constexpr DWORD kXdgEmailTimeoutMs = 60000;
constexpr DWORD kPollMs = 20;

std::wstring Wide(const wchar_t* psz) {
    return psz ? psz : L"";
}

std::wstring Wide(const char* psz) {
    if (!psz || !*psz)
        return std::wstring();
    const int n = MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    std::wstring str(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_ACP, 0, psz, -1, str.data(), n);
    return str;
}

// The Linux path of a file, through Wine's own mapping of drives to folders; empty where there
// is no such mapping (not under Wine).
std::wstring UnixPathOf(const std::wstring& strPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto pfn = reinterpret_cast<ToUnix>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name"));
    char* psz = pfn ? pfn(strPath.c_str()) : nullptr;
    if (!psz)
        return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, psz, -1, nullptr, 0);
    std::wstring str(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        MultiByteToWideChar(CP_UTF8, 0, psz, -1, str.data(), n);
    HeapFree(GetProcessHeap(), 0, psz);
    return str;
}

template <class Message> CMailRequest RequestOf(const Message& msg) {
    CMailRequest request;
    request.strSubject = Wide(msg.lpszSubject);
    request.strBody = Wide(msg.lpszNoteText);
    for (ULONG i = 0; msg.lpRecips && i < msg.nRecipCount; ++i) {
        const auto& recip = msg.lpRecips[i];
        const std::wstring strAddress =
            Wide(recip.lpszAddress).empty() ? Wide(recip.lpszName) : Wide(recip.lpszAddress);
        request.recipients.push_back({recip.ulRecipClass, strAddress});
    }
    for (ULONG i = 0; msg.lpFiles && i < msg.nFileCount; ++i)
        request.attachments.push_back(
            {Wide(msg.lpFiles[i].lpszPathName), Wide(msg.lpFiles[i].lpszFileName)});
    return request;
}

// Runs xdg-email in the Linux shell and waits for it: a Linux program started from here cannot
// be waited for as a process, so the shell writes its exit code into strDone (a Windows path;
// strDoneUnix the same file's Linux path). Its exit code, or -1 when it did not end in time.
int RunXdgEmail(const std::vector<std::wstring>& args, const std::wstring& strDone,
                const std::wstring& strDoneUnix) {
    std::vector<std::wstring> line = {
        L"/bin/sh", L"-c", L"xdg-email \"$@\"; echo $? >\"$0.part\" && mv \"$0.part\" \"$0\"",
        strDoneUnix};
    line.insert(line.end(), args.begin(), args.end());
    std::wstring strCommand = CommandLineOf(line);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, strCommand.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &si, &pi))
        return -1;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    for (DWORD nWaited = 0; nWaited < kXdgEmailTimeoutMs; nWaited += kPollMs) {
        HANDLE h = CreateFileW(strDone.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            char sz[16] = {};
            DWORD nRead = 0;
            ReadFile(h, sz, sizeof(sz) - 1, &nRead, nullptr);
            CloseHandle(h);
            return nRead > 0 ? std::atoi(sz) : -1;
        }
        Sleep(kPollMs);
    }
    return -1;
}

ULONG SendMail(CMailRequest request) {
    // The mail program may read the attachments long after this call, and the caller deletes
    // its files as soon as it returns: xdg-email gets copies that stay.
    const std::wstring strFolder = NewMailFolder(MailFolderRoot());
    if (strFolder.empty())
        return MAPI_E_FAILURE;
    for (CMailAttachment& attachment : request.attachments) {
        const std::wstring strCopy = strFolder + L"\\" + AttachmentName(attachment);
        if (!CopyFileW(attachment.strPath.c_str(), strCopy.c_str(), TRUE))
            return MAPI_E_ATTACHMENT_NOT_FOUND;
        attachment.strPath = UnixPathOf(strCopy);
        if (attachment.strPath.empty())
            return MAPI_E_FAILURE;
    }
    const std::wstring strDone = strFolder + L"\\xdg-email.done";
    const std::wstring strDoneUnix = UnixPathOf(strFolder) + L"/xdg-email.done";
    return RunXdgEmail(XdgEmailArguments(request), strDone, strDoneUnix) == 0 ? SUCCESS_SUCCESS
                                                                              : MAPI_E_FAILURE;
}
// No exception leaves the library: a failure is the mail's failure.
template <class Message> ULONG SendMessageOf(const Message* lpMessage) {
    if (!lpMessage)
        return MAPI_E_FAILURE;
    try {
        return SendMail(RequestOf(*lpMessage));
    } catch (...) {
        return MAPI_E_FAILURE;
    }
}
} // namespace

// xdg-email always opens the user's mail program with the message to send: with or without
// MAPI_DIALOG the user sends it.
extern "C" ULONG WINAPI MAPISendMail(LHANDLE /*lhSession*/, ULONG_PTR /*ulUIParam*/,
                                     lpMapiMessage lpMessage, FLAGS /*flFlags*/,
                                     ULONG /*ulReserved*/) {
    return SendMessageOf(lpMessage);
}

extern "C" ULONG WINAPI MAPISendMailW(LHANDLE /*lhSession*/, ULONG_PTR /*ulUIParam*/,
                                      MapiMessageW* lpMessage, FLAGS /*flFlags*/,
                                      ULONG /*ulReserved*/) {
    return SendMessageOf(lpMessage);
}
