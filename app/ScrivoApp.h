// CScrivoApp: the application object of KVOmail. It decides from the command line which kind
// of start this is, keeps a second letter or inking instance from starting, creates the
// document template (note document, main frame, canvas view) and handles the application's
// About, New and Open commands. It also loads and frees the alternative resource library, and
// keeps the recovery copy of the open note in its idle time.
#pragma once
#include <windows.h>

#include "AboutDlg.h"
#include "DocTemplate.h"
#include "RecoveryKeeper.h"
#include "WinApp.h"

class CScrivoDoc;

class CScrivoApp : public CWinApp {
public:
    static CScrivoApp* Get() { return static_cast<CScrivoApp*>(CWinApp::Get()); }
    ~CScrivoApp() override { CloseDocTemplate(); }

    BOOL InitInstance() override;
    bool OnCmdMsg(UINT nID) override;
    // The About command: the about box, modal, with the pen-width popup closed and (in desktop
    // and inking mode) the tablet context closed around it.
    void OnAppAbout();
    // New: the framework's new note, with the question about a changed note paused for as a
    // dialog in desktop and inking mode.
    void OnNewNote();
    DWORD OnIdle() override;
    bool IsIdleMessage(const MSG& msg) const override;
    int ExitInstance() override;

    // With true: loads "QznRes.dll" when the settings key UI / New contains "1" and makes it
    // the source of every resource; with false: frees it again.
    void LoadUIResources(bool bLoad);
    // The folder of the program file, without a trailing backslash.
    static std::wstring GetModuleDir();
    // Whether the alternative look is in use: false when there is no application object, as
    // for a dialog made on its own in a test.
    static bool IsNewUI() {
        const CScrivoApp* pApp = Get();
        return pApp && pApp->m_bNewUI;
    }

    BOOL m_bNewUI = FALSE;
    CAboutDlg m_aboutDlg;
    BYTE m_bInking = 0;

private:
    CScrivoDoc* CurrentDocument() const;
    // Whether the canvas is in the middle of a stroke (the pen or the left button down on it).
    bool IsStrokeInProgress() const;

    HMODULE m_hUIResources = nullptr;
    CRecoveryKeeper m_recovery;
};
