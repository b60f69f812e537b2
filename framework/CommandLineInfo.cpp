#include "CommandLineInfo.h"

#include <windows.h>

#include <shellapi.h>

#include <cwctype>

namespace {
bool SameText(const std::wstring& a, const wchar_t* b) {
    return CompareStringOrdinal(a.c_str(), -1, b, -1, TRUE) == CSTR_EQUAL;
}
} // namespace

std::vector<std::wstring> CCommandLineInfo::SplitCommandLine(const wchar_t* pszCommandLine,
                                                             const wchar_t* pszProgram) {
    std::vector<std::wstring> args;
    if (!pszCommandLine || !*pszCommandLine)
        return args;
    std::wstring strLine = pszCommandLine;
    const std::size_t nProgram = pszProgram ? wcslen(pszProgram) : 0;
    if (nProgram > 0 && strLine.size() >= nProgram &&
        CompareStringOrdinal(strLine.c_str(), int(nProgram), pszProgram, int(nProgram), TRUE) ==
            CSTR_EQUAL &&
        (strLine.size() == nProgram || iswspace(strLine[nProgram])))
        strLine = L"program" + strLine.substr(nProgram);
    int nArgs = 0;
    LPWSTR* ppsz = CommandLineToArgvW(strLine.c_str(), &nArgs);
    if (!ppsz)
        return args;
    for (int i = 1; i < nArgs; ++i)
        args.emplace_back(ppsz[i]);
    LocalFree(ppsz);
    return args;
}

void CCommandLineInfo::ParseArgs(const std::vector<std::wstring>& args) {
    for (const std::wstring& str : args) {
        if (!str.empty() && (str[0] == L'/' || str[0] == L'-'))
            ParseFlag(str.substr(1));
        else
            ParseParam(str);
    }
}

void CCommandLineInfo::ParseFlag(const std::wstring& strFlag) {
    if (SameText(strFlag, L"p")) {
        m_nShellCommand = FilePrint;
    } else if (SameText(strFlag, L"pt")) {
        m_nShellCommand = FilePrintTo;
        m_nPrintToParams = 0;
    } else if (SameText(strFlag, L"dde")) {
        m_nShellCommand = FileDDE;
    } else if (SameText(strFlag, L"Embedding")) {
        m_bRunEmbedded = true;
    } else if (SameText(strFlag, L"Automation")) {
        m_bRunAutomated = true;
    }
}

void CCommandLineInfo::ParseParam(const std::wstring& strParam) {
    if (m_strFileName.empty()) {
        m_strFileName = strParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
        return;
    }
    if (m_nShellCommand != FilePrintTo)
        return;
    switch (m_nPrintToParams++) {
    case 0:
        m_strPrinterName = strParam;
        break;
    case 1:
        m_strDriverName = strParam;
        break;
    case 2:
        m_strPortName = strParam;
        break;
    default:
        break;
    }
}
