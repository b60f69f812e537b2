// CCanvasTestAccess: the tests' one way into the private state of the canvas classes (the view,
// its screen run, the pen capture and the tablet client), which name it their friend. Only what a
// test reads or sets and the classes do not offer goes here.
#pragma once
#include "ScrivoView.h"

class CCanvasTestAccess {
public:
    // The tablet client: its context, the window the context was opened on and the record it was
    // opened with, the device's pressure axis and its normalisation, the flag that opens the
    // context again at the next packet, and the libraries it calls.
    static HCTX& Context(CTabletClient& client) { return client.m_hCtx; }
    static HWND ContextOwner(const CTabletClient& client) { return client.m_hCtxOwner; }
    static const LOGCONTEXTA& ContextRecord(const CTabletClient& client) { return client.m_lc; }
    static const AXIS& PressureAxis(const CTabletClient& client) { return client.m_axPressure; }
    static int PressureMax(const CTabletClient& client) { return client.m_nPressureMax; }
    static int PressureScale(const CTabletClient& client) { return client.m_nPressureScale; }
    static BOOL& ReopenFlag(CTabletClient& client) { return client.m_bReopenCtx; }
    static const CWintabApi*& WintabLibrary(CTabletClient& client) { return client.m_pWintab; }
    static const CPointerApi*& PointerLibrary(CTabletClient& client) { return client.m_pPointer; }

    // The pen capture: the left button's state, the stroke in progress, the pen's leaving the
    // canvas, the redo list's pending clear and the tool cursor.
    static bool& MouseDown(CPenCapture& capture) { return capture.m_bMouseDown; }
    static bool IsDrawing(const CPenCapture& capture) { return capture.m_bDrawing; }
    static bool HasLeftCanvas(const CPenCapture& capture) { return capture.m_bLeftCanvas; }
    static bool ClearsRedo(const CPenCapture& capture) { return capture.m_bClearRedo; }
    static HCURSOR ToolCursor(const CPenCapture& capture) { return capture.m_hToolCursor; }

    // The view: the page's rectangle and the zoom, the ruled lines' spacing and the paper's colour,
    // the page bitmap, desktop mode's printed picture and the picture placed last.
    static RECT& PageRect(CScrivoView& view) { return view.m_rcPage; }
    static float& Zoom(CScrivoView& view) { return view.m_fZoom; }
    static int& LineHeight(CScrivoView& view) { return view.m_nLineHeight; }
    static COLORREF& BackColor(CScrivoView& view) { return view.m_crBack; }
    static const COwnedBitmap& PageBitmap(const CScrivoView& view) { return view.m_bmPage; }
    static const CImageDC& PrintScreen(const CScrivoView& view) { return view.m_dcPrintScreen; }
    static CPicture* NewPicture(const CScrivoView& view) { return view.m_pNewPicture; }

    // The screen run: the capture area selected so far, whether a selection is under way, and the
    // packets the capture has ignored since it started.
    static const RECT& SelectRect(const CScreenRun& run) { return run.m_rcSelect; }
    static bool IsSelecting(const CScreenRun& run) { return run.m_bSelecting; }
    static short CaptureSkip(const CScreenRun& run) { return run.m_nCaptureSkip; }
};
