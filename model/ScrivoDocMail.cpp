// Sending the note by e-mail: the page as a JPEG picture in a temporary file, attached to a new
// message of the system's mail client.
#include "ScrivoDoc.h"

#include "FrameWnd.h"
#include "MailSender.h"
#include "Message.h"
#include "Resources.h"
#include "WaitCursor.h"

namespace {

// Sets a flag for the life of the object and clears it on every way out.
class CFlagScope {
public:
    explicit CFlagScope(bool& bFlag) : m_bFlag(bFlag) { m_bFlag = true; }
    CFlagScope(const CFlagScope&) = delete;
    CFlagScope& operator=(const CFlagScope&) = delete;
    ~CFlagScope() { m_bFlag = false; }

private:
    bool& m_bFlag;
};

} // namespace

std::wstring CScrivoDoc::MailFileName(const std::wstring& strTitle, int nImageFormat) {
    switch (nImageFormat) {
    case 2:
        return strTitle + L".png";
    case 0:
        return strTitle + L".gif";
    default:
        return strTitle + L".jpg";
    }
}

void CScrivoDoc::OnFileSendMail() {
    // Desktop mode: the screen shows only the other programs while the mail client runs, and the
    // strip, the overlay and the pen come back on every way out.
    CCanvasPause pause(GetCanvas(), &IScrivoCanvas::PauseForMail);
    CFlagScope mailing(m_bMailing);
    const std::wstring strTitle = LoadResString(57344);
    const HWND hwndOwner = GetFrame() ? GetFrame()->m_hWnd : nullptr;
    CWaitCursor wait;
    CMailSender mail;
    const auto ShowError = [&](const wchar_t* pszText) {
        ShowMessage(hwndOwner, pszText, strTitle, MB_OK | MB_ICONEXCLAMATION);
    };
    if (mail.Availability() == CMailSender::EResult::NoLibrary) {
        ShowError(L"Unable to load mail system support.");
        return;
    }
    if (mail.Availability() == CMailSender::EResult::NoFunction) {
        ShowError(L"Mail system DLL is invalid.");
        return;
    }
    wchar_t szFolder[MAX_PATH] = {};
    wchar_t szTemp[MAX_PATH] = {};
    const DWORD nFolder = GetTempPathW(MAX_PATH, szFolder);
    if (nFolder == 0 || nFolder >= MAX_PATH || !GetTempFileNameW(szFolder, L"jxm", 0, szTemp)) {
        ShowError(L"Send Mail failed to send message.");
        return;
    }
    // The framework's save step on the temporary path, without renaming the note: with the
    // mailing flag set it writes the picture. Mailing never changes the note's modified state.
    const bool bModified = IsModified();
    const BOOL bSaved = DoSave(szTemp, false);
    SetModifiedFlag(bModified);
    if (bSaved && mail.Send(hwndOwner, strTitle, szTemp, MailFileName(strTitle, m_nImageFormat)) ==
                      CMailSender::EResult::Failed)
        ShowError(L"Send Mail failed to send message.");
    // The picture is gone afterwards whatever happened: sent, cancelled, refused or not written.
    DeleteFileW(szTemp);
}
