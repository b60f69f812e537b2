#include "MailSender.h"

#include "MapiRecords.h"

namespace {

// One call of MAPISendMail or MAPISendMailW with the strings of its character type.
template <class C>
ULONG CallSendMail(FARPROC pfn, HWND hwndOwner, std::basic_string<C> strSubject,
                   std::basic_string<C> strPath, std::basic_string<C> strFileName) {
    CMapiFileDesc<C*> file{0, 0, mapi::kNoPosition, strPath.data(), strFileName.data(), nullptr};
    CMapiMessage<C*> msg{};
    msg.lpszSubject = strSubject.data();
    msg.nFileCount = 1;
    msg.lpFiles = &file;
    return reinterpret_cast<SendMailFn>(pfn)(0, reinterpret_cast<ULONG_PTR>(hwndOwner), &msg,
                                             mapi::kLogonUI | mapi::kDialog, 0);
}

// The text in the ANSI code page, or false when a character cannot be spelled there.
bool ToAnsi(const std::wstring& str, std::string& strAnsi) {
    BOOL bLost = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, 0, str.c_str(), -1, nullptr, 0, nullptr, &bLost);
    if (n <= 0 || bLost)
        return false;
    strAnsi.assign(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, str.c_str(), -1, strAnsi.data(), n, nullptr, nullptr);
    strAnsi.resize(static_cast<size_t>(n - 1));
    return true;
}

} // namespace

CMailSender::CMailSender() : m_hLib(LoadLibraryW(L"MAPI32.DLL")) {
    if (m_hLib) {
        m_pfnSendA = GetProcAddress(m_hLib, "MAPISendMail");
        m_pfnSendW = GetProcAddress(m_hLib, "MAPISendMailW");
    }
}

CMailSender::~CMailSender() {
    if (m_hLib)
        FreeLibrary(m_hLib);
}

CMailSender::EResult CMailSender::Availability() const {
    if (!m_hLib)
        return EResult::NoLibrary;
    return m_pfnSendA || m_pfnSendW ? EResult::Sent : EResult::NoFunction;
}

ULONG CMailSender::CallClient(HWND hwndOwner, const std::wstring& strSubject,
                              const std::wstring& strPath, const std::wstring& strFileName) {
    if (m_pfnSendW)
        return CallSendMail<wchar_t>(m_pfnSendW, hwndOwner, strSubject, strPath, strFileName);
    std::string strP, strN, strS;
    if (!ToAnsi(strPath, strP)) {
        wchar_t szShort[MAX_PATH] = {};
        const DWORD n = GetShortPathNameW(strPath.c_str(), szShort, MAX_PATH);
        // Without a spelling the client cannot be told where the file is.
        if (n == 0 || n >= MAX_PATH || !ToAnsi(szShort, strP))
            return mapi::kFailure;
    }
    if (!ToAnsi(strFileName, strN) || !ToAnsi(strSubject, strS))
        return mapi::kFailure;
    return CallSendMail<char>(m_pfnSendA, hwndOwner, strS, strP, strN);
}

CMailSender::EResult CMailSender::Send(HWND hwndOwner, const std::wstring& strSubject,
                                       const std::wstring& strPath,
                                       const std::wstring& strFileName) {
    if (Availability() != EResult::Sent)
        return Availability();
    // The mail client's dialog is modal to the program: the owner stays disabled (a client may
    // enable it between its dialogs otherwise) and keeps the mouse until the call returns.
    HWND hwndTop = hwndOwner ? GetAncestor(hwndOwner, GA_ROOT) : nullptr;
    if (hwndTop) {
        EnableWindow(hwndTop, FALSE);
        SetCapture(hwndTop);
    }
    SetFocus(nullptr);
    const ULONG nResult = CallClient(hwndTop, strSubject, strPath, strFileName);
    if (hwndTop) {
        ReleaseCapture();
        EnableWindow(hwndTop, TRUE);
        SetActiveWindow(hwndTop);
        SetFocus(hwndTop);
    }
    // Cancel and a failed logon have been shown by the client already.
    return nResult == mapi::kSuccess || nResult == mapi::kUserAbort ||
                   nResult == mapi::kLoginFailure
               ? EResult::Sent
               : EResult::Failed;
}
