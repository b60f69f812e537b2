// CWinApp: the one application object. It runs the start-up hook and the message loop, keeps
// the document template, the recent-file list and the registry key of the program's profile,
// and carries out the standard command line and the application's New and Open commands.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "CmdTarget.h"
#include "CommandLineInfo.h"

class CDocument;
class CFrameWnd;
class CRecentFileList;
class CSingleDocTemplate;
class CWnd;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The application object of this process, or null.
    static CWinApp* Get();

    // InitInstance, then the message loop until the main window has gone, then ExitInstance.
    int Run(HINSTANCE hInstance);
    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return 0; }
    // Runs the message loop until WM_QUIT; returns its exit code. Each message is offered to the
    // windows it concerns first (PreTranslateMessage). When the queue is empty after a message
    // that IsIdleMessage names, it calls OnIdle, and again when the time OnIdle asked for has
    // passed.
    int MessageLoop();
    virtual bool PreTranslateMessage(MSG* pMsg);
    // Whether the idle work is due after this message, once it has been handled: every message
    // may change the commands' state.
    virtual bool IsIdleMessage(const MSG& /*msg*/) const { return true; }
    // Work of the user-interface thread between messages: the frame enables and disables its
    // bars' controls. Returns how many milliseconds may pass before it wants to run again without
    // a message (INFINITE: only after the next message).
    virtual DWORD OnIdle();
    // Windows that see every message of the loop before anything else (FilterMessage), for
    // instance a pop-up that closes at a click anywhere else.
    void AddMessageFilter(CWnd* pWnd);
    void RemoveMessageFilter(CWnd* pWnd);

    // Profile: HKEY_CURRENT_USER\Software\<company>\<application title>.
    void SetRegistryKey(const wchar_t* pszCompany);
    std::wstring GetProfileKey() const;
    void LoadStdProfileSettings(int nMaxMRU = 4);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }
    void AddToRecentFileList(const std::wstring& strPath);

    void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate);
    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }

    void ParseCommandLine(CCommandLineInfo& cmdInfo) const;
    // The arguments of this process's command line, without the program's own path.
    static std::vector<std::wstring> CommandLineArgs();
    // New note, open, print or wait for DDE as the command line asks; false ends the program.
    bool ProcessShellCommand(CCommandLineInfo& cmdInfo);
    // Registers the document type with the shell (open, print and print-to verbs).
    void RegisterShellFileTypes(bool bCompat = true);
    void EnableShellOpen() { m_bShellOpen = true; }

    CDocument* OpenDocumentFile(const wchar_t* pszPath);
    void OnFileNew();
    void OnFileOpen();
    // The system's printer set-up dialog; the choice is kept for printing (DEVMODE, DEVNAMES).
    void OnFilePrintSetup();
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    // The command line being carried out by ProcessShellCommand (print-to names), else null.
    const CCommandLineInfo* m_pCmdInfo = nullptr;

    bool OnCmdMsg(UINT nID) override;

    HINSTANCE m_hInstance = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CFrameWnd* m_pMainWnd = nullptr;
    std::wstring m_strAppName;

protected:
    // Destroys the frame, the view and the document (a derived application calls this from its
    // destructor, while its own members still exist for the frame's destruction).
    void CloseDocTemplate() { m_pDocTemplate.reset(); }

private:
    void PumpMessage(MSG& msg);
    // Sets the thread timer nTimer (0: a new one) to fire after nWait milliseconds, or kills it
    // for INFINITE; returns the timer that runs (0: none).
    static UINT_PTR SetIdleTimer(UINT_PTR nTimer, DWORD nWait);

    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    std::wstring m_strRegistryKey;
    bool m_bShellOpen = false;
    std::vector<CWnd*> m_arrFilters;
};
