// CRecoveryStore: the folder of recovery copies of unsaved notes, and one running instance's
// place in it. Each instance has a copy of its own, "<kind>-<process>-<ticks>.Qzn", and holds a
// lock file of the same name for as long as it runs ("<...>.lock", deleted by the system when
// the process ends in any way). A copy whose lock is no longer held was left behind by an
// instance that ended without a clean close: the next start of the same kind finds it (every
// start with a letter window takes the letter copies, also those named "plain" and "jxm" by
// earlier versions). A copy the user did not want back is kept as "Unsaved note <date>.Qzn", and
// a damaged one as "Damaged copy <date>.Qzn", both for seven days; a copy that no start takes
// goes seven days after its last change. The ledger "Copies.ini" records which file (volume and
// file number), of what size and last written when, each copy the program wrote here is, and only
// a file that still matches its record ever expires: a note the user saved into the folder, under
// whatever name, stays.
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
    // The copy was written: the ledger learns it.
    void MarkWritten();
    // Keeps this instance's copy as "Unsaved note <date it was written>.Qzn" for seven days from
    // now; its new path, or empty when it could not be renamed (the copy then stays where it is,
    // no longer this instance's, and the next start offers it again).
    std::wstring KeepDeclined();
    // Sets this instance's copy aside as "Damaged copy <date>.Qzn"; its new path, or empty.
    std::wstring SetAsideDamaged();
    // Removes this instance's copy (a save, or a clean end).
    void RemoveCopy();
    // Removes the kept copies, and the copies no start took, that this program wrote more than
    // seven days ago, and temporary files of writes that never ended.
    void RemoveExpired(const FILETIME& ftNow) const;

private:
    std::wstring KeepAs(const wchar_t* pszPrefix);
    // Takes a new name and lock for this instance and lets the old copy lie as a left-over.
    void LetGo();
    // True when no running instance holds the lock of the copy named strName.
    bool IsLeftOver(const std::wstring& strName) const;
    static std::wstring NameOf(const std::wstring& strPath);
    std::wstring LedgerPath() const;
    // The ledger: records, forgets and checks the size and write time of a file written here.
    void Record(const std::wstring& strPath) const;
    void Forget(const std::wstring& strPath) const;
    bool IsOwn(const std::wstring& strPath) const;
    std::wstring m_strFolder;
    std::wstring m_strKind;
    std::wstring m_strCopy;
    HANDLE m_hLock = INVALID_HANDLE_VALUE;
};
