#include "FrameDrag.h"

void CFrameDrag::Begin(HWND hwndBar, POINT ptClient) {
    HWND hwndFrame = GetAncestor(hwndBar, GA_ROOT);
    if (!hwndFrame || IsZoomed(hwndFrame))
        return;
    m_ptLast = ptClient;
    ClientToScreen(hwndBar, &m_ptLast);
    m_bDragging = true;
    SetCapture(hwndBar);
}

void CFrameDrag::OnMouseMove(HWND hwndBar, POINT ptClient, WPARAM nKeys) {
    if (!m_bDragging)
        return;
    POINT pt = ptClient;
    ClientToScreen(hwndBar, &pt);
    const int dx = pt.x - m_ptLast.x, dy = pt.y - m_ptLast.y;
    if ((nKeys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != MK_LBUTTON || (dx == 0 && dy == 0))
        return;
    m_ptLast = pt;
    HWND hwndFrame = GetAncestor(hwndBar, GA_ROOT);
    RECT rc{};
    GetWindowRect(hwndFrame, &rc);
    MoveWindow(hwndFrame, rc.left + dx, rc.top + dy, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

void CFrameDrag::End() {
    if (!m_bDragging)
        return;
    m_bDragging = false;
    ReleaseCapture();
}
