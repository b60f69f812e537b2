// CPenCapture: the canvas view's drawing tools and stroke capture. It owns the current tool, the
// three width levels, the pen colour, the tool cursor and the stroke being written; turns each
// packet into a sample of that stroke by the rules of the mode (letter, desktop or inking);
// draws the sample at once on the mode's drawing surface (CInkSurface: the page with the view's
// image, or the overlay's ink image with the overlay); and at pen-up hands the stroke to the
// document's stroke list or, for the eraser, removes the strokes it touched and repaints that
// area. It also owns stroke-by-stroke undo and redo. The view derives from it and supplies the
// page, the overlay, the zoom, the scroll position and the document through the hooks below.
#pragma once
#include "InkSurface.h"
#include "Line.h"
#include "Lines.h"
#include "PenRules.h"
#include "resource.h"
#include "SMLine.h"
#include "TabletClient.h"

#include <memory>

// The default pen colour: red 0, green 0, blue 128.
constexpr COLORREF kDefaultPenColor = 0x800000;

class CPenCapture : public CTabletClient {
public:
    CPenCapture() = default;
    ~CPenCapture() override;

    // Tool command: pencil, brush, marker, eraser or the picture tool.
    void SelectTool(int nTool);
    // Sets the width level (1 to 5) of tool nType (pencil, brush or marker) and selects it.
    void SetThickness(int nType, int nLevel);
    // Handles the tool, undo and redo commands; false for any other id.
    bool OnPenCommand(UINT nID);
    // Width level of a tool, 0 for the eraser and the picture tool.
    int LevelOf(int nTool) const;

    // Undo and redo of whole strokes, on the page or, in desktop and inking mode, the overlay.
    void UndoStroke();
    void RedoStroke();

    // Left button on the view: captures the mouse while it is down.
    void PenMouseDown();
    void PenMouseUp();
    // The page was cleared: no stroke, no ink, nothing pending.
    void ResetStrokeCapture();

    // The cursor of the pencil, brush and marker (built when missing), the eraser's cursor, or
    // null for the picture tool.
    HCURSOR PenCursor();
    // Builds the tool cursor anew for the current tool, level and colour.
    void RebuildToolCursor();

    int Tool() const { return m_nTool; }
    COLORREF PenColor() const { return m_crPen; }
    void SetPenColor(COLORREF cr) { m_crPen = cr; }
    // Whether the page holds ink (strokes or pictures) the user must not lose.
    bool HasInk() const { return m_bHasInk; }
    // The tip's state as the packets report it.
    bool IsPenDown() const { return m_bPenDown; }
    void SetPenDown(bool bDown) { m_bPenDown = bDown; }
    bool IsInkArmed() const { return m_bInkArmed; }
    void SetInkArmed(bool bArmed) { m_bInkArmed = bArmed; }
    // The stroke being written goes, unfinished.
    void DropStroke() {
        m_bDrawing = false;
        m_pCurLine.reset();
    }

protected:
    int m_nTool = kToolPencil;
    int m_nPencilLevel = 2;
    int m_nBrushLevel = 2;
    int m_nMarkerLevel = 2;
    COLORREF m_crPen = kDefaultPenColor;
    bool m_bMouseDown = false;
    bool m_bPenDown = false;
    bool m_bDrawing = false;
    // Toggled when the pen leaves the canvas in the middle of a stroke.
    bool m_bLeftCanvas = false;
    POINT m_ptLast{};
    POINT m_ptPrev{};
    short m_nLastWeight = 0;
    std::unique_ptr<CLine> m_pCurLine;
    bool m_bHasInk = false;
    bool m_bClearRedo = false;
    // A writing run of inking mode is active: only then do inking packets become strokes.
    bool m_bInkArmed = false;
    CSMLine m_smScreen;
    CSMLine m_smPage;
    HCURSOR m_hToolCursor = nullptr;

    BOOL OnLetterPacket(DWORD nTime, DWORD nButtons, LONG x, LONG y, UINT nPressure) override;
    BOOL OnDesktopPacket(DWORD nTime, DWORD nButtons, LONG x, LONG y, UINT nPressure) override;
    BOOL OnInkingPacket(DWORD nTime, DWORD nButtons, LONG x, LONG y, UINT nPressure) override;
    int TabletTool() const override { return m_nTool; }
    // The eraser end selects the eraser for as long as it is used; the tip brings back the tool
    // chosen before, unless another was chosen meanwhile.
    void OnPenTurned(bool bEraserEnd) override;
    bool CanTurnPen() const override { return !m_bDrawing; }

