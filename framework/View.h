// CView: the child window that shows the document inside the frame. OnDraw paints through a
// device context given to it, so that the screen, printing and tests draw the same way.
#pragma once
#include "Wnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd {
public:
    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const { return m_pFrame; }

    // Registers the view's window class and fills in cs; false stops the creation.
    virtual bool PreCreateWindow(CREATESTRUCTW& cs);
    bool Create(CFrameWnd* pFrame, UINT nID);

    virtual void OnDraw(HDC hdc) = 0;
    // Sets up the device context for OnDraw (the scrolling view moves its origin).
    virtual void OnPrepareDC(HDC /*hdc*/) {}
    virtual void OnInitialUpdate() { OnUpdate(nullptr); }
    virtual void OnUpdate(CView* /*pSender*/) { InvalidateRect(m_hWnd, nullptr, TRUE); }
    virtual void OnActivateView(bool /*bActivate*/) {}

    // Commands go to the view first and then to its document.
    bool RouteCmdMsg(UINT nID);
    bool RouteUpdateCmdUI(CCmdUI& cmdUI);

protected:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();

private:
    friend class CSingleDocTemplate;
    friend class CFrameWnd;
    CDocument* m_pDocument = nullptr;
    CFrameWnd* m_pFrame = nullptr;
};
