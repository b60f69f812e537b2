// CAboutDlg: the about box, a borderless picture (391, or 393 when the settings key
// SETTING / ZELNARLOGO is non-zero) with the program's name, the notice line and the version
// drawn over it in a light shadow. A click on it opens the help file "help.chm" beside the
// program and closes the box. It owns its picture while it is shown.
#pragma once
#include <string>

#include "Dialog.h"
#include "GdiObjects.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    // Help for context command 1 (HELP_CONTEXT): opens the help file in the HTML Help viewer;
    // other commands do nothing.
    void WinHelp(DWORD_PTR dwData, UINT nCmd);
    // GetModuleDir() + "\help.chm".
    static std::wstring HelpFilePath();

protected:
    BOOL OnInitDialog() override;
    INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    COwnedBitmap m_bmPicture;
};

// The years of the notice line of the about box.
extern const wchar_t* const g_pszNoticeYears;
// The version shown in the about box.
extern const wchar_t* const g_pszVersion;
