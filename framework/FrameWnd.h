// CFrameWnd: the program's top-level window. It holds the view and the dialog bars docked at
// its top and bottom edges, lays them out, routes commands (view, document, frame, application)
// and keeps its caption in step with the document's title.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "Wnd.h"

#include <shellapi.h>

class CDialogBar;
class CDocument;
class CView;

class CFrameWnd : public CWnd {
public:
    ~CFrameWnd() override;

    // Fills in the creation record; the default registers the framework's frame class.
    virtual bool PreCreateWindow(CREATESTRUCTW& cs);
    // Creates the frame window (hidden), its view, and loads menu and accelerators nIDResource.
    bool LoadFrame(UINT nIDResource, std::unique_ptr<CView> pView, CDocument* pDoc);

    CView* GetActiveView() const { return m_pView.get(); }
    CDocument* GetActiveDocument() const { return m_pDocument; }
    HACCEL GetAccelerators() const { return m_hAccelTable; }

    // Bars are laid out in the order they were added, top bars downwards, bottom bars upwards.
    void AddDockedBar(CDialogBar* pBar);
    void RecalcLayout();
    // Sets the caption to "<document title> - <application title>".
    virtual void OnUpdateFrameTitle();

    // Offers the command to the view, the document, the frame and the application in turn.
    bool RouteCommand(UINT nID);
    bool RouteUpdateCommand(CCmdUI& cmdUI);
    bool IsCommandEnabled(UINT nID);
    // Accelerator keys of the frame; true when the message was used.
    bool PreTranslateMessage(MSG* pMsg) override;
    // Enables and disables the bars' controls by their commands' update handlers.
    void OnIdleUpdateCmdUI();

protected:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // Creates the view; a derived frame calls this first and then creates its bars.
    virtual int OnCreate(CREATESTRUCTW* pcs);
    virtual void OnClose();
    virtual void OnDestroy();
    void OnInitMenuPopup(HMENU hMenu);
    void OnDropFiles(HDROP hDrop);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);

    std::wstring m_strTitle;

private:
    std::unique_ptr<CView> m_pView;
    CDocument* m_pDocument = nullptr;
    std::vector<CDialogBar*> m_arrBars;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDResource = 0;
};
