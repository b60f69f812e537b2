// The published Simple MAPI records that MAPISendMail and MAPISendMailW take, in their ANSI and
// Unicode forms, and the result codes the program tells apart.
#pragma once
#include <windows.h>

template <class S> struct CMapiFileDesc {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    S lpszPathName;
    S lpszFileName;
    LPVOID lpFileType;
};

template <class S> struct CMapiMessage {
    ULONG ulReserved;
    S lpszSubject;
    S lpszNoteText;
    S lpszMessageType;
    S lpszDateReceived;
    S lpszConversationID;
    ULONG flFlags;
    LPVOID lpOriginator;
    ULONG nRecipCount;
    LPVOID lpRecips;
    ULONG nFileCount;
    CMapiFileDesc<S>* lpFiles;
};

// MAPISendMail(session, owner window, message, flags, reserved) and its Unicode twin.
using SendMailFn = ULONG(WINAPI*)(ULONG_PTR, ULONG_PTR, void*, ULONG, ULONG);

namespace mapi {
constexpr ULONG kSuccess = 0;
constexpr ULONG kUserAbort = 1;
constexpr ULONG kFailure = 2;
constexpr ULONG kLoginFailure = 3;
constexpr ULONG kAttachmentNotFound = 11;
constexpr ULONG kLogonUI = 0x1;
constexpr ULONG kDialog = 0x8;
// A file that has no place in the message's body text.
constexpr ULONG kNoPosition = 0xFFFFFFFF;
} // namespace mapi
