// CPenCapture: the canvas view's drawing tools and stroke capture in letter mode. It owns the
// current tool, the three width levels, the pen colour, the tool cursor and the stroke being
// written, turns each letter-mode packet into a sample of that stroke, draws the sample at once on
// the screen and into the page bitmap, and at pen-up hands the stroke to the document's stroke
// list (or, for the eraser, removes the strokes it touched and repaints that area). It also owns
// stroke-by-stroke undo and redo. The view derives from it and supplies the page, the zoom, the
// scroll position and the document through the hooks below.
#pragma once
#include "Line.h"
#include "Lines.h"
#include "SMLine.h"
#include "PenRules.h"
#include "TabletClient.h"

#include <memory>

// Toggled when the pen leaves the canvas in the middle of a stroke.
extern bool g_bLeftCanvas;

// Command ids of the tools, the width menu, undo and redo.
constexpr UINT ID_TOOL_PICTURE = 1104;
constexpr UINT ID_TOOL_ERASER = 1093;
constexpr UINT ID_TOOL_PENCIL = 1040;
constexpr UINT ID_TOOL_BRUSH = 1039;
constexpr UINT ID_TOOL_MARKER = 1041;
constexpr UINT ID_EDIT_UNDO_STROKE = 1046;
constexpr UINT ID_EDIT_REDO_STROKE = 1047;
constexpr UINT ID_WIDTH_FIRST = 32799; // "1" .. "5": 32799 .. 32803

// The default pen colour: red 0, green 0, blue 128.
constexpr COLORREF kDefaultPenColor = 0x800000;

class CPenCapture : public CTabletClient {
public:
    CPenCapture() = default;
    ~CPenCapture() override;

    // Tool command: pencil, brush, marker, eraser or the picture tool.
    void SelectTool(int nTool);
    // Sets the width level (1 to 5) of tool nType (2 pencil, 3 brush, 4 marker) and selects it.
    void SetThickness(int nType, int nLevel);
    // Handles the tool, undo and redo commands; false for any other id.
    bool OnPenCommand(UINT nID);
    // Width level of a tool, 0 for the eraser and the picture tool.
    int LevelOf(int nTool) const;

    // Undo and redo of whole strokes (letter mode).
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

    int m_nTool = kToolPencil;
    int m_nPencilLevel = 2;
    int m_nBrushLevel = 2;
    int m_nMarkerLevel = 2;
    COLORREF m_crPen = kDefaultPenColor;
    bool m_bMouseDown = false;
    bool m_bPenDown = false;
    bool m_bDrawing = false;
    POINT m_ptLast{};
    POINT m_ptPrev{};
    short m_nLastWeight = 0;
    std::unique_ptr<CLine> m_pCurLine;
    bool m_bHasInk = false;
    bool m_bClearRedo = false;
    CSMLine m_smScreen;
    CSMLine m_smPage;
    HCURSOR m_hToolCursor = nullptr;

protected:
    BOOL OnLetterPacket(DWORD nTime, DWORD nButtons, LONG x, LONG y, UINT nPressure) override;
    int TabletTool() const override { return m_nTool; }

    // The view's zoom (0.5, 1, 2 or 4) and scroll position in zoomed pixels.
    virtual float CanvasZoom() const = 0;
    virtual POINT CanvasScroll() const = 0;
    // The page bitmap's device context and the page size in page pixels.
    virtual HDC PageDC() const = 0;
    virtual SIZE PageSize() const = 0;
    // The document's stroke list, null when there is no document.
    virtual CLines* Strokes() const = 0;
    virtual void MarkModified() = 0;
    // Repaints paper, pictures and strokes in a page rectangle of the page bitmap.
    virtual void RepaintPageArea(const RECT& rc) = 0;

    // Optional neighbours: the pen-width popup, the colour and line panel, the picture selection.
    virtual void ClosePenWidthPopup() {}
    virtual void OnToolChanged(int /*nOld*/, int /*nNew*/) {}
    virtual void OnThicknessChanged(int /*nType*/, int /*nLevel*/) {}
    virtual void DropPictureSelection() {}
    virtual void OnInkWritten() {}
    virtual HCURSOR EraserCursor() const { return LoadCursorW(nullptr, IDC_CROSS); }

    // Repaints the whole view from the page bitmap, without erasing.
    void InvalidateCanvas() const;

private:
    struct Surfaces;
    bool IsOnCanvasNow(POINT pt, POINT ptOrigin) const;
    short SampleWeight(UINT nPressure) const;
    void StartStroke(const Surfaces& s, POINT pt, POINT ptPage, short nWeight);
    void ContinueStroke(const Surfaces& s, POINT pt, POINT ptPage, short nWeight);
    void EndStroke(POINT ptOrigin);
    void DrawMarkerSegment(HDC hdc, POINT ptFrom, POINT ptTo, int nWidth) const;
    POINT PageOf(POINT ptScreen, POINT ptOrigin) const;
    POINT ClientOrigin() const;
};
