// CTabletPause: closes the canvas view's tablet context around a modal dialog in desktop and
// inking mode, where the context would otherwise keep the pen on the overlay, and opens it again
// when the dialog is over. In letter mode it does nothing.
#pragma once

class CScrivoView;

class CTabletPause {
public:
    // nMode is the main frame's mode.
    CTabletPause(CScrivoView* pView, int nMode);
    CTabletPause(const CTabletPause&) = delete;
    CTabletPause& operator=(const CTabletPause&) = delete;
    ~CTabletPause();

private:
    CScrivoView* m_pView;
    bool m_bPaused = false;
};
