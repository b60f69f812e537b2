// CFileHandle: an owned Win32 file handle, closed exactly once. Copies are deleted so that a
// handle cannot be closed twice.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class CFileHandle {
public:
    explicit CFileHandle(HANDLE h) : m_h(h) {}
    // Opens an existing file for reading, shared with other readers.
    static HANDLE OpenToRead(const std::wstring& strPath) {
        return CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    ~CFileHandle() { Close(); }

    HANDLE Get() const { return m_h; }
    bool IsValid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
    // The file's size in bytes, -1 when it cannot be told.
    std::int64_t Size() const {
        LARGE_INTEGER n{};
        return IsValid() && GetFileSizeEx(m_h, &n) ? n.QuadPart : -1;
    }
    // Reads exactly n bytes; false when fewer could be read.
    bool Read(void* p, DWORD n) {
        DWORD dwRead = 0;
        return ReadFile(m_h, p, n, &dwRead, nullptr) && dwRead == n;
    }
    // Closes the handle now; false when the system reports that closing failed (a write that
    // could not be completed).
    bool Close() {
        bool bOk = true;
        if (IsValid())
            bOk = CloseHandle(m_h) != FALSE;
        m_h = INVALID_HANDLE_VALUE;
        return bOk;
    }

private:
    HANDLE m_h;
};
