// CScrivoView: the canvas. It owns the page bitmap, a whole sheet of ruled note paper kept at
// zoom 1 in a memory device context, with its colours, line height and size; shows the visible
// part of it stretched by the zoom factor; scrolls; and draws the document's pictures and
// strokes into it. Pen input, tools, undo and the other canvas commands add to this class in
// ScrivoView*.cpp files of their own; the desktop and inking runs over the frozen screen are its
// CScreenRun.
#pragma once
#include <windows.h>

#include <memory>

#include "CaptureWindow.h"
#include "GdiObjects.h"
#include "ImageDC.h"
#include "PenCapture.h"
#include "ScreenRun.h"
#include "ScrivoDoc.h"
#include "ScrollView.h"

class IScrivoFrame;
class CPicture;

class CScrivoView : public CScrollView,
                    public IScrivoCanvas,
                    public CPenCapture,
                    public IPictureView,
                    public IOverlayOwner {
public:
    CScrivoView();
    ~CScrivoView() override;

    CScrivoDoc* GetDocument() const;
    IScrivoFrame* GetScrivoFrame() const;

    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    void OnDraw(HDC hdc) override;
    bool OnCmdMsg(UINT nID) override;
    // A writing run of inking mode is armed or a capture area is being selected.
    bool IsRunInProgress() const;
    bool OnUpdateCmdUI(CCmdUI& cmdUI) override;

    // Page bitmap and the image of the client area (ScrivoViewPaint.cpp).
    void RebuildPageBitmap();
    // Draws what the window shows into m_dcShown, made the client area's size; false when the
    // image cannot be made.
    bool RenderShownImage();
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
    // the tool it shows (ScrivoViewPen.cpp).
    bool OnWidthCommand(UINT nID);
    // Client point to page point: trunc((client + scroll) / zoom).
    POINT ClientToPage(POINT ptClient) const;

    // IScrivoCanvas.
    CNotePaper GetPaper() const override;
    bool SetPaper(const CNotePaper& paper) override;
    void ClearPage() override;
    void ScrollToOrigin() override;
    void SetHasInk(bool bHasInk) override { m_bHasInk = bHasInk; }
    bool IsWriting() const override { return m_bMouseDown || m_bDrawing; }
    HDC GetPageDC() const override { return m_dcPage.Get(); }
    int GetFrameMode() const override;
    // Desktop and inking mode: the pauses of the screen run.
    void PauseForDialog(bool bPause) override { m_run.PauseForDialog(bPause); }
    void PauseForMail(bool bPause) override { m_run.PauseForMail(bPause); }
    HDC GetDesktopImage() const override { return m_run.GetDesktopImage(); }
    // The paper's colour (the page is painted again by the caller).
    void SetBackColor(COLORREF cr) { m_crBack = cr; }

    // Printing (ScrivoViewPrint.cpp): one printed page per band of twice the page width; in
    // desktop mode one page with the frozen screen and the ink.
    UINT PrintPageCount() const;
    // The Print and Print Preview commands, with desktop mode's pause of the pen and the overlay.
    void OnFilePrintCommand(bool bDirect);
    void OnFilePrintPreviewCommand();
    bool OnPreparePrinting(CPrintInfo& info) override;
    void OnBeginPrinting(HDC hdc, CPrintInfo& info) override;
    void OnPrint(HDC hdc, CPrintInfo& info) override;
    void OnEndPrinting(HDC hdc, CPrintInfo& info) override;
    void OnEndPrintPreview(HDC hdc, CPrintInfo& info) override;

    // Forwards the render requests of the bridge's delayed clipboard formats to the bridge.
    void OnRenderFormat(UINT uFormat);
    void OnRenderAllFormats();

    // Pictures (ScrivoViewPictures.cpp): Insert Image from file, Copy and Paste, the picture tool
    // and its menu.
    void OnEditCopy();
    void OnEditPaste();
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

    // Tools, stroke state and the tablet context are those of CPenCapture (ScrivoViewPen.cpp).
    void OnActivateView(bool bActivate) override;

    // The desktop and inking runs: the overlay, the frozen screen, capture and the hand-over.
    CScreenRun& ScreenRun() { return m_run; }
    const CScreenRun& ScreenRun() const { return m_run; }
    // What the screen run needs of the pen capture.
    CLines* Strokes() const override;
    using CPenCapture::InvalidateCanvas;

protected:
    // A page bitmap of rcPage's size, or null when it cannot be made.
    virtual HBITMAP CreatePageBitmap(const RECT& rcPage) const;
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    int OnCreate();
    void OnDestroy();
    // WM_PAINT: the client area is drawn into m_dcShown and copied to the window from there.
    void PaintWindow();

    // Pen input (ScrivoViewPen.cpp): packets, mouse buttons and the tool cursor.
    bool OnPenMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);
    // A pointer message on the view: true when a Windows Ink pen's samples were taken.
    bool OnViewPointer(UINT uMsg, WPARAM wParam, LRESULT& lResult);
    HWND TabletWindow() const override { return m_hWnd; }
    // The overlay while it is shown, else the main frame.
    HWND ContextOwner() const override;
    bool IsCanvasCovered() const override { return GetPreview() != nullptr; }
    int TabletMode() const override { return GetFrameMode(); }
    float CanvasZoom() const override { return m_fZoom; }
    POINT CanvasScroll() const override { return GetScrollPosition(); }
    HDC PageDC() const override { return m_bmPage ? m_dcPage.Get() : nullptr; }
    HDC ShownImageDC() override;
    SIZE PageSize() const override;
    void MarkModified() override;
    void RepaintPageArea(const RECT& rc) override { RepaintPageRegion(rc); }
    HCURSOR EraserCursor() const override;
    // The neighbours of the tools: the tool buttons and the line spacing of the panel
    // (ScrivoViewPen.cpp).
    void OnToolChanged(int nOld, int nNew) override;
    void OnThicknessChanged(int nType, int nLevel) override;
    void OnInkWritten() override;
    void DropPictureSelection() override;
    // The picture tool's share of the mouse: true when the message is fully handled.
    bool OnPictureMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

    // The overlay as the pen capture uses it (ScrivoViewPen.cpp).
    HWND OverlayWindow() const override;
    HDC OverlayInkDC() const override;
    HDC FrozenScreenDC() const override { return m_run.FrozenScreen().Get(); }
    bool IsOverMainFrame(POINT pt) const override { return m_run.IsOverMainFrame(pt); }
    bool IsPenCovered(POINT pt) const override;
    void RaiseMainFrame() override { m_run.RaiseMainFrame(); }
    BOOL OnCapturePacket(DWORD nTime, DWORD nButtons, LONG x, LONG y, UINT nPressure) override {
        return m_run.OnCapturePacket(nTime, nButtons, x, y, nPressure);
    }
    void ClosePenWidthPopup() override;

    // IOverlayOwner.
    void EnableOverlayTablet(BOOL bEnable) override;
    void OnOverlayEscape() override { m_run.OnOverlayEscape(); }
    HCURSOR OverlayToolCursor() override { return PenCursor(); }
    HWND OverlayMainFrame() const override { return m_run.MainFrameWindow(); }
    void OnOverlayClickBesideStrip() override;
    void KeepStripInFront() override { RaiseMainFrame(); }
    bool IsOverlayInUse() const override { return m_run.IsOverlayInUse(); }
    void OnOverlayMouse(UINT uMsg, POINT ptScreen) override { OnMousePen(uMsg, ptScreen); }
    void OnOverlayShown() override { FollowPenWindow(); }
    LRESULT OnOverlayPacket(WPARAM wParam, LPARAM lParam) override {
        return OnWTPacket(wParam, lParam);
    }
    bool OnOverlayPointer(UINT uMsg, WPARAM wParam) override {
        return OnPointerMessage(uMsg, wParam);
    }

