// IScrivoFrame: what the canvas view needs of the main frame that holds it. The frame lives in
// the application layer above the canvas and implements this.
#pragma once
#include <windows.h>

#include "FrameMode.h"

class IScrivoFrame {
public:
    // The frame's mode, an EFrameMode.
    virtual int GetMode() const = 0;
    // True in the process that was started for inking.
    virtual bool IsInkingProcess() const = 0;
    // Shows or hides a control of the colour and line panel.
    virtual void ShowPanelControl(UINT nID, bool bShow) = 0;
    // Enables or disables a control of the colour and line panel.
    virtual void EnablePanelControl(UINT nID, bool bEnable) = 0;

    // The pen-width popup: opens it for tool nTool (pencil, brush or marker) without the
    // button of width nLevel, or closes it when it shows that tool already.
    virtual void TogglePenWidthPopup(int nTool, int nLevel) = 0;
    // Closes the pen-width popup when it is open.
    virtual void ClosePenWidthPopup() = 0;
    // The tool whose widths the popup offers, 0 when it is hidden.
    virtual int PenWidthPopupTool() const = 0;

    // The view chose another tool: the panel's tool buttons change their look.
    virtual void OnToolChanged(int nOldTool, int nNewTool) = 0;
    // A tool's width changed: the bars show it and the popup offers the other widths.
    virtual void OnThicknessChanged(int nTool, int nLevel) = 0;
    // Repaints the tool bar (the widths it shows in desktop and inking mode).
    virtual void RepaintToolBar() = 0;
    // Shows or hides the tool bar and the colour and line panel together (print preview).
    virtual void ShowControlBars(bool bShow) = 0;

    // Inking mode: the tool bar's writing state (Start to write hidden, Inking and Cancel shown)
    // and its state when the ink is done; whether it still wants its "Start to write" tip.
    virtual void OnStartWriting() {}
    virtual void OnInkDone() {}
    virtual bool IsStartTipWanted() const { return false; }
    // Whether a pop-up of the program lies under a screen point, or a dialog of the program is
    // open: desktop and inking ink is not written then.
    virtual bool IsPenCovered(POINT /*ptScreen*/) const { return false; }
    // Capture Screen: shows the capture dialog over the hidden main window; false when there is
    // none to show.
    virtual bool ShowCaptureDialog() { return false; }

protected:
    ~IScrivoFrame() = default;
};
