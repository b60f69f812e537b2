// CRecoveryKeeper: keeps a recovery copy of the open note while it has unsaved changes, so that a
// crash, a killed process or a power cut loses at most the last few seconds of writing. The
// copy is written in the user-interface thread's idle time (never while pen packets are being
// handled), a second after the last change and at most three seconds after the first unsaved
// one, in the note file format, through a temporary file that replaces it only when complete.
// A save (the note is no longer modified) or a clean end of the program removes it. At start it
// offers the copies that earlier instances of the same start kind left behind.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "RecoveryStore.h"

class CScrivoDoc;

class CRecoveryKeeper {
public:
    // Quiet time after a change before the copy is written; the longest a change waits while
    // changes keep coming; the wait before a failed write is tried again.
    static constexpr DWORD kQuietMs = 1000;
    static constexpr DWORD kLongestWaitMs = 3000;
    static constexpr DWORD kRetryMs = 10000;

    // Begins keeping copies of a start of this kind in strFolder. Removes kept copies that have
    // expired and offers each left-over copy of the kind, newest first, until the user restores
    // one into pDoc: restored, the note is unnamed and modified; declined, the copy is kept as a
    // dated file for seven days; a damaged copy is reported and set aside.
    void Start(const std::wstring& strFolder, const std::wstring& strKind, CScrivoDoc* pDoc,
               HWND hwndOwner);
    // Idle time at tick nNow (milliseconds): writes or removes the copy of pDoc as due. Returns
    // the milliseconds until it wants to run again, INFINITE when only a change can make work.
    DWORD OnIdle(ULONGLONG nNow, CScrivoDoc* pDoc);
    // The program ends cleanly (saved or not saved by the user's choice): the copy goes.
    void End();

    // This instance's copy, empty when it keeps none.
    std::wstring CopyPath() const { return m_pStore ? m_pStore->CopyPath() : std::wstring(); }

private:
    // Asks about the copy just adopted; true when it was restored.
    bool Offer(CScrivoDoc* pDoc, HWND hwndOwner);
    void ReportDamaged(HWND hwndOwner);

    std::unique_ptr<CRecoveryStore> m_pStore;
    unsigned m_nSeenChanges = 0;
    bool m_bPending = false;
    bool m_bWritten = false;
    ULONGLONG m_nLastChange = 0;
    ULONGLONG m_nFirstPending = 0;
    ULONGLONG m_nNotBefore = 0;
};
