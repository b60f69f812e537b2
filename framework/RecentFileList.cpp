#include "RecentFileList.h"

#include <windows.h>

#include <algorithm>

CRecentFileList::CRecentFileList(std::wstring strKey, int nMaxEntries)
    : m_strKey(std::move(strKey)), m_nMaxEntries(nMaxEntries) {}

void CRecentFileList::ReadList() {
    m_arrNames.clear();
    HKEY hKey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionKey().c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    for (int i = 1; i <= m_nMaxEntries; ++i) {
        wchar_t szValue[16];
        wsprintfW(szValue, L"File%d", i);
        wchar_t szPath[MAX_PATH * 2] = {};
        DWORD cb = sizeof(szPath) - sizeof(wchar_t);
        DWORD dwType = 0;
        if (RegQueryValueExW(hKey, szValue, nullptr, &dwType, reinterpret_cast<BYTE*>(szPath),
                             &cb) == ERROR_SUCCESS &&
            dwType == REG_SZ && szPath[0] != L'\0')
            m_arrNames.emplace_back(szPath);
    }
    RegCloseKey(hKey);
}

void CRecentFileList::WriteList() const {
    HKEY hKey = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, SectionKey().c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                        &hKey, nullptr) != ERROR_SUCCESS)
        return;
    for (int i = 1; i <= m_nMaxEntries; ++i) {
        wchar_t szValue[16];
        wsprintfW(szValue, L"File%d", i);
        if (i <= GetSize()) {
            const std::wstring& str = m_arrNames[i - 1];
            RegSetValueExW(hKey, szValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(str.c_str()),
                           static_cast<DWORD>((str.size() + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteValueW(hKey, szValue);
        }
    }
    RegCloseKey(hKey);
}

void CRecentFileList::Add(const std::wstring& strPath) {
    if (strPath.empty() || m_nMaxEntries <= 0)
        return;
    auto it = std::find_if(m_arrNames.begin(), m_arrNames.end(), [&](const std::wstring& s) {
        return CompareStringOrdinal(s.c_str(), -1, strPath.c_str(), -1, TRUE) == CSTR_EQUAL;
    });
    if (it != m_arrNames.end())
        m_arrNames.erase(it);
    m_arrNames.insert(m_arrNames.begin(), strPath);
    if (GetSize() > m_nMaxEntries)
        m_arrNames.resize(m_nMaxEntries);
    WriteList();
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= GetSize())
        return;
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    WriteList();
}
