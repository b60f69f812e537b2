#include "MainFrame.h"

#include "Message.h"
#include "Resources.h"
#include "ScrivoApp.h"
#include "ScrivoView.h"
#include "resource.h"

namespace {
// The letter window cannot be dragged wider than this.
constexpr LONG kMaxTrackWidth = 1920;
} // namespace

CMainFrame::CMainFrame() {
    if (CScrivoApp* pApp = CScrivoApp::Get())
        pApp->LoadUIResources(true);
}

CMainFrame::~CMainFrame() {
    if (CScrivoApp* pApp = CScrivoApp::Get())
        pApp->LoadUIResources(false);
    DestroyWindow();
}

bool CMainFrame::IsInkingProcess() const {
    CScrivoApp* pApp = CScrivoApp::Get();
    return pApp && pApp->m_bInking;
}

const wchar_t* CMainFrame::ClassName() const {
    return IsInkingProcess() ? L"INKING" : L"LETTER";
}

CScrivoView* CMainFrame::GetView() const {
    return static_cast<CScrivoView*>(GetActiveView());
}

bool CMainFrame::PreCreateWindow(CREATESTRUCTW& cs) {
    WNDCLASSEXW wc{};
    LPCWSTR pszIcon = MAKEINTRESOURCEW(IsInkingProcess() ? IDI_INKING : IDR_MAINFRAME);
    wc.hIcon = LoadIconW(FindResourceModule(pszIcon, RT_GROUP_ICON), pszIcon);
    wc.hCursor = LoadCursorW(nullptr, IDC_WAIT);
    wc.lpszClassName = ClassName();
    if (!RegisterFrameworkClass(wc))
        return false;
    cs.lpszClass = ClassName();
    return true;
}

int CMainFrame::OnCreate(CREATESTRUCTW* pcs) {
    if (CFrameWnd::OnCreate(pcs) == -1)
        return -1;
    m_nMode = kModeLetter;
    if (!CreateBars())
        return -1;
    HMENU hMenu = GetMenu(m_hWnd);
    SetMenu(m_hWnd, nullptr);
    if (hMenu)
        DestroyMenu(hMenu);
    return 0;
}

bool CMainFrame::OnCmdMsg(UINT nID) {
    switch (nID) {
    case ID_LETTER_MODE:
        OnLetterMode();
        return true;
    case ID_DESKTOP_MODE:
        OnDesktopMode();
        return true;
    case ID_INKING_MODE:
        OnInkingMode();
        return true;
    default:
        return OnWindowCommand(nID);
    }
}

void CMainFrame::ShowControlBars(bool bShow) {
    for (HWND hwnd : {m_wndBar.m_hWnd, m_wndPanel.m_hWnd})
        if (hwnd)
            ShowWindow(hwnd, bShow ? SW_SHOW : SW_HIDE);
    RecalcLayout();
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* pInfo) {
    pInfo->ptMaxTrackSize.x = kMaxTrackWidth;
}

LRESULT CMainFrame::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_GETMINMAXINFO:
        Default(uMsg, wParam, lParam);
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_DISPLAYCHANGE:
        return OnDisplayChange();
    case WT_PACKET:
        // The tablet context is opened on the frame in letter mode; the view takes its packets.
        if (CScrivoView* pView = GetView())
            return pView->OnWTPacket(wParam, lParam);
        return 0;
    case WM_SIZE:
        CFrameWnd::WindowProc(uMsg, wParam, lParam);
        OnSizeBars();
        return 0;
    case WM_MOVE:
        Default(uMsg, wParam, lParam);
        OnMoveBars();
        return 0;
    case WM_SHOWWINDOW:
        Default(uMsg, wParam, lParam);
        ShowWindow(m_wndPanel.m_penw.m_hWnd, SW_HIDE);
        return 0;
    case WM_ACTIVATEAPP:
        // Another program came forward: the pen-width popup closes as a click outside it would.
        if (!wParam)
            m_wndPanel.m_penw.HideRequest();
        return CFrameWnd::WindowProc(uMsg, wParam, lParam);
    case WM_ENDSESSION:
        // The session ends without destroying the windows: the panel's settings are written now.
        if (wParam)
            m_wndPanel.WriteSettings();
        return CFrameWnd::WindowProc(uMsg, wParam, lParam);
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
        EndCaptureForClose();
        return CFrameWnd::WindowProc(uMsg, wParam, lParam);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE)
            m_wndBar.HideTip();
        return Default(uMsg, wParam, lParam);
    default:
        return CFrameWnd::WindowProc(uMsg, wParam, lParam);
    }
}
