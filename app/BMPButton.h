// CBMPButton: the shell's bitmap button. Its focused image doubles as the hover highlight: while
// the pointer is over it the button holds the mouse capture and the keyboard focus; when the
// pointer leaves, the focus goes to the parent's hidden control 1096 so that no button looks
// highlighted. The hover and pressed states are shared by all such buttons of the process.
#pragma once
#include "BitmapButton.h"

class CBMPButton : public CBitmapButton {
public:
    // Creates the button with command nID over the place of hwndMarker, a hidden control of
    // hwndBar, which it replaces; false when the marker is missing.
    bool CreateOverMarker(HWND hwndBar, HWND hwndMarker, UINT nID, bool bVisible);

    // True between a press on any such button and its release.
    static bool IsAnyPressed() { return s_bPressed; }

protected:
    LRESULT WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnMouseMove(POINT pt);
    // The bar's focus sink takes the focus, and with it the button's focused image.
    void GiveFocusToSink();
    void OnLButtonUp(WPARAM wParam, LPARAM lParam);

    static bool s_bHover;
    static bool s_bPressed;
    // Once a button has been destroyed, a click no longer takes the capture back: it might
    // belong to a window that is going away.
    static bool s_bDestroyed;
};
