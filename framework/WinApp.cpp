#include "WinApp.h"

#include <commdlg.h>

#include <algorithm>

#include "DocTemplate.h"
#include "Document.h"
#include "FileDialog.h"
#include "FrameWnd.h"
#include "FrameworkIds.h"
#include "RecentFileList.h"
#include "Resources.h"
#include "ShellRegistration.h"
#include "Wnd.h"

namespace {
CWinApp* g_pApp = nullptr;
} // namespace

CWinApp::CWinApp() {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    m_pDocTemplate.reset();
    if (m_hDevMode)
        GlobalFree(m_hDevMode);
    if (m_hDevNames)
        GlobalFree(m_hDevNames);
    if (g_pApp == this)
        g_pApp = nullptr;
}

CWinApp* CWinApp::Get() {
    return g_pApp;
}

int CWinApp::Run(HINSTANCE hInstance) {
    m_hInstance = hInstance;
    if (m_strAppName.empty())
        m_strAppName = LoadResString(IDS_APP_TITLE);
    BOOL bOk = FALSE;
    try {
        bOk = InitInstance();
    } catch (...) {
        bOk = FALSE;
    }
    int nExit = bOk ? MessageLoop() : 0;
    ExitInstance();
    m_pDocTemplate.reset();
    return nExit;
}

int CWinApp::MessageLoop() {
    MSG msg{};
    // The idle work runs once the queue is empty after a message that may have changed what it
    // looks at, and when the time it asked for has come (a thread timer). Otherwise the loop
    // waits in GetMessage: under Wine a look into the empty queue yields the processor, so that
    // one after every message held back each packet of a stroke.
    bool bIdle = true;
    UINT_PTR nIdleTimer = 0;
    for (;;) {
        if (bIdle && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            bIdle = false;
            nIdleTimer = SetIdleTimer(nIdleTimer, OnIdle());
        }
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0)
            return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
        if (!msg.hwnd && msg.message == WM_TIMER && nIdleTimer && msg.wParam == nIdleTimer) {
            nIdleTimer = SetIdleTimer(nIdleTimer, INFINITE);
            bIdle = true;
            continue;
        }
        PumpMessage(msg);
        bIdle = bIdle || IsIdleMessage(msg);
    }
}

UINT_PTR CWinApp::SetIdleTimer(UINT_PTR nTimer, DWORD nWait) {
    if (nWait == INFINITE) {
        if (nTimer)
            KillTimer(nullptr, nTimer);
        return 0;
    }
    return SetTimer(nullptr, nTimer, std::max<DWORD>(nWait, USER_TIMER_MINIMUM), nullptr);
}

