// CTabletClient: the canvas view's side of the tablet. It owns the program's one tablet context
// (opened on the top-level window the pen writes over, which hands its packet messages on), the
// pressure normalisation of the device, and the intake of packet messages: it reads at most 64
// queued packets per message, puts the system cursor's screen position into each, tells from the
// pressure when the tip touches and lifts, and hands every packet to the handler that the capture
// state, the main frame's mode and the current tool call for. The view derives from it and supplies
// those handlers; tests derive from it with a fake tablet library. When no tablet context can be
// opened, it takes a Windows Ink pen from the system's pointer messages instead, or else turns the
// left mouse button into a pen of fixed middle pressure; the packets of both go to the same
// handlers. A pen turned over to its eraser end erases for as long as that end is used.
#pragma once
#include "FrameMode.h"
#include "PointerApi.h"
#include "WintabApi.h"

#include <array>

// Packets of the batch being handled, 0 when no batch is in progress.
extern int g_nPacketBatch;

// Most packets read per packet message.
constexpr int kPacketBatchMax = 64;

// Where a screen capture stands: idle, its dialog shown, or its area being selected.
enum ECaptureState : short {
    kCaptureIdle = 0,
    kCaptureDialog = 1,
    kCaptureSelecting = 2,
};

class CTabletClient {
public:
    CTabletClient() = default;
    CTabletClient(const CTabletClient&) = delete;
    CTabletClient& operator=(const CTabletClient&) = delete;
    virtual ~CTabletClient() = default;

    // Builds m_lc for the window and opens it enabled, with a queue of up to 64 packets; null
    // without a tablet library.
    HCTX OpenTabletContext(HWND hWnd, BOOL bSystemCursor);
    // Opens the context on ContextOwner() as at creation (unless one is open already) or takes a
    // Windows Ink pen, in the order the settings key SETTING / PENINPUT asks for, telling the user
    // once when there is neither, and reads the device's pressure axis and cursors.
    void OpenViewContext();
    // Opens the open context again on ContextOwner() when that is another window now (the
    // overlay came or went); a closed context stays closed.
    void FollowPenWindow();
    // Disables, lowers and closes the open context and clears m_hCtx; a Windows Ink pen stops
    // writing until OpenViewContext.
    void CloseTabletContext();
    // After a display change: close, wait a second, open again and restore the enabled state.
    void ReopenTabletContext();
    // Reads the normal-pressure axis and sets m_nPressureScale and m_nPressureMax.
    void ReadPressureAxis();
    // Handler of the packet message; lParam is the context with packets queued. 0 or -1.
    LRESULT OnWTPacket(WPARAM wParam, LPARAM lParam);
    // The view was activated or deactivated (letter mode only enables and raises the context).
    void ActivateTabletContext(BOOL bActivate);

    // A left-button message at a screen point: down, a move with the button held, up, or the
    // loss of the mouse capture (an up). While the mouse pen is on (no tablet context could be
    // opened and the settings key SETTING / MOUSEPEN is not 0) it becomes one packet at a fixed
    // middle pressure for the handler of the current mode, as a tablet packet would; false when
    // the message is not the mouse pen's.
    bool OnMousePen(UINT uMsg, POINT ptScreen);
    bool IsMousePen() const { return m_bMousePen; }

    // A pointer message (down, update, up). While a Windows Ink pen is in use, a pen pointer's
    // samples since the last message, the coalesced ones included, become packets for the handler
    // of the current mode, each at the pointer's screen pixel with its pressure as a 1,024-level
    // tablet reports it; false when the message is not such a pen's (a finger's, say), which the
    // caller then leaves to the system.
    bool OnPointerMessage(UINT uMsg, WPARAM wParam);
    bool IsInkPen() const { return m_bInkPen; }
    // Whether the pen's eraser end is in use.
    bool IsEraserEnd() const { return m_bEraserEnd; }

    const CWintabApi& Binding() const { return *m_pWintab; }
    bool IsBound() const { return m_pWintab && m_pWintab->m_bWintab; }

