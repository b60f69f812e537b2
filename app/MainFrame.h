// CMainFrame: KVOmail's one top-level window, with the tool bar docked at the top, the colour
// and line panel at the bottom and the canvas view between them. It registers its own window
// class, "LETTER" or "INKING", by which other starts of the program find it, and owns the
// working mode (EFrameMode).
#pragma once
#include "CaptureDlg.h"
#include "ControlDlg.h"
#include "DLGBAR.h"
#include "FrameWnd.h"
#include "ScrivoFrame.h"

class CScrivoView;

class CMainFrame : public CFrameWnd, public IScrivoFrame {
public:
    CMainFrame();
    ~CMainFrame() override;

    bool PreCreateWindow(CREATESTRUCTW& cs) override;
    CScrivoView* GetView() const;

    // Starts the inking mode of a process that was started for inking: title, icon, the strip
    // and its shape (MainFrameModes.cpp).
    void StartInking();
    // The mode switches: 32794 letter, 32795 desktop, 32798 inking.
    void OnLetterMode();
    void OnDesktopMode();
    void OnInkingMode();
    bool OnCmdMsg(UINT nID) override;

    // IScrivoFrame.
    int GetMode() const override { return m_nMode; }
    bool IsInkingProcess() const override;
    void ShowPanelControl(UINT nID, bool bShow) override;
    void EnablePanelControl(UINT nID, bool bEnable) override;
    void TogglePenWidthPopup(int nTool, int nLevel) override;
    void ClosePenWidthPopup() override;
    int PenWidthPopupTool() const override;
    void OnToolChanged(int nOldTool, int nNewTool) override;
    void OnThicknessChanged(int nTool, int nLevel) override;
    void RepaintToolBar() override;
    void OnStartWriting() override;
    void OnInkDone() override;
    bool IsStartTipWanted() const override;
    bool IsPenCovered(POINT ptScreen) const override;
    void ShowControlBars(bool bShow) override;
    bool ShowCaptureDialog() override { return m_dlgCapture.Open(); }

    // The window class of this process: "INKING" when it was started for inking.
    const wchar_t* ClassName() const;

    ControlDlg m_wndPanel;
    CDLGBAR m_wndBar;
    CCaptureDlg m_dlgCapture;
    int m_nMode = kModeLetter;

protected:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTW* pcs) override;
    void OnGetMinMaxInfo(MINMAXINFO* pInfo);
    // Asks whether the ink may be dropped for the switch to a mode (string nIDQuestion); on Yes
    // starts a new empty note. False when the user said No. Without ink nothing is asked.
    bool AskToDropInk(UINT nIDQuestion);
    // The caption-less strip of desktop and inking mode: the bars' size for the mode, flush with
    // the bottom-right corner of the work area, top-most.
    // The strip's place at the work area's bottom-right corner; moving it there, shown and on
    // top (PlaceStrip) or only moved (MoveStripToCorner).
    RECT StripRect();
    void PlaceStrip();
    void MoveStripToCorner();
    // Lays the bars out for the mode (invalidating them first when bInvalidate).
    void ArrangeBars(bool bInvalidate);
    // Closes the view's tablet context and opens it again, telling the user when it cannot.
    void ReopenViewContext();
    LRESULT OnDisplayChange();
    // Letter mode after a display change: the panel's compact layout below 800 pixels of width.
    void FitPanelToScreen();
    // What the bars and the pen-width popup do when the frame changes (MainFrameBars.cpp).
    bool CreateBars();
    void OnSizeBars();
    void OnMoveBars();
    // The bars' window buttons: 1141 Scale (maximised or normal) and 1143 Minimise.
    bool OnWindowCommand(UINT nID);
    // Before the program closes: a capture in progress gives the screen back and the main
    // window comes back from behind the capture dialog, so that its questions can be answered.
    void EndCaptureForClose();
};