    // The view's zoom (0.5, 1, 2 or 4) and scroll position in zoomed pixels.
    virtual float CanvasZoom() const = 0;
    virtual POINT CanvasScroll() const = 0;
    // The page bitmap's device context and the page size in page pixels.
    virtual HDC PageDC() const = 0;
    virtual SIZE PageSize() const = 0;
    // The view's off-screen image of its client area, holding what the window shows; null when
    // it cannot be made.
    virtual HDC ShownImageDC() = 0;
    // The document's stroke list, null when there is no document.
    virtual CLines* Strokes() const = 0;
    virtual void MarkModified() = 0;
    // Repaints paper, pictures and strokes in a page rectangle of the page bitmap.
    virtual void RepaintPageArea(const RECT& rc) = 0;

    // The overlay of desktop and inking mode (null when there is none): its window, which lies
    // at the screen's origin, its ink image, and the frozen screen that image started from.
    virtual HWND OverlayWindow() const { return nullptr; }
    virtual HDC OverlayInkDC() const { return nullptr; }
    virtual HDC FrozenScreenDC() const { return nullptr; }
    // Desktop and inking: whether the main frame's window lies under a screen point, whether a
    // pop-up of the program covers it (then the pen writes nothing there), and raising the
    // main frame above the overlay again.
    virtual bool IsOverMainFrame(POINT) const { return false; }
    virtual bool IsPenCovered(POINT) const { return false; }
    virtual void RaiseMainFrame() {}

    // Optional neighbours: the pen-width popup, the colour and line panel, the picture selection.
    virtual void ClosePenWidthPopup() {}
    virtual void OnToolChanged(int /*nOld*/, int /*nNew*/) {}
    virtual void OnThicknessChanged(int /*nType*/, int /*nLevel*/) {}
    virtual void DropPictureSelection() {}
    virtual void OnInkWritten() {}
    virtual HCURSOR EraserCursor() const { return LoadCursorW(nullptr, IDC_CROSS); }

    // Repaints the whole view from the page bitmap, without erasing.
    void InvalidateCanvas() const;
    // Desktop and inking: puts the frozen screen back into rc of the overlay's ink image, draws
    // the strokes that meet rc there again, and shows rc on the overlay.
    void RestoreOverlayArea(const RECT& rc);
    // Copies rc of the overlay's ink image to the overlay window.
    void ShowOverlayArea(const RECT& rc) const;

private:
    friend class CCanvasTestAccess;

    bool IsOnCanvasNow(POINT pt, POINT ptOrigin) const;
    // The button event of a desktop or inking packet; false when the packet is to be ignored.
    bool TakeOverlayButton(DWORD nButtons, POINT pt);
    void ClearRedoOnce();
    CInkSurface LetterSurface(POINT ptClientOrigin);
    CInkSurface OverlaySurface(float fLineZoom) const;
    // A sample of the stroke: the first starts it, the others continue it. bPlain draws every
    // tool as plain lines (inking mode).
    void TakeSample(CInkSurface& surface, POINT pt, short nWeight, bool bPlain);
    void StartStroke(CInkSurface& surface, POINT pt, short nWeight, bool bPlain);
    void ContinueStroke(CInkSurface& surface, POINT pt, short nWeight, bool bPlain);
    // Ends the stroke: the steps every mode shares; the stroke's list or null.
    CLines* FinishStroke();
    // The newest stroke, an eraser path, removes what it touches and itself: whether anything
    // else went, and the area of what went (the strokes' reach bounds).
    static bool EraseWithNewest(CLines& lines, RECT& rcErased);
    void EndLetterStroke(POINT ptOrigin);
    void EndOverlayStroke(bool bMarkModified);
    COLORREF ShownColor() const { return m_nTool == kToolEraser ? 0 : m_crPen; }
    POINT ClientOrigin() const;

    // The tool chosen when the pen was turned to its eraser end.
    int m_nToolBeforeEraser = kToolPencil;
};
