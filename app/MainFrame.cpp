#include "MainFrame.h"

#include "Message.h"
#include "Resources.h"
#include "ScrivoApp.h"
#include "ScrivoView.h"
#include "resource.h"

namespace {
constexpr UINT kPanelStyle = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;
constexpr UINT kBarStyle = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS | CBRS_FLYBY;
static_assert(kPanelStyle == 0x8230 && kBarStyle == 0x2830);
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
    if (!m_wndPanel.Create(m_hWnd, IDD_PANEL, kPanelStyle, IDD_PANEL))
        return -1;
    if (!m_wndBar.Create(m_hWnd, IDD_TOOLBAR, kBarStyle, IDD_TOOLBAR))
        return -1;
    AddDockedBar(&m_wndBar);
    AddDockedBar(&m_wndPanel);
    m_nMode = 0;
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
        return false;
    }
}

void CMainFrame::ShowPanelControl(UINT nID, bool bShow) {
    if (HWND hwnd = GetDlgItem(m_wndPanel.m_hWnd, static_cast<int>(nID)))
        ShowWindow(hwnd, bShow ? SW_SHOW : SW_HIDE);
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
    default:
        return CFrameWnd::WindowProc(uMsg, wParam, lParam);
    }
}
