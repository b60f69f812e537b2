// IScrivoFrame: what the canvas view needs of the main frame that holds it. The frame lives in
// the application layer above the canvas and implements this.
#pragma once
#include <windows.h>

class IScrivoFrame {
public:
    // 0 letter, 1 desktop, 2 inking.
    virtual int GetMode() const = 0;
    // True in the process that was started for inking.
    virtual bool IsInkingProcess() const = 0;
    // Shows or hides a control of the colour and line panel.
    virtual void ShowPanelControl(UINT nID, bool bShow) = 0;
    // Shows or hides the tool bar and the colour and line panel together (print preview).
    virtual void ShowControlBars(bool bShow) = 0;

    // Inking mode: the tool bar's writing state (Start to write hidden, Inking and Cancel shown)
    // and its state when the ink is done; whether it still wants its "Start to write" tip.
    virtual void OnStartWriting() {}
    virtual void OnInkDone() {}
    virtual bool IsStartTipWanted() const { return false; }
    // Hides the pen-width popup and tells it to close.
    virtual void ClosePenWidthPopup() {}
    // Whether a pop-up of the program lies under a screen point, or a dialog of the program is
    // open: desktop and inking ink is not written then.
    virtual bool IsPenCovered(POINT /*ptScreen*/) const { return false; }

protected:
    ~IScrivoFrame() = default;
};