void CWinApp::PumpMessage(MSG& msg) {
    if (PreTranslateMessage(&msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void CWinApp::AddMessageFilter(CWnd* pWnd) {
    if (std::find(m_arrFilters.begin(), m_arrFilters.end(), pWnd) == m_arrFilters.end())
        m_arrFilters.push_back(pWnd);
}

void CWinApp::RemoveMessageFilter(CWnd* pWnd) {
    std::erase(m_arrFilters, pWnd);
}

bool CWinApp::PreTranslateMessage(MSG* pMsg) {
    // A filter may remove itself while it looks at the message.
    const std::vector<CWnd*> arrFilters = m_arrFilters;
    for (CWnd* pWnd : arrFilters)
        if (pWnd->FilterMessage(pMsg))
            return true;
    if (CWnd::WalkPreTranslateTree(pMsg))
        return true;
    // Messages of windows outside the main frame (its pop-ups without owner) still see its
    // accelerators.
    CFrameWnd* pFrame = m_pMainWnd;
    if (!pFrame || !pFrame->m_hWnd)
        return false;
    HWND hwndRoot = pMsg->hwnd ? GetAncestor(pMsg->hwnd, GA_ROOTOWNER) : nullptr;
    return hwndRoot != pFrame->m_hWnd && pFrame->PreTranslateMessage(pMsg);
}

DWORD CWinApp::OnIdle() {
    if (m_pMainWnd && m_pMainWnd->m_hWnd)
        m_pMainWnd->OnIdleUpdateCmdUI();
    return INFINITE;
}

void CWinApp::SetRegistryKey(const wchar_t* pszCompany) {
    m_strRegistryKey = pszCompany;
}

std::wstring CWinApp::GetProfileKey() const {
    std::wstring strApp = m_strAppName.empty() ? LoadResString(IDS_APP_TITLE) : m_strAppName;
    return L"Software\\" + m_strRegistryKey + L"\\" + strApp;
}

void CWinApp::LoadStdProfileSettings(int nMaxMRU) {
    m_pRecentFileList = std::make_unique<CRecentFileList>(GetProfileKey(), nMaxMRU);
    m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(const std::wstring& strPath) {
    if (m_pRecentFileList)
        m_pRecentFileList->Add(strPath);
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> pTemplate) {
    m_pDocTemplate = std::move(pTemplate);
}

std::vector<std::wstring> CWinApp::CommandLineArgs() {
    wchar_t szProgram[MAX_PATH * 2] = {};
    const DWORD n = GetModuleFileNameW(nullptr, szProgram, MAX_PATH * 2);
    return CCommandLineInfo::SplitCommandLine(GetCommandLineW(),
                                              n > 0 && n < MAX_PATH * 2 ? szProgram : L"");
}

void CWinApp::ParseCommandLine(CCommandLineInfo& cmdInfo) const {
    cmdInfo.ParseArgs(CommandLineArgs());
}

bool CWinApp::ProcessShellCommand(CCommandLineInfo& cmdInfo) {
    switch (cmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
    case CCommandLineInfo::FileDDE:
        // The shell's DDE request is answered by opening a new note: our shell registration
        // passes the file name on the command line instead.
        return m_pDocTemplate && m_pDocTemplate->OpenDocumentFile(nullptr) != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(cmdInfo.m_strFileName.c_str()) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo: {
        // Print the named note without showing the window, then end.
        m_nCmdShow = SW_HIDE;
        if (!OpenDocumentFile(cmdInfo.m_strFileName.c_str()))
            return false;
        if (m_pMainWnd) {
            m_pCmdInfo = &cmdInfo;
            m_pMainWnd->RouteCommand(ID_FILE_PRINT_DIRECT);
            m_pCmdInfo = nullptr;
        }
        return false;
    }
    case CCommandLineInfo::FileNothing:
        return true;
    }
    return false;
}

void CWinApp::RegisterShellFileTypes(bool /*bCompat*/) {
    if (!m_pDocTemplate)
        return;
    CShellFileType type;
    type.strExtension = m_pDocTemplate->GetDocString(CSingleDocTemplate::filterExt);
    type.strTypeId = m_pDocTemplate->GetDocString(CSingleDocTemplate::regFileTypeId);
    type.strTypeName = m_pDocTemplate->GetDocString(CSingleDocTemplate::regFileTypeName);
    if (type.strExtension.empty() || type.strTypeId.empty())
        return;
    wchar_t szProgram[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, szProgram, static_cast<DWORD>(std::size(szProgram)));
    RegisterShellFileType(type, szProgram);
}

CDocument* CWinApp::OpenDocumentFile(const wchar_t* pszPath) {
    return m_pDocTemplate ? m_pDocTemplate->OpenDocumentFile(pszPath) : nullptr;
}

void CWinApp::OnFileNew() {
    if (m_pDocTemplate)
        m_pDocTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    if (!m_pDocTemplate)
        return;
    std::wstring strExt = m_pDocTemplate->GetDocString(CSingleDocTemplate::filterExt);
    std::wstring strFilter =
        m_pDocTemplate->GetDocString(CSingleDocTemplate::filterName) + L"|*" + strExt + L"||";
    if (!strExt.empty() && strExt[0] == L'.')
        strExt.erase(0, 1);
    CFileDialog dlg(true, strExt.c_str(), nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    strFilter.c_str(), m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr);
    if (dlg.DoModal() == IDOK)
        OpenDocumentFile(dlg.GetPathName().c_str());
}

void CWinApp::OnFilePrintSetup() {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    pd.hDevMode = m_hDevMode;
    pd.hDevNames = m_hDevNames;
    pd.Flags = PD_PRINTSETUP;
    if (PrintDlgW(&pd)) {
        m_hDevMode = pd.hDevMode;
        m_hDevNames = pd.hDevNames;
    }
}

bool CWinApp::OnCmdMsg(UINT nID) {
    if (nID == ID_FILE_PRINT_SETUP) {
        OnFilePrintSetup();
        return true;
    }
    if (nID == ID_FILE_NEW) {
        OnFileNew();
        return true;
    }
    if (nID == ID_FILE_OPEN) {
        OnFileOpen();
        return true;
    }
    if (nID == ID_APP_EXIT) {
        if (m_pMainWnd && m_pMainWnd->m_hWnd)
            PostMessageW(m_pMainWnd->m_hWnd, WM_CLOSE, 0, 0);
        return true;
    }
    if (m_pRecentFileList && nID >= ID_FILE_MRU_FILE1 &&
        nID < ID_FILE_MRU_FILE1 + static_cast<UINT>(m_pRecentFileList->GetSize())) {
        int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
        std::wstring strPath = (*m_pRecentFileList)[nIndex];
        if (!OpenDocumentFile(strPath.c_str()))
            m_pRecentFileList->Remove(nIndex);
        return true;
    }
    return false;
}
