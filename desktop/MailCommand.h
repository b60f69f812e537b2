// The mail that Simple MAPI hands over, and the "xdg-email" command line that opens it in the
// user's mail program. Kept apart from the library's export so that it can be checked alone.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct CMailRecipient {
    ULONG nClass; // MAPI_ORIG 0, MAPI_TO 1, MAPI_CC 2, MAPI_BCC 3
    std::wstring strAddress;
};

struct CMailAttachment {
    std::wstring strPath; // the file
    std::wstring strName; // the name the recipient sees; empty: the file's own name
};

struct CMailRequest {
    std::wstring strSubject;
    std::wstring strBody;
    std::vector<CMailRecipient> recipients;
    std::vector<CMailAttachment> attachments;
};

// The name an attachment is sent under: its given name, else its file's name, without any folder
// part and with the characters a file name cannot hold replaced by "_".
std::wstring AttachmentName(const CMailAttachment& attachment);

// The arguments of "xdg-email": --utf8 [--subject S] [--body B] [--cc A]... [--bcc A]...
// [--attach F]... [A]... The attachments' paths must be the Linux paths by now; "SMTP:" before an
// address is dropped.
std::vector<std::wstring> XdgEmailArguments(const CMailRequest& request);

// The arguments as one command line, each quoted so that the usual splitting gives it back.
std::wstring CommandLineOf(const std::vector<std::wstring>& args);

// "<local application data>\Quillet\Mail": where the attachments handed to the mail program are
// kept.
std::wstring MailFolderRoot();
// A new folder of its own under strRoot for one mail's attachments, after removing those older
// than seven days; empty when it cannot be made.
std::wstring NewMailFolder(const std::wstring& strRoot);