private:
    // The page in page pixels and the zoom.
    RECT m_rcPage = {0, 0, 0, 0};
    float m_fZoom = 1.0f;
    friend class CCanvasTestAccess;

    void SelectPageBitmap(COwnedBitmap bitmap);
    void DrawContent(HDC hdc);
    void DrawContentInRect(HDC hdc, const RECT& rc);
    // The moving outline of a picture drag, in page coordinates, drawn over the page by OnDraw.
    RECT PageToClient(RECT rc) const;
    void InvalidateOutline(const RECT& rcPage);
    void DrawDragOutline(HDC hdc) const;
    void EndDragOutline();

    // Paper and page (the page bitmap holds the whole page at zoom 1).
    CMemoryDC m_dcPage;
    COwnedBitmap m_bmPage;
    HGDIOBJ m_hOldPageBitmap = nullptr;
    int m_nLineHeight = 90;
    COLORREF m_crBack = 0;
    COLORREF m_crLine = 0;
    // The off-screen image of the client area: paints go through it and live ink is drawn into
    // it, so that the window's pixels are never read.
    CImageDC m_dcShown;
    // Desktop mode's printed picture: the frozen screen with the ink, while a print run lasts.
    CImageDC m_dcPrintScreen;
    // The picture placed last.
    CPicture* m_pNewPicture = nullptr;
    int m_nPictureHit = -1;
    RECT m_rcDragOutline{0, 0, 0, 0};
    bool m_bDragOutline = false;
    CScreenRun m_run{*this};
};
