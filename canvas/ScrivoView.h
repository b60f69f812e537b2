// CScrivoView: the canvas. It owns the page bitmap, a whole sheet of ruled note paper kept at
// zoom 1 in a memory device context, with its colours, line height and size; shows the visible
// part of it stretched by the zoom factor; scrolls; and draws the document's pictures and
// strokes into it. Pen input, tools, undo and the other canvas commands add to this class in
// ScrivoView*.cpp files of their own.
#pragma once
#include <windows.h>

#include <memory>

#include "GdiObjects.h"
#include "PenCapture.h"
#include "ScrivoDoc.h"
#include "ScrollView.h"

class IScrivoFrame;

class CScrivoView : public CScrollView,
                    public IScrivoCanvas,
                    public CPenCapture,
                    public IPictureView {
public:
    CScrivoView();
    ~CScrivoView() override;

    CScrivoDoc* GetDocument() const;
    IScrivoFrame* GetScrivoFrame() const;

    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    void OnDraw(HDC hdc) override;
    bool OnCmdMsg(UINT nID) override;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override;

    // Page bitmap (ScrivoViewPaint.cpp).
    void RebuildPageBitmap();
    void PaintPage(bool bContent) override;
    bool RepaintPageRegion(RECT rc);
    // Draws the ruled paper into rc of hdc (page coordinates).
    void PaintPaper(HDC hdc, const RECT& rc) const;

    // Zoom, scrolling and page size (ScrivoViewZoom.cpp).
    void SetZoomScroll(float fZoom);
    void OnZoomIn();
    void OnZoomOut();
    void OnAddLine();
    void LineHeightUp();
    void LineHeightDown();
    void OnScriptLineColor();

    // The width buttons open the pen-width popup; the popup's width commands set the width of
    // the tool it shows (ScrivoViewTools.cpp).
    bool OnWidthCommand(UINT nID);
    // Client point to page point: trunc((client + scroll) / zoom).
    POINT ClientToPage(POINT ptClient) const;

    // IScrivoCanvas.
    CNotePaper GetPaper() const override;
    bool SetPaper(const CNotePaper& paper) override;
    void ClearPage() override;
    void ScrollToOrigin() override;
    void SetHasInk(bool bHasInk) override { m_bHasInk = bHasInk; }
    HDC GetPageDC() const override { return m_dcPage.Get(); }
    int GetFrameMode() const override;

    // Paper and page (the page bitmap holds the whole page at zoom 1).
    RECT m_rcPage = {0, 0, 0, 0};
    CMemoryDC m_dcPage;
    COwnedBitmap m_bmPage;
    HGDIOBJ m_hOldPageBitmap = nullptr;
    float m_fZoom = 1.0f;
    int m_nLineHeight = 90;
    COLORREF m_crBack = 0;
    COLORREF m_crLine = 0;
    DWORD m_dwPlatformId = VER_PLATFORM_WIN32_NT;

    // Clipboard (ScrivoViewClipboard.cpp).
    void OnEditCopy();
    void OnEditPaste();
    // Forwards the render requests of the bridge's delayed clipboard formats to the bridge.
    void OnRenderFormat(UINT uFormat);
    void OnRenderAllFormats();

    // Pictures (ScrivoViewPictures.cpp): Insert Image from file, the picture tool and its menu.
    void OnInsertImage();
    // Loads a picture file and places it; false (after the picture's message) when unreadable.
    bool InsertPictureFile(const std::wstring& strPath);
    // Puts a new picture on top of the others and into the page bitmap, under the strokes.
    void PlaceNewPicture(std::unique_ptr<CPicture> pPicture);
    // The picture menu's commands; false for any other id.
    bool OnPictureCommand(UINT nID);
    // IPictureView.
    void RepaintPageRect(const RECT& rc) override;
    void ShowDragOutline(const RECT& rc) override;
    void ShowPictureMenu(HMENU hPopup) override;

    // Tools, stroke state and the tablet context are those of CPenCapture (ScrivoViewPackets.cpp).
    void OnActivateView(bool bActivate) override;

protected:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    int OnCreate();
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);

    // Pen input (ScrivoViewPackets.cpp): packets, mouse buttons and the tool cursor.
    bool OnPenMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    HWND TabletWindow() const override { return m_hWnd; }
    int TabletMode() const override { return GetFrameMode(); }
    float CanvasZoom() const override { return m_fZoom; }
    POINT CanvasScroll() const override { return GetScrollPosition(); }
    HDC PageDC() const override { return m_bmPage ? m_dcPage.Get() : nullptr; }
    SIZE PageSize() const override;
    CLines* Strokes() const override;
    void MarkModified() override;
    void RepaintPageArea(const RECT& rc) override { RepaintPageRegion(rc); }
    HCURSOR EraserCursor() const override;
    // The neighbours of the tools: the pen-width popup and the panel (ScrivoViewTools.cpp).
    void ClosePenWidthPopup() override;
    void OnToolChanged(int nOld, int nNew) override;
    void OnThicknessChanged(int nType, int nLevel) override;
    void OnInkWritten() override;
    void DropPictureSelection() override;
    // The picture tool's share of the mouse: true when the message is fully handled.
    bool OnPictureMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

private:
    // A page bitmap of rcPage's size, or null.
    static HBITMAP CreatePageBitmap(const RECT& rcPage);
    void SelectPageBitmap(COwnedBitmap bitmap);
    void DrawContent(HDC hdc);
    void DrawContentInRect(HDC hdc, const RECT& rc);
    // The moving outline of a picture drag, in page coordinates, drawn over the page by OnDraw.
    RECT PageToClient(RECT rc) const;
    void InvalidateOutline(const RECT& rcPage);
    void DrawDragOutline(HDC hdc) const;
    void EndDragOutline();

    int m_nPictureHit = -1;
    RECT m_rcDragOutline{0, 0, 0, 0};
    bool m_bDragOutline = false;
};
