// CView: the child window that shows the document inside the frame. OnDraw paints through a
// device context given to it, so that the screen, printing and tests draw the same way.
#pragma once
#include <memory>

#include "PreviewWnd.h"
#include "Wnd.h"

class CDocument;
class CFrameWnd;
class CPrintInfo;

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

    // Printing (ViewPrint.cpp). A print run calls OnPreparePrinting (which calls
    // DoPreparePrinting for the printer's device context), OnBeginPrinting, OnPrint for each page
    // with the page's drawing rectangle, and OnEndPrinting; a preview calls the same and, when it
    // closes, OnEndPrintPreview, whose default removes the preview.
    virtual bool OnPreparePrinting(CPrintInfo& info) { return DoPreparePrinting(info); }
    // The printer: the print dialog, or without it the default printer (direct print, preview)
    // or the printer named on the command line (/pt). False when there is none or on Cancel.
    bool DoPreparePrinting(CPrintInfo& info);
    virtual void OnBeginPrinting(HDC /*hdc*/, CPrintInfo& /*info*/) {}
    virtual void OnPrint(HDC hdc, CPrintInfo& /*info*/) { OnDraw(hdc); }
    virtual void OnEndPrinting(HDC /*hdc*/, CPrintInfo& /*info*/) {}
    virtual void OnEndPrintPreview(HDC hdc, CPrintInfo& info);
    // The print commands: Print (with the dialog unless bDirect) and Print Preview.
    void OnFilePrint(bool bDirect);
    void OnFilePrintPreview();
    // Ends a running preview (its Close button, Esc, or its Print button before printing).
    void EndPrintPreview();
    // The preview window while one is shown, else null.
    CPreviewWnd* GetPreview() const {
        return m_pPreview && m_pPreview->m_hWnd ? m_pPreview.get() : nullptr;
    }

protected:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();

private:
    friend class CSingleDocTemplate;
    friend class CFrameWnd;
    CDocument* m_pDocument = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    std::unique_ptr<CPreviewWnd> m_pPreview;
};
