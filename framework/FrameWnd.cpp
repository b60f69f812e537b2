#include "FrameWnd.h"

#include <shellapi.h>

#include "DialogBar.h"
#include "DocTemplate.h"
#include "Document.h"
#include "FrameworkIds.h"
#include "Resources.h"
#include "View.h"
#include "WinApp.h"

CFrameWnd::~CFrameWnd() {
    DestroyWindow();
}

bool CFrameWnd::PreCreateWindow(CREATESTRUCTW& cs) {
    WNDCLASSEXW wc{};
    wc.style = CS_DBLCLKS;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(GetResourceInstance(), MAKEINTRESOURCEW(m_nIDResource));
    wc.lpszClassName = L"QuilletFrame";
    if (!RegisterFrameworkClass(wc))
        return false;
    cs.lpszClass = L"QuilletFrame";
    return true;
}

bool CFrameWnd::LoadFrame(UINT nIDResource, std::unique_ptr<CView> pView, CDocument* pDoc) {
    m_nIDResource = nIDResource;
    m_pView = std::move(pView);
    m_pDocument = pDoc;
    if (pDoc && pDoc->GetDocTemplate())
        m_strTitle = pDoc->GetDocTemplate()->GetDocString(CSingleDocTemplate::windowTitle);
    if (m_strTitle.empty())
        m_strTitle = LoadResString(IDS_APP_TITLE);
    CREATESTRUCTW cs{};
    cs.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    LPCWSTR pszResource = MAKEINTRESOURCEW(nIDResource);
    cs.hMenu = LoadMenuW(FindResourceModule(pszResource, RT_MENU), pszResource);
    if (!PreCreateWindow(cs)) {
        if (cs.hMenu)
            DestroyMenu(cs.hMenu);
        return false;
    }
    m_hAccelTable = LoadAcceleratorsW(FindResourceModule(pszResource, RT_ACCELERATOR), pszResource);
    if (!CreateEx(cs.dwExStyle, cs.lpszClass, m_strTitle.c_str(), cs.style, cs.x, cs.y, cs.cx,
                  cs.cy, nullptr, cs.hMenu)) {
        if (cs.hMenu)
            DestroyMenu(cs.hMenu);
        return false;
    }
    return true;
}

int CFrameWnd::OnCreate(CREATESTRUCTW* /*pcs*/) {
    if (m_pView && !m_pView->Create(this, IDW_PANE_FIRST))
        return -1;
    return 0;
}

void CFrameWnd::AddDockedBar(CDialogBar* pBar) {
    m_arrBars.push_back(pBar);
    RecalcLayout();
}

