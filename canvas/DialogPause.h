// CDialogPause: a modal dialog or message box of the program in desktop or inking mode, where the
// tablet context would otherwise keep the pen writing on the overlay under it. For the life of
// the object the view's tablet context is closed, so that a tap of the pen on the dialog makes no
// stroke, and the overlay lets go of the mouse, so that the dialog's buttons get their clicks;
// afterwards the context is opened again. Pauses nest (a question inside a file dialog): only the
// outermost one closes and reopens. In letter mode nothing changes.
#pragma once

class CScrivoView;

class CDialogPause {
public:
    explicit CDialogPause(CScrivoView* pView);
    CDialogPause(const CDialogPause&) = delete;
    CDialogPause& operator=(const CDialogPause&) = delete;
    ~CDialogPause();

    // The same without an object, for callers that begin and end in separate calls.
    static bool Begin(CScrivoView* pView);
    static void End(CScrivoView* pView);

private:
    CScrivoView* m_pView;
    bool m_bPaused;
};
