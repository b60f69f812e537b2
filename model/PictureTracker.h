// CPictureTracker: the resize handles of a placed picture. It knows where the eight handles lie
// around a rectangle (outside it, 5 pixels square), which part a point hits, and draws the
// hatched border with its handles. It holds no rectangle of its own; the picture passes it in.
#pragma once
#include <windows.h>

class CPictureTracker {
public:
    // Parts of the tracker, as the hit test and the drag report them.
    enum {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8,
    };
    static constexpr int kHandleSize = 5;
    // Hatched border with the handles outside the rectangle (4 + 16).
    static constexpr int kStyle = 20;

    // The rectangle with left <= right and top <= bottom.
    static RECT Normalize(RECT rc);
    // The handle square of nHandle (0 .. 7) around rc.
    static RECT GetHandleRect(const RECT& rc, int nHandle);
    // The handle under pt, else hitMiddle inside rc, else hitNothing.
    static int HitTest(const RECT& rc, POINT pt);
    // Draws the hatched border outside rc and the eight handles.
    static void Draw(HDC hdc, const RECT& rc);
    // The moving outline of a drag, drawn in XOR: a second call with the same rectangle erases it.
    static void DrawDragOutline(HDC hdc, const RECT& rc);
};
