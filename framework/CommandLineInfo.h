// CCommandLineInfo: the program's standard command line. The first plain argument is a file to
// open; /p prints it, /pt prints it to the printer, driver and port that follow; /dde waits for
// the shell's DDE request; /Embedding and /Automation mark a start by COM.
#pragma once
#include <string>
#include <vector>

class CCommandLineInfo {
public:
    enum EShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, FileNothing };

    // Parses the arguments that follow the program name.
    void ParseArgs(const std::vector<std::wstring>& args);
    // The arguments of a raw command line (as GetCommandLineW gives it) without the program name.
    // A line that starts with the program's path pszProgram unquoted, blanks and all (as some
    // launchers start programs), loses that whole path, not just its part up to the first blank.
    static std::vector<std::wstring> SplitCommandLine(const wchar_t* pszCommandLine,
                                                      const wchar_t* pszProgram = L"");

    EShellCommand m_nShellCommand = FileNew;
    std::wstring m_strFileName;
    std::wstring m_strPrinterName;
    std::wstring m_strDriverName;
    std::wstring m_strPortName;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;

private:
    void ParseFlag(const std::wstring& strFlag);
    void ParseParam(const std::wstring& strParam);
    int m_nPrintToParams = 0;
};
