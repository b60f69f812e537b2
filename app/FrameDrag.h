// CFrameDrag: moves the main frame while the left button, pressed on the background of one of
// its bars, is held down. The bar captures the mouse at the press and hands its mouse moves and
// the release to this object.
#pragma once
#include <windows.h>

class CFrameDrag {
public:
    // Starts a drag at a client point of hwndBar when the frame is not maximised.
    void Begin(HWND hwndBar, POINT ptClient);
    // Moves the frame by the pointer's move since the last step (left button alone held).
    void OnMouseMove(HWND hwndBar, POINT ptClient, WPARAM nKeys);
    void End();
    bool IsDragging() const { return m_bDragging; }

private:
    POINT m_ptLast = {0, 0};
    bool m_bDragging = false;
};
