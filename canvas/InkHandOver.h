// CInkHandOver: hands the strokes of an inking run to the application under them, through the
// Office bridge. An application that takes drawing objects gets every stroke as a polyline in
// screen pixels, which the bridge maps into the document: first the ordinary ink, then, in a
// second pass behind the text, the marker ink. Any other application gets all the ink as one
// picture on white, pasted through the clipboard.
#pragma once
#include <windows.h>

#include "InkBridge.h"
#include "Lines.h"

class CInkHandOver {
public:
    // hwndOwner is the view's window: it owns the clipboard offers and the bridge's timer.
    CInkHandOver(IInkBridge& bridge, HWND hwndOwner) : m_bridge(bridge), m_hwndOwner(hwndOwner) {}

    // Offers the strokes (screen pixels) to the application under them; false when there were
    // none.
    bool HandOver(const CLines& lines);

    // A stroke's line weight in points: the mean width of its samples, in screen pixels of
    // nDpi per inch.
    static float WidthInPoints(const CLine& line, int nDpi);

private:
    // Whether there are marker strokes (bMarker) or other strokes.
    static bool HasStrokes(const CLines& lines, bool bMarker);
    // One pass of drawing objects: the marker strokes (behind the text) or the others.
    void InsertPolylines(const CLines& lines, bool bMarker);
    void InsertPicture(const CLines& lines, const RECT& rcAll);

    IInkBridge& m_bridge;
    HWND m_hwndOwner;
};
