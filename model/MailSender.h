// Sending a file through the system's Simple MAPI mail client (MAPI32.DLL): the mail client's own
// compose dialog shows a new message with the file attached; the program never addresses or
// sends mail itself. The Unicode call is used where the mail system offers it, so that any path
// reaches the client; otherwise the ANSI call, with the short form of a path the ANSI code page
// cannot spell.
#pragma once
#include <windows.h>

#include <string>

class CMailSender {
public:
    enum class EResult { Sent, NoLibrary, NoFunction, Failed };

    // Loads the mail library; Unavailable() tells why it cannot be used.
    CMailSender();
    ~CMailSender();
    CMailSender(const CMailSender&) = delete;
    CMailSender& operator=(const CMailSender&) = delete;
    // NoLibrary, NoFunction, or Sent when the library can be called.
    EResult Availability() const;

    // Shows the compose dialog for a message with strSubject and one attachment strPath named
    // strFileName, owned by hwndOwner (disabled while the client runs). Sent also when the user
    // cancels or cannot log on (the client has told the user itself); Failed for other errors.
    EResult Send(HWND hwndOwner, const std::wstring& strSubject, const std::wstring& strPath,
                 const std::wstring& strFileName);

private:
    ULONG CallClient(HWND hwndOwner, const std::wstring& strSubject, const std::wstring& strPath,
                     const std::wstring& strFileName);

    HMODULE m_hLib = nullptr;
    FARPROC m_pfnSendA = nullptr;
    FARPROC m_pfnSendW = nullptr;
};
