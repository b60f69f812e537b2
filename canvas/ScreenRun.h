// CScreenRun: the canvas view's runs over the desktop. It freezes the screen for desktop mode and
// for a writing run of inking mode and shows it on the overlay (CCaptureWindow) to be written
// over; selects a capture area on the tinted frozen screen, which becomes a picture at the page's
// top-left corner; and ends a writing run by handing its ink to the application under it through
// the Office bridge (CInkHandOver), or by throwing it away. It owns the overlay, the frozen screen
// and its tint, the capture area and the bridge. The view owns it and lends it the tablet
// context, the strokes and the frame.
#pragma once
#include <windows.h>

#include <memory>

#include "CaptureWindow.h"
#include "ImageDC.h"
#include "InkBridge.h"

class CScrivoView;

class CScreenRun {
public:
    explicit CScreenRun(CScrivoView& view);
    CScreenRun(const CScreenRun&) = delete;
    CScreenRun& operator=(const CScreenRun&) = delete;

    // Creates the overlay of this program variant; false when its window cannot be made.
    bool CreateOverlay();
    // The view's window goes: the overlay leaves the screen and the frozen screen is given back.
    void DestroyOverlay();
    CCaptureWindow* GetOverlay() const { return m_pOverlay.get(); }
    // The frozen screen of desktop mode, a writing run or a capture; empty otherwise.
    const CImageDC& FrozenScreen() const { return m_dcScreen; }

    // Freezes the screen in the overlay for desktop mode: the main window hides, the screen is
    // copied, the overlay shows it and the main window comes back above it.
    void EnterDesktopMode();
    // Hides or shows the overlay (around dialogs and mail in desktop mode).
    void ShowOverlay(bool bShow);
    // Back to letter mode: the overlay goes and the frozen screen is given back.
    void LeaveDesktopMode();
    // In desktop mode a new note starts on the frozen screen without ink.
    void ClearDesktopInk();
    // Desktop and inking mode: the dialog's pause (CDialogPause); in desktop mode the overlay is
    // also marked busy and comes back in front afterwards.
    void PauseForDialog(bool bPause);
    void PauseForMail(bool bPause);
    // A modal dialog of the program opens or closes (CDialogPause): the outermost one closes the
    // tablet context and takes the mouse from the overlay, and opens the context again at its
    // end; Begin is false in letter mode, where nothing changes.
    bool BeginDialogPause();
    void EndDialogPause();
    // The frozen screen in desktop mode, else null.
    HDC GetDesktopImage() const;

    // Capture Screen: while the tablet context is open, the main window makes way for the
    // capture dialog, whose Start runs StartCapture.
    void OnCaptureScreen();
    // Starts selecting a capture area on the tinted frozen screen; Esc ends it.
    void StartCapture();
    void ExitCapture();
    // Ends a selection in progress as Esc does, before the program closes: the user must see
    // the program's questions.
    void GiveScreenBack();
    // A packet while a capture area is selected: the press starts the area, the drag stretches
    // its rubber band, the lift makes it a picture.
    BOOL OnCapturePacket(DWORD nTime, DWORD nButtons, LONG x, LONG y, UINT nPressure);

    // Shows the main window enabled and in front, or hides it.
    void ShowMainWindow(bool bShow) const;
    // The main frame's window, whether it lies under a screen point, and raising it above the
    // overlay again.
    HWND MainFrameWindow() const;
    bool IsOverMainFrame(POINT pt) const;
    void RaiseMainFrame() const;
    // Esc on the overlay.
    void OnOverlayEscape();
    // Whether a mode or a capture uses the overlay now.
    bool IsOverlayInUse() const;

    // Inking: the commands, and whether the tool commands still start the writing.
    bool OnInkingCommand(UINT nID);
    void StartWriting();
    void HandOverInk();
    // After a hand-over that did not place all of the ink: the run is armed again with the ink.
    void KeepInkAfterFailedHandOver();
    // A message about a writing run, in a box the mouse can reach past the overlay.
    void ShowInkingMessage(UINT nText);
    void CancelWriting();
    IInkBridge& Bridge() { return *m_pBridge; }
    // Puts another bridge in place (tests).
    void SetBridge(std::unique_ptr<IInkBridge> pBridge) { m_pBridge = std::move(pBridge); }

private:
    friend class CCanvasTestAccess;

    // Copies the screen into m_dcScreen (made the desktop's size); false when it cannot be made.
    bool FreezeScreen();
    // Shows the frozen screen on the overlay as the ink image, and the overlay over the desktop.
    void ShowFrozenScreen();
    // Waits for uncovered windows to paint, freezes the screen and shows it on the overlay to be
    // written over (desktop mode and a writing run of inking mode).
    void FreezeForWriting();
    void ReleaseFrozenScreen();
    // The rubber band of the capture area: redraws the union of the old and new rectangle.
    void DrawRubberBand(const RECT& rcOld, const RECT& rcNew);
    // The capture area becomes a picture at the page's top-left corner.
    void FinishCapture();

    CScrivoView& m_view;
    std::unique_ptr<CCaptureWindow> m_pOverlay;
    CImageDC m_dcScreen;
    CImageDC m_dcTint;
    RECT m_rcSelect{};
    bool m_bSelecting = false;
    DWORD m_dwSelectTime = 0;
    // The packets a capture has ignored since it started (the tablet pen's first few).
    short m_nCaptureSkip = 0;
    std::unique_ptr<IInkBridge> m_pBridge;
    // Modal dialogs open now in desktop and inking mode.
    int m_nDialogPauses = 0;
};
