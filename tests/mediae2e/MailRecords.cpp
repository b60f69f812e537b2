#include "MailRecords.h"

#include <windows.h>

#include <sstream>

#include "ProgramRunner.h"

std::wstring BinFile(const wchar_t* pszName) {
    wchar_t sz[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, sz, MAX_PATH);
    std::wstring str = sz;
    return str.substr(0, str.find_last_of(L'\\') + 1) + pszName;
}

std::map<std::string, std::string> ReadMailRecord(const std::wstring& strPath) {
    const std::vector<std::uint8_t> bytes = CTestFolder::ReadBytes(strPath);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::map<std::string, std::string> record;
    for (std::string strLine; std::getline(in, strLine);) {
        const auto n = strLine.find('=');
        if (n != std::string::npos)
            record[strLine.substr(0, n)] = strLine.substr(n + 1);
    }
    return record;
}
