#include "View.h"

#include "Document.h"
#include "FrameWnd.h"
#include "GdiObjects.h"

bool CView::PreCreateWindow(CREATESTRUCTW& cs) {
    WNDCLASSEXW wc{};
    wc.style = CS_DBLCLKS;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"QuilletView";
    if (!RegisterFrameworkClass(wc))
        return false;
    cs.lpszClass = L"QuilletView";
    return true;
}

bool CView::Create(CFrameWnd* pFrame, UINT nID) {
    m_pFrame = pFrame;
    CREATESTRUCTW cs{};
    cs.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    cs.dwExStyle = WS_EX_CLIENTEDGE;
    cs.hwndParent = pFrame->m_hWnd;
    if (!PreCreateWindow(cs))
        return false;
    return CreateEx(cs.dwExStyle, cs.lpszClass, L"", cs.style, 0, 0, 0, 0, cs.hwndParent,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

bool CView::RouteCmdMsg(UINT nID) {
    if (OnCmdMsg(nID))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(nID);
}

bool CView::RouteUpdateCmdUI(CCmdUI& cmdUI) {
    if (OnUpdateCmdUI(cmdUI))
        return true;
    return m_pDocument && m_pDocument->OnUpdateCmdUI(cmdUI);
}

void CView::OnPaint() {
    CPaintScope paint(m_hWnd);
    OnPrepareDC(paint.Get());
    OnDraw(paint.Get());
}

LRESULT CView::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEACTIVATE:
        // A click on the view gives it the focus without taking the click away.
        SetFocus(m_hWnd);
        return MA_ACTIVATE;
    default:
        return Default(uMsg, wParam, lParam);
    }
}
