// CRecentFileList: the most recently opened or saved notes, newest first, kept in the registry
// under HKEY_CURRENT_USER\<key>\Recent File List as the values "File1" to "FileN".
#pragma once
#include <string>
#include <vector>

class CRecentFileList {
public:
    // strKey is the application's key below HKEY_CURRENT_USER ("Software\Company\App").
    CRecentFileList(std::wstring strKey, int nMaxEntries);

    void ReadList();
    void WriteList() const;
    // Puts the path first (moving it when it is already listed) and stores the list.
    void Add(const std::wstring& strPath);
    void Remove(int nIndex);
    int GetSize() const { return static_cast<int>(m_arrNames.size()); }
    const std::wstring& operator[](int nIndex) const { return m_arrNames[nIndex]; }
    int GetMaxSize() const { return m_nMaxEntries; }

private:
    std::wstring SectionKey() const { return m_strKey + L"\\Recent File List"; }
    std::wstring m_strKey;
    int m_nMaxEntries;
    std::vector<std::wstring> m_arrNames;
};
