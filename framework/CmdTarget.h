// Command targets: every object that may handle a command id (the view, the document, the frame
// and the application). The frame offers a command to each in that order until one handles it;
// update requests (is the command enabled, checked?) travel the same road.
#pragma once
#include <windows.h>

// The state of one command as the update handlers decide it.
class CCmdUI {
public:
    explicit CCmdUI(UINT nID) : m_nID(nID) {}
    void Enable(bool bOn = true) {
        m_bEnabled = bOn;
        m_bHandled = true;
    }
    void SetCheck(int nCheck = 1) {
        m_nCheck = nCheck;
        m_bHandled = true;
    }

    UINT m_nID;
    bool m_bEnabled = true;
    int m_nCheck = 0;
    bool m_bHandled = false;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Carries out the command; false when this target does not handle it.
    virtual bool OnCmdMsg(UINT /*nID*/) { return false; }
    // Fills in the command's state; false when this target has no update handler for it.
    virtual bool OnUpdateCmdUI(CCmdUI& /*cmdUI*/) { return false; }
};
