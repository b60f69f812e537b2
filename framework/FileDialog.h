// CFileDialog: the system's open and save dialogs, given a filter in the program's own notation
// "Name(*.ext)|*.ext|Other|*.oth||" (pairs of display text and pattern, each ended by a bar).
#pragma once
#include <windows.h>

#include <commdlg.h>

#include <string>

class CFileDialog {
public:
    CFileDialog(bool bOpen, const wchar_t* pszDefExt, const wchar_t* pszFileName, DWORD dwFlags,
                const wchar_t* pszFilter, HWND hwndOwner);
    // IDOK or IDCANCEL.
    INT_PTR DoModal();

    // The chosen full path, and its last part.
    std::wstring GetPathName() const { return m_strPath; }
    std::wstring GetFileName() const;
    // The filter the user chose, counted from 1.
    int GetFilterIndex() const { return static_cast<int>(m_ofn.nFilterIndex); }

    // "A|a||" -> "A\0a\0\0": the double-null list that OPENFILENAME takes.
    static std::wstring FilterToSystem(const std::wstring& strFilter);

    OPENFILENAMEW m_ofn{};

private:
    bool m_bOpen;
    std::wstring m_strFilter;
    std::wstring m_strDefExt;
    wchar_t m_szFile[MAX_PATH * 4] = {};
    std::wstring m_strPath;
};
