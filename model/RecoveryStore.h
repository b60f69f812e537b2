// CRecoveryStore: the folder of recovery copies of unsaved notes, and one running instance's
// place in it. Each instance has a copy of its own, "<kind>-<process>-<ticks>.Qzn", and holds a
// lock file of the same name for as long as it runs ("<...>.lock", deleted by the system when
// the process ends in any way). A copy whose lock is no longer held was left behind by an
// instance that ended without a clean close: the next start of the same kind finds it. A copy
// the user did not want back is kept as "Unsaved note <date>.Qzn", and a damaged one as
// "Damaged copy <date>.Qzn", both for seven days.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CRecoveryStore {
public:
    // How long declined and damaged copies are kept.
    static constexpr ULONGLONG kKeepDays = 7;

    // "<local application data>\<program name>\Recovery": the user's local application-data
    // folder (%LOCALAPPDATA%, else the shell's folder of that kind).
    static std::wstring DefaultFolder(const std::wstring& strProgram);

    // An instance's place for copies of a start of this kind ("letter", "inking", ...).
    CRecoveryStore(std::wstring strFolder, std::wstring strKind);
    ~CRecoveryStore();
    CRecoveryStore(const CRecoveryStore&) = delete;
    CRecoveryStore& operator=(const CRecoveryStore&) = delete;

    // Makes the folder and takes this instance's name and lock; false when that is impossible
    // (the instance then keeps no copies).
    bool Open();
    bool IsOpen() const { return m_hLock != INVALID_HANDLE_VALUE; }
    // This instance's copy.
    const std::wstring& CopyPath() const { return m_strCopy; }

    // Copies of this kind whose instance has ended, the most recently written first.
    std::vector<std::wstring> FindLeftOver() const;
    // Makes a left-over copy this instance's own, so that only this start offers it and it stays
    // recoverable should this instance end uncleanly too. False when another start took it.
    bool Adopt(const std::wstring& strLeftOver);
    // Keeps this instance's copy as "Unsaved note <date it was written>.Qzn" for seven days from
    // now; its new path, or empty when it could not be renamed.
    std::wstring KeepDeclined();
    // Sets this instance's copy aside as "Damaged copy <date>.Qzn"; its new path, or empty.
    std::wstring SetAsideDamaged();
    // Removes this instance's copy (a save, or a clean end).
    void RemoveCopy();
    // Removes kept copies older than seven days and temporary files of writes that never ended.
    void RemoveExpired(const FILETIME& ftNow) const;

private:
    std::wstring KeepAs(const wchar_t* pszPrefix);
    std::wstring m_strFolder;
    std::wstring m_strKind;
    std::wstring m_strCopy;
    HANDLE m_hLock = INVALID_HANDLE_VALUE;
};