    bool HasContext() const { return m_hCtx != nullptr; }
    // Brings the open context to the top of the overlap order.
    void OverlapContext() const;
    // After a display change: the next packet message opens the context again.
    void ReopenAtNextPacket() { m_bReopenCtx = TRUE; }
    short CaptureState() const { return m_nCaptureState; }
    void SetCaptureState(short nState) { m_nCaptureState = nState; }

protected:
    HCTX m_hCtx = nullptr;
    AXIS m_axPressure{};
    int m_nPressureMax = 511;
    int m_nPressureScale = 1;
    short m_nCaptureState = kCaptureIdle;
    // The bound tablet library; the process-wide one unless a test or a benchmark substitutes
    // its own.
    const CWintabApi* m_pWintab = &Wintab();
    // The looked-up pointer functions; likewise.
    const CPointerApi* m_pPointer = &PointerApi();

    // The view's window.
    virtual HWND TabletWindow() const = 0;
    // The window the context is opened on. A tablet library may deliver packets only to a
    // context whose window is the top-level window under the pen (Wine's does), so the view
    // names the top-level window it writes over.
    virtual HWND ContextOwner() const { return TabletWindow(); }
    // The main frame's mode and the view's current tool.
    virtual int TabletMode() const = 0;
    virtual int TabletTool() const = 0;

    // Packet handlers: time, buttons, screen x and y of the cursor, raw pressure.
    virtual BOOL OnCapturePacket(DWORD, DWORD, LONG, LONG, UINT) { return FALSE; }
    virtual BOOL OnLetterPacket(DWORD nTime, DWORD nButtons, LONG x, LONG y, UINT nPressure) = 0;
    virtual BOOL OnDesktopPacket(DWORD, DWORD, LONG, LONG, UINT) { return FALSE; }
    virtual BOOL OnInkingPacket(DWORD, DWORD, LONG, LONG, UINT) { return FALSE; }

    // Whether a window of the program lies over the canvas for now (the print preview): the pen
    // writes nothing under it.
    virtual bool IsCanvasCovered() const { return false; }

    // The pen was turned to its eraser end or back to its tip; the end is taken only while
    // CanTurnPen() holds (not in the middle of a stroke), else at a later packet.
    virtual void OnPenTurned(bool /*bEraserEnd*/) {}
    virtual bool CanTurnPen() const { return true; }

    // System services, replaceable in tests.
    virtual POINT TabletCursorPos() const;
    virtual void TabletSleep(DWORD dwMs) const { Sleep(dwMs); }
    virtual void TabletBeep() const { MessageBeep(0xFFFFFFFF); }

private:
    friend class CCanvasTestAccess;

    // Hands one packet, positioned at the cursor point pt, to its handler; bEraserEnd tells
    // which end of the pen made it.
    void HandlePacket(const PenPacket& packet, POINT pt, bool bEraserEnd);
    // Chooses the pen input for OpenViewContext: opens the context or takes the Windows Ink pen;
    // false when the settings ask for the mouse pen alone.
    bool ChoosePenInput();
    // Reads which of the driver's cursors are eraser ends into m_nEraserCursors.
    void ReadEraserCursors();
    bool IsEraserCursor(UINT nCursor) const;
    // Takes the pen's end for the next packet.
    void TakePenEnd(bool bEraserEnd);
    // A pen sample of the pointer as a packet (pressure of a 1,024-level tablet) and its end.
    void HandlePenSample(const PointerPenInfo& info);
    // The tip's event for a packet of this pressure: pressed when the pressure rises from zero,
    // released when it falls to zero, else none. A driver that honours the relative button mode
    // reports press and release in pkButtons, Wine's the absolute button mask whatever the mode
    // asked; both report the pressure, so every driver gives the same strokes.
    DWORD TipEvent(UINT nPressure);

    // Room for a whole batch and as many again, so that a driver that reports more packets than
    // it was asked for cannot write past the buffer before the batch is dropped.
    std::array<PenPacket, 2 * kPacketBatchMax> m_batch{};
    // The window m_hCtx was opened on.
    HWND m_hCtxOwner = nullptr;
    LOGCONTEXTA m_lc{};
    BOOL m_bReopenCtx = FALSE;
    bool m_bToldNoContext = false;
    bool m_bTipTouching = false;
    bool m_bMousePen = false;
    bool m_bMousePenDown = false;
    bool m_bInkPen = false;
    bool m_bEraserEnd = false;
    // Bit n set: the driver's cursor n is an eraser end.
    UINT64 m_nEraserCursors = 0;
};
