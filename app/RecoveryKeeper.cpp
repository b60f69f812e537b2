#include "RecoveryKeeper.h"

#include <algorithm>

#include "FrameworkIds.h"
#include "Message.h"
#include "Resources.h"
#include "ScrivoDoc.h"
#include "View.h"
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
    for (const std::wstring& strLeftOver : m_pStore->FindLeftOver()) {
        // Adopted first: another start of the same kind can no longer offer it too.
        if (m_pStore->Adopt(strLeftOver) && Offer(pDoc, hwndOwner))
            break;
    }
    if (pDoc)
        m_nSeenChanges = pDoc->GetChangeCount();
}

bool CRecoveryKeeper::Offer(CScrivoDoc* pDoc, HWND hwndOwner) {
    const std::wstring& strCopy = m_pStore->CopyPath();
    if (!pDoc || !CScrivoDoc::IsReadableNote(strCopy)) {
        ReportDamaged(hwndOwner);
        return false;
    }
    const std::wstring strAsk = FormatString1(LoadResString(IDS_RECOVERY_ASK), WrittenAt(strCopy)) +
                                L"\n\n" +
                                FormatString1(LoadResString(IDS_RECOVERY_KEPT), FolderOf(strCopy));
    if (ShowMessage(hwndOwner, strAsk, LoadResString(IDS_APP_TITLE), MB_YESNO | MB_ICONQUESTION) !=
        IDYES) {
        m_pStore->KeepDeclined();
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
    const std::wstring strKept = m_pStore->SetAsideDamaged();
    ShowMessage(hwndOwner, FormatString1(LoadResString(IDS_RECOVERY_DAMAGED), strKept),
                LoadResString(IDS_APP_TITLE), MB_OK | MB_ICONEXCLAMATION);
}

DWORD CRecoveryKeeper::OnIdle(ULONGLONG nNow, CScrivoDoc* pDoc) {
    // Without its view the note is closing: the end removes the copy.
    if (!m_pStore || !pDoc || !pDoc->GetFirstView())
        return INFINITE;
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
