#include "RecoveryKeeper.h"

#include <algorithm>

#include "DialogPause.h"
#include "FrameworkIds.h"
#include "Message.h"
#include "Resources.h"
#include "ScrivoDoc.h"
#include "ScrivoView.h"
#include "resource.h"

namespace {
// The time a copy was last written, as the user's short date and time.
std::wstring WrittenAt(const std::wstring& strPath) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FILETIME ftLocal{};
    SYSTEMTIME st{};
    if (!GetFileAttributesExW(strPath.c_str(), GetFileExInfoStandard, &data) ||
        !FileTimeToLocalFileTime(&data.ftLastWriteTime, &ftLocal) ||
        !FileTimeToSystemTime(&ftLocal, &st))
        return std::wstring();
    wchar_t szDate[64] = {}, szTime[64] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, szDate, 64);
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &st, nullptr, szTime, 64);
    return std::wstring(szDate) + L" " + szTime;
}

std::wstring FolderOf(const std::wstring& strPath) {
    return strPath.substr(0, strPath.find_last_of(L'\\'));
}
} // namespace

void CRecoveryKeeper::Start(const std::wstring& strFolder, const std::wstring& strKind,
                            CScrivoDoc* pDoc, HWND hwndOwner) {
    m_pStore = std::make_unique<CRecoveryStore>(strFolder, strKind);
    if (!m_pStore->Open()) {
        m_pStore.reset();
        return;
    }
    FILETIME ftNow{};
    GetSystemTimeAsFileTime(&ftNow);
    m_pStore->RemoveExpired(ftNow);
    const std::vector<std::wstring> leftOver = m_pStore->FindLeftOver();
    // An inking start asks over its strip: no tap on the question may reach the tablet.
    CDialogPause pause(
        leftOver.empty() || !pDoc ? nullptr : dynamic_cast<CScrivoView*>(pDoc->GetFirstView()));
    for (const std::wstring& strLeftOver : leftOver) {
        // Adopted first: another start of the same kind can no longer offer it too.
        if (m_pStore->Adopt(strLeftOver) && Offer(pDoc, hwndOwner))
            break;
    }
    if (pDoc)
        m_nSeenChanges = pDoc->GetChangeCount();
}

bool CRecoveryKeeper::Offer(CScrivoDoc* pDoc, HWND hwndOwner) {
    // A copy: a failed keep gives this instance another name.
    const std::wstring strCopy = m_pStore->CopyPath();
    if (!pDoc || !CScrivoDoc::IsReadableNote(strCopy)) {
        ReportDamaged(hwndOwner);
        return false;
    }
    const std::wstring strAsk = FormatString1(LoadResString(IDS_RECOVERY_ASK), WrittenAt(strCopy)) +
                                L"\n\n" +
                                FormatString1(LoadResString(IDS_RECOVERY_KEPT), FolderOf(strCopy));
    if (ShowMessage(hwndOwner, strAsk, LoadResString(IDS_APP_TITLE), MB_YESNO | MB_ICONQUESTION) !=
        IDYES) {
        // The answer promised seven days: when the copy cannot be kept so, the person hears it.
        if (m_pStore->KeepDeclined().empty())
            ShowMessage(hwndOwner, FormatString1(LoadResString(IDS_RECOVERY_NOT_KEPT), strCopy),
                        LoadResString(IDS_APP_TITLE), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (!pDoc->RestoreFrom(strCopy)) {
        ReportDamaged(hwndOwner);
        return false;
    }
    // The copy holds the restored note already.
    m_bWritten = true;
    return true;
}

void CRecoveryKeeper::ReportDamaged(HWND hwndOwner) {
    const std::wstring strCopy = m_pStore->CopyPath();
    const std::wstring strKept = m_pStore->SetAsideDamaged();
    const std::wstring strText =
        strKept.empty() ? FormatString1(LoadResString(IDS_RECOVERY_NOT_SET_ASIDE), strCopy)
                        : FormatString1(LoadResString(IDS_RECOVERY_DAMAGED), strKept);
    ShowMessage(hwndOwner, strText, LoadResString(IDS_APP_TITLE), MB_OK | MB_ICONEXCLAMATION);
}

DWORD CRecoveryKeeper::OnIdle(ULONGLONG nNow, CScrivoDoc* pDoc) {
    // Without its view the note is closing: the end removes the copy.
    if (!m_pStore || !m_pStore->IsOpen() || !pDoc || !pDoc->GetFirstView())
        return INFINITE;
    // The gaps between a stroke's packets are idle time too: a write there would hold the
    // packets back. The pen-up's packet brings the next idle time.
    const IScrivoCanvas* pCanvas = pDoc->GetCanvas();
    if (pCanvas && pCanvas->IsWriting())
        return kQuietMs;
    if (!pDoc->IsModified()) {
        if (m_bWritten)
            m_pStore->RemoveCopy();
        m_bWritten = m_bPending = false;
        m_nSeenChanges = pDoc->GetChangeCount();
        return INFINITE;
    }
    if (pDoc->GetChangeCount() != m_nSeenChanges) {
        m_nSeenChanges = pDoc->GetChangeCount();
        m_nLastChange = nNow;
        if (!m_bPending)
            m_nFirstPending = nNow;
        m_bPending = true;
    }
    if (!m_bPending)
        return INFINITE;
    const ULONGLONG nDue = std::max(
        m_nNotBefore, std::min(m_nLastChange + kQuietMs, m_nFirstPending + kLongestWaitMs));
    if (nNow < nDue)
        return DWORD(nDue - nNow);
    if (!pDoc->StoreCopy(m_pStore->CopyPath().c_str())) {
        // A full disk or a locked folder: tried again later, without troubling the user.
        m_nNotBefore = nNow + kRetryMs;
        return kRetryMs;
    }
    m_pStore->MarkWritten();
    m_bPending = false;
    m_bWritten = true;
    return INFINITE;
}

void CRecoveryKeeper::End() {
    if (m_pStore)
        m_pStore->RemoveCopy();
    m_pStore.reset();
    m_bWritten = m_bPending = false;
}
