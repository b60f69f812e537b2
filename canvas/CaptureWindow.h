// CCaptureWindow: the full-screen, borderless, top-most overlay that shows a frozen image of the
// screen. It serves the capture of a screen area as a picture (select mode: the frozen screen
// tinted, with the rubber band of the area), and the writing over the frozen desktop or another
// application in desktop and inking mode. It owns its ink image, the frozen screen with the ink
// written over it, and shows only that image: it never draws anything else. What it needs of the
// canvas view (the tablet context, the tool cursor, the main frame, Esc) comes through
// IOverlayOwner.
#pragma once
#include <string>

#include "ImageDC.h"
#include "Wnd.h"

class IOverlayOwner {
public:
    // Enables or disables the open tablet context and raises or lowers it (both the same flag).
    virtual void EnableOverlayTablet(BOOL bEnable) = 0;
    // Esc on the overlay.
    virtual void OnOverlayEscape() = 0;
    // The cursor of the current tool (the eraser's for the eraser).
    virtual HCURSOR OverlayToolCursor() = 0;
    // The program's main frame window.
    virtual HWND OverlayMainFrame() const = 0;
    // A click on the overlay while the strip was in front: the pen-width popup closes and the
    // main frame comes to the top.
    virtual void OnOverlayClickBesideStrip() = 0;
    // Puts the strip (the main frame) back in front of the overlay: a press on the overlay, the
    // pen's touch among them, raises the overlay above it.
    virtual void KeepStripInFront() = 0;
    // Whether a mode or a capture uses the overlay now (then no other start may close it).
    virtual bool IsOverlayInUse() const = 0;
    // A left-button message on the overlay (down, move, up, the mouse capture lost) at a screen
    // point: without a tablet the mouse writes with it.
    virtual void OnOverlayMouse(UINT uMsg, POINT ptScreen) = 0;
    // The overlay was shown or hidden: the tablet context goes to the window the pen now writes
    // over.
    virtual void OnOverlayShown() = 0;
    // A packet message of the tablet context, which is opened on the overlay while it is shown.
    virtual LRESULT OnOverlayPacket(WPARAM wParam, LPARAM lParam) = 0;
    // A pointer message on the overlay; true when a Windows Ink pen's samples were taken.
    virtual bool OnOverlayPointer(UINT uMsg, WPARAM wParam) = 0;

protected:
    ~IOverlayOwner() = default;
};

class CCaptureWindow : public CWnd {
public:
    explicit CCaptureWindow(IOverlayOwner& owner);
    ~CCaptureWindow() override;

    // Closes an overlay of this class left on the screen by an earlier run, registers the class
    // (its name is also the window's title) and creates the hidden overlay. False when the
    // window could not be created; a class that cannot be registered leaves no overlay. A crash
    // of the process takes the overlay off the screen before the system reports it.
    bool Create(const wchar_t* pszClass);

    // Shows the overlay top-most over the whole desktop, from its ink image.
    void ShowOverDesktop();
    void Hide();
    // Makes the ink image the desktop's size (kept when it is); false when it cannot be made.
    bool PrepareInkImage();
    // Copies rc of the ink image to the window at once.
    void ShowArea(const RECT& rc);

    // The image the overlay shows: the frozen screen with the ink (null until prepared).
    const CImageDC& InkImage() const { return m_dcInk; }
    HDC InkDC() const { return m_dcInk.Get(); }
    // Selecting a capture area: the pointer is the capture cursor and the overlay's presses
    // draw the area, not ink.
    bool IsSelectMode() const { return m_bSelectMode; }
    void SetSelectMode(bool bSelect) { m_bSelectMode = bSelect; }
    HCURSOR CaptureCursor() const { return m_hcurCapture; }
    // A dialog of the program is open in desktop mode: a press on the overlay is a click beside
    // the strip.
    void SetModal(bool bModal) { m_bModal = bModal; }

protected:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // While shown: a mouse message of another window means that the cursor may have changed.
    bool FilterMessage(MSG* pMsg) override;

private:
    void OnActivate(UINT nState);
    void OnMouseMove(POINT pt);
    // Sets the tool cursor unless this overlay set it last and the mouse has been its own since:
    // under Wine each SetCursor is a round trip, and the driver moves the cursor at every packet.
    void ShowToolCursor();
    // The overlay is shown or hidden: it sets the cursor at the next move, and sees the loop's
    // messages while it is shown.
    void FollowMessages(bool bShown);
    // The screen point of a mouse message's client coordinates.
    POINT ScreenPointOf(LPARAM lParam) const;
    void OnLButtonDown();
    // Desktop and inking: after a press or a release on the overlay the strip comes to the front
    // again, whether or not the overlay holds the mouse.
    void OnButtonDone();
    LRESULT OnPointer(UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void OnClose();

    HCURSOR m_hcurCapture = nullptr;
    CImageDC m_dcInk;
    RECT m_rcDesktop{};
    bool m_bSelectMode = true;
    bool m_bModal = false;
    bool m_bRepaintAll = true;
    IOverlayOwner& m_owner;
    std::wstring m_strClass;
    // The tool cursor as this overlay set it last, null when it is to be set at the next move.
    HCURSOR m_hcurShown = nullptr;
};
