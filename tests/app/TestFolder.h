// A fresh folder under the temporary directory for one test, removed with its files at the end.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CTestFolder {
public:
    CTestFolder() {
        wchar_t szTemp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, szTemp);
        m_strPath = std::wstring(szTemp) + L"quillet-" + std::to_wstring(GetCurrentProcessId()) +
                    L"-" + std::to_wstring(GetTickCount64());
        CreateDirectoryW(m_strPath.c_str(), nullptr);
    }
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;
    ~CTestFolder() { RemoveTree(m_strPath); }

    const std::wstring& Path() const { return m_strPath; }
    std::wstring operator/(const std::wstring& strName) const {
        return m_strPath + L"\\" + strName;
    }

    static std::vector<std::uint8_t> ReadBytes(const std::wstring& strPath) {
        std::vector<std::uint8_t> data;
        HANDLE h = CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return data;
        DWORD n = GetFileSize(h, nullptr);
        data.resize(n);
        DWORD nRead = 0;
        if (n > 0)
            ReadFile(h, data.data(), n, &nRead, nullptr);
        data.resize(nRead);
        CloseHandle(h);
        return data;
    }
    static bool WriteBytes(const std::wstring& strPath, const std::vector<std::uint8_t>& data) {
        HANDLE h =
            CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        DWORD n = 0;
        BOOL bOk =
            data.empty() || WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &n, nullptr);
        CloseHandle(h);
        return bOk && n == data.size();
    }
    // The names of the files in the folder.
    std::vector<std::wstring> List() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((m_strPath + L"\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do {
            std::wstring str = fd.cFileName;
            if (str != L"." && str != L"..")
                names.push_back(str);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
        return names;
    }

private:
    static void RemoveTree(const std::wstring& strPath) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((strPath + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring str = fd.cFileName;
                if (str == L"." || str == L"..")
                    continue;
                std::wstring strChild = strPath + L"\\" + str;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(strChild);
                else {
                    SetFileAttributesW(strChild.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(strChild.c_str());
                }
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(strPath.c_str());
    }
    std::wstring m_strPath;
};
