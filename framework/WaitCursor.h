// CWaitCursor: shows the hourglass for the life of the object and puts the previous cursor back.
#pragma once
#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : m_hOld(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    ~CWaitCursor() { SetCursor(m_hOld); }

private:
    HCURSOR m_hOld;
};