void CFrameWnd::RecalcLayout() {
    if (!m_hWnd || IsIconic(m_hWnd))
        return;
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    for (CDialogBar* pBar : m_arrBars) {
        if (!pBar->m_hWnd || !(GetWindowLongW(pBar->m_hWnd, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT rcBar = pBar->GetLayoutRect(false);
        int nHeight = std::min<LONG>(rcBar.bottom - rcBar.top, rc.bottom - rc.top);
        int y = pBar->IsDockedTop() ? rc.top : rc.bottom - nHeight;
        MoveWindow(pBar->m_hWnd, rc.left, y, rc.right - rc.left, nHeight, TRUE);
        if (pBar->IsDockedTop())
            rc.top += nHeight;
        else
            rc.bottom -= nHeight;
    }
    if (m_pView && m_pView->m_hWnd)
        MoveWindow(m_pView->m_hWnd, rc.left, rc.top, rc.right - rc.left,
                   std::max<LONG>(0, rc.bottom - rc.top), TRUE);
    // A print preview covers everything, bars included.
    if (CPreviewWnd* pPreview = m_pView ? m_pView->GetPreview() : nullptr) {
        RECT rcAll{};
        GetClientRect(m_hWnd, &rcAll);
        MoveWindow(pPreview->m_hWnd, 0, 0, rcAll.right, rcAll.bottom, TRUE);
    }
}

void CFrameWnd::OnUpdateFrameTitle() {
    if (!m_hWnd)
        return;
    std::wstring str = m_strTitle;
    if (m_pDocument && !m_pDocument->GetTitle().empty())
        str = m_pDocument->GetTitle() + L" - " + m_strTitle;
    SetWindowTextW(m_hWnd, str.c_str());
}

bool CFrameWnd::RouteCommand(UINT nID) {
    if (m_pView && m_pView->RouteCmdMsg(nID))
        return true;
    if (!m_pView && m_pDocument && m_pDocument->OnCmdMsg(nID))
        return true;
    if (OnCmdMsg(nID))
        return true;
    return CWinApp::Get() && CWinApp::Get()->OnCmdMsg(nID);
}

bool CFrameWnd::RouteUpdateCommand(CCmdUI& cmdUI) {
    if (m_pView && m_pView->RouteUpdateCmdUI(cmdUI))
        return true;
    if (OnUpdateCmdUI(cmdUI))
        return true;
    return CWinApp::Get() && CWinApp::Get()->OnUpdateCmdUI(cmdUI);
}

bool CFrameWnd::IsCommandEnabled(UINT nID) {
    CCmdUI cmdUI(nID);
    RouteUpdateCommand(cmdUI);
    return cmdUI.m_bEnabled;
}

void CFrameWnd::OnIdleUpdateCmdUI() {
    for (CDialogBar* pBar : m_arrBars)
        pBar->UpdateDialogControls(this);
}

bool CFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (!m_hAccelTable || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return false;
    return TranslateAcceleratorW(m_hWnd, m_hAccelTable, pMsg) != 0;
}

LRESULT CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nCode = HIWORD(wParam);
    // Menus (0), accelerators (1) and button clicks (BN_CLICKED is 0) are commands; other
    // control notifications are not.
    if (nCode > 1 && lParam != 0)
        return 0;
    RouteCommand(LOWORD(wParam));
    return 0;
}

void CFrameWnd::OnInitMenuPopup(HMENU hMenu) {
    int nCount = GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        UINT nID = GetMenuItemID(hMenu, i);
        if (nID == 0 || nID == static_cast<UINT>(-1))
            continue;
        CCmdUI cmdUI(nID);
        if (!RouteUpdateCommand(cmdUI))
            continue;
        EnableMenuItem(hMenu, i, MF_BYPOSITION | (cmdUI.m_bEnabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(hMenu, i, MF_BYPOSITION | (cmdUI.m_nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CFrameWnd::OnDropFiles(HDROP hDrop) {
    wchar_t szPath[MAX_PATH * 2] = {};
    UINT n = DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
    if (n > 0)
        DragQueryFileW(hDrop, 0, szPath, static_cast<UINT>(std::size(szPath)));
    DragFinish(hDrop);
    if (szPath[0] && CWinApp::Get()) {
        SetForegroundWindow(m_hWnd);
        CWinApp::Get()->OpenDocumentFile(szPath);
    }
}

void CFrameWnd::OnClose() {
    if (m_pDocument && !m_pDocument->CanCloseFrame(this))
        return;
    DestroyWindow();
}

void CFrameWnd::OnDestroy() {
    if (CWinApp::Get() && CWinApp::Get()->m_pMainWnd == this)
        PostQuitMessage(0);
}

LRESULT CFrameWnd::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_SIZE:
        RecalcLayout();
        return 0;
    case WM_SETFOCUS:
        if (m_pView && m_pView->m_hWnd)
            SetFocus(m_pView->m_hWnd);
        return 0;
    case WM_ACTIVATE:
        if (m_pView && m_pView->m_hWnd)
            m_pView->OnActivateView(LOWORD(wParam) != WA_INACTIVE);
        return Default(uMsg, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(wParam, lParam);
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_QUERYENDSESSION:
        return m_pDocument ? m_pDocument->SaveModified() : TRUE;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return Default(uMsg, wParam, lParam);
    }
}
