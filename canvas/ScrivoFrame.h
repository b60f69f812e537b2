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

protected:
    ~IScrivoFrame() = default;
};
