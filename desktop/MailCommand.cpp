#include "MailCommand.h"

#include <mapi.h>
#include <shlobj.h>

#include <cwchar>

#include "AppDataFolder.h"

namespace {
constexpr ULONGLONG kKeepTicks = 7ULL * 24 * 60 * 60 * 10'000'000;

// One argument as the command line's splitting gives it back: quoted when it is empty or holds
// a blank or a quote, with the backslashes before a quote (and at the end) doubled.
std::wstring Quoted(const std::wstring& strArg) {
    if (!strArg.empty() && strArg.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return strArg;
    std::wstring str = L"\"";
    std::size_t nBackslashes = 0;
    for (wchar_t ch : strArg) {
        if (ch == L'\\') {
            ++nBackslashes;
            continue;
        }
        str.append(ch == L'"' ? 2 * nBackslashes + 1 : nBackslashes, L'\\');
        nBackslashes = 0;
        str += ch;
    }
    str.append(2 * nBackslashes, L'\\');
    return str + L"\"";
}

std::wstring WithoutSmtp(const std::wstring& strAddress) {
    if (strAddress.size() > 5 && _wcsnicmp(strAddress.c_str(), L"SMTP:", 5) == 0)
        return strAddress.substr(5);
    return strAddress;
}

ULONGLONG Ticks(const FILETIME& ft) {
    return (ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

void RemoveFolder(const std::wstring& strFolder) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((strFolder + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((strFolder + L"\\" + fd.cFileName).c_str());
        while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(strFolder.c_str());
}

void RemoveOldFolders(const std::wstring& strRoot) {
    FILETIME ftNow{};
    GetSystemTimeAsFileTime(&ftNow);
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((strRoot + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring strName = fd.cFileName;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && strName != L"." &&
            strName != L".." && Ticks(ftNow) > Ticks(fd.ftCreationTime) + kKeepTicks)
            RemoveFolder(strRoot + L"\\" + strName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}
} // namespace

std::wstring AttachmentName(const CMailAttachment& attachment) {
    std::wstring str = attachment.strName.empty() ? attachment.strPath : attachment.strName;
    str = str.substr(str.find_last_of(L"\\/") + 1);
    for (wchar_t& ch : str)
        if (ch < 32 || std::wcschr(L"<>:\"|?*", ch))
            ch = L'_';
    return str.empty() || str == L"." || str == L".." ? std::wstring(L"attachment") : str;
}

std::vector<std::wstring> XdgEmailArguments(const CMailRequest& request) {
    std::vector<std::wstring> args = {L"--utf8"};
    const auto add = [&args](const wchar_t* pszOption, const std::wstring& strValue) {
        args.push_back(pszOption);
        args.push_back(strValue);
    };
    if (!request.strSubject.empty())
        add(L"--subject", request.strSubject);
    if (!request.strBody.empty())
        add(L"--body", request.strBody);
    for (const CMailRecipient& recip : request.recipients) {
        if (recip.nClass == MAPI_CC)
            add(L"--cc", WithoutSmtp(recip.strAddress));
        else if (recip.nClass == MAPI_BCC)
            add(L"--bcc", WithoutSmtp(recip.strAddress));
    }
    for (const CMailAttachment& attachment : request.attachments)
        add(L"--attach", attachment.strPath);
    for (const CMailRecipient& recip : request.recipients)
        if (recip.nClass == MAPI_TO)
            args.push_back(WithoutSmtp(recip.strAddress));
    return args;
}

std::wstring CommandLineOf(const std::vector<std::wstring>& args) {
    std::wstring str;
    for (const std::wstring& strArg : args)
        str += (str.empty() ? L"" : L" ") + Quoted(strArg);
    return str;
}

std::wstring MailFolderRoot() {
    const std::wstring strBase = LocalAppDataFolder();
    return strBase.empty() ? strBase : strBase + L"\\Quillet\\Mail";
}

std::wstring NewMailFolder(const std::wstring& strRoot) {
    if (strRoot.empty())
        return strRoot;
    SHCreateDirectoryExW(nullptr, strRoot.c_str(), nullptr);
    RemoveOldFolders(strRoot);
    const std::wstring strBase = strRoot + L"\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount64());
    for (int n = 0; n < 100; ++n) {
        const std::wstring str = n == 0 ? strBase : strBase + L"-" + std::to_wstring(n);
        if (CreateDirectoryW(str.c_str(), nullptr))
            return str;
    }
    return std::wstring();
}
