#include "FileDialog.h"

#include <commdlg.h>

std::wstring CFileDialog::FilterToSystem(const std::wstring& strFilter) {
    std::wstring str = strFilter;
    for (wchar_t& ch : str) {
        if (ch == L'|')
            ch = L'\0';
    }
    // The notation ends with "||"; make sure the list ends with two nulls whatever it held.
    str.push_back(L'\0');
    str.push_back(L'\0');
    return str;
}

CFileDialog::CFileDialog(bool bOpen, const wchar_t* pszDefExt, const wchar_t* pszFileName,
                         DWORD dwFlags, const wchar_t* pszFilter, HWND hwndOwner)
    : m_bOpen(bOpen) {
    if (pszFilter)
        m_strFilter = FilterToSystem(pszFilter);
    if (pszDefExt)
        m_strDefExt = pszDefExt;
    if (pszFileName)
        lstrcpynW(m_szFile, pszFileName, static_cast<int>(std::size(m_szFile)));
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hwndOwner = hwndOwner;
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_szFile;
    m_ofn.nMaxFile = static_cast<DWORD>(std::size(m_szFile));
    m_ofn.lpstrDefExt = m_strDefExt.empty() ? nullptr : m_strDefExt.c_str();
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (bOpen)
        m_ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
}

INT_PTR CFileDialog::DoModal() {
    BOOL bOk = m_bOpen ? GetOpenFileNameW(&m_ofn) : GetSaveFileNameW(&m_ofn);
    if (!bOk)
        return IDCANCEL;
    m_strPath = m_szFile;
    return IDOK;
}

std::wstring CFileDialog::GetFileName() const {
    std::wstring::size_type n = m_strPath.find_last_of(L"\\/");
    return n == std::wstring::npos ? m_strPath : m_strPath.substr(n + 1);
}
