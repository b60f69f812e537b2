#include "ScrivoApp.h"

#include "PointerBinding.h"
#include "Wintab.h"

#include <memory>

#include "DialogPause.h"
#include "DocTemplate.h"
#include "FrameworkIds.h"
#include "MainFrame.h"
#include "Resources.h"
#include "ScrivoDoc.h"
#include "ScrivoView.h"
#include "Settings.h"
#include "StartKind.h"
#include "resource.h"

std::wstring CScrivoApp::GetModuleDir() {
    return settings::GetModuleDir();
}

void CScrivoApp::LoadUIResources(bool bLoad) {
    if (!bLoad) {
        if (m_hUIResources) {
            SetResourceInstance(nullptr);
            FreeLibrary(m_hUIResources);
            m_hUIResources = nullptr;
        }
        return;
    }
    if (m_hUIResources || settings::ReadUINew().find(L'1') == std::wstring::npos)
        return;
    m_hUIResources = LoadLibraryW(L"QznRes.dll");
    if (!m_hUIResources)
        return;
    m_bNewUI = TRUE;
    SetResourceInstance(m_hUIResources);
}

void CScrivoApp::OnAppAbout() {
    auto* pFrame = static_cast<CMainFrame*>(m_pMainWnd);
    if (!pFrame || !pFrame->m_hWnd) {
        m_aboutDlg.DoModal(nullptr);
        return;
    }
    pFrame->ClosePenWidthPopup();
    CDialogPause pause(pFrame->GetView());
    m_aboutDlg.DoModal(pFrame->m_hWnd);
}

void CScrivoApp::OnNewNote() {
    auto* pFrame = static_cast<CMainFrame*>(m_pMainWnd);
    CScrivoView* pView = pFrame && pFrame->m_hWnd ? pFrame->GetView() : nullptr;
    {
        // The question about the changed note is a box like any other.
        CDialogPause pause(pView);
        CWinApp::OnFileNew();
    }
    // Cancelled on the desktop: the box's place on the overlay is painted again.
    CDocument* pDoc = pFrame ? pFrame->GetActiveDocument() : nullptr;
    if (pView && pDoc && pDoc->IsModified() && pFrame->m_nMode == kModeDesktop)
        pView->ScreenRun().ShowOverlay(true);
}

bool CScrivoApp::OnCmdMsg(UINT nID) {
    if (nID == ID_APP_ABOUT) {
        OnAppAbout();
        return true;
    }
    if (nID == ID_FILE_NEW) {
        OnNewNote();
        return true;
    }
    return CWinApp::OnCmdMsg(nID);
}

namespace {
// The word in the names of a start's recovery copies: every start with a letter window keeps
// and offers letter copies, so that a note written after a double-click comes back at a start
// from the menu.
const wchar_t* KindName(EStartKind nKind) {
    return nKind == EStartKind::Inking ? L"inking" : L"letter";
}
} // namespace

CScrivoDoc* CScrivoApp::CurrentDocument() const {
    CSingleDocTemplate* pTemplate = GetDocTemplate();
    return pTemplate ? dynamic_cast<CScrivoDoc*>(pTemplate->GetDocument()) : nullptr;
}

bool CScrivoApp::IsStrokeInProgress() const {
    const CScrivoDoc* pDoc = CurrentDocument();
    const IScrivoCanvas* pCanvas = pDoc ? pDoc->GetCanvas() : nullptr;
    return pCanvas && pCanvas->IsWriting();
}

bool CScrivoApp::IsIdleMessage(const MSG&) const {
    // Between the packets of a stroke (and the cursor moves and paints among them) there is no
    // idle work: the pen-up, which ends the stroke, brings the next idle time.
    return !IsStrokeInProgress();
}

DWORD CScrivoApp::OnIdle() {
    // The bars' buttons follow the commands' state once a stroke is done, not between its
    // packets: the update asks the display server about every button in turn (under Wine a
    // round trip each, a millisecond for both bars), which held back each packet of the stroke.
    // The pen-up brings the next idle time, and with it the update.
    if (!IsStrokeInProgress())
        CWinApp::OnIdle();
    return m_recovery.OnIdle(GetTickCount64(), CurrentDocument());
}

int CScrivoApp::ExitInstance() {
    m_recovery.End();
    return CWinApp::ExitInstance();
}

BOOL CScrivoApp::InitInstance() {
    LoadWintab(true);
    BindPointerApi();
    m_bNewUI = FALSE;
    const std::vector<std::wstring> args = CommandLineArgs();
    CCommandLineInfo cmdInfo;
    cmdInfo.ParseArgs(args);
    m_nCmdShow = SW_SHOWMAXIMIZED;
    m_bInking = 0;

    const EStartKind nKind = ClassifyStart(args);
    switch (nKind) {
    case EStartKind::Letter:
        if (!ClaimStartEvent(EStartKind::Letter)) {
            ActivateRunningLetter();
            return FALSE;
        }
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
        break;
    case EStartKind::Inking:
        if (!ClaimStartEvent(EStartKind::Inking)) {
            ActivateRunningInking(30000);
            return FALSE;
        }
        cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
        m_nCmdShow = SW_HIDE;
        m_bInking = 1;
        break;
    case EStartKind::Jxm:
    case EStartKind::Plain:
        break;
    }

    SetRegistryKey(L"Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);
    AddDocTemplate(std::make_unique<CSingleDocTemplate>(
        IDR_MAINFRAME, [] { return std::make_unique<CScrivoDoc>(); },
        [] { return std::make_unique<CMainFrame>(); },
        [] { return std::make_unique<CScrivoView>(); }));
    EnableShellOpen();
    RegisterShellFileTypes(true);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    auto* pFrame = static_cast<CMainFrame*>(m_pMainWnd);
    if (!pFrame || !pFrame->m_hWnd)
        return FALSE;
    if (m_bInking)
        pFrame->StartInking();
    UpdateWindow(pFrame->m_hWnd);
    DragAcceptFiles(pFrame->m_hWnd, TRUE);
    m_recovery.Start(CRecoveryStore::DefaultFolder(m_strAppName), KindName(nKind),
                     CurrentDocument(), pFrame->m_hWnd);
    return TRUE;
}
