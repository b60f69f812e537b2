// CInkHandOver: hands the strokes of an inking run to the application under them, through the
// Office bridge. An application that takes drawing objects gets every stroke as a polyline in
// screen pixels, which the bridge maps into the document: first the ordinary ink, then, in a
// second pass behind the text, the marker ink. Any other application gets all the ink as one
// picture on white, pasted through the clipboard; so does one that took none of the polylines.
#pragma once
#include <windows.h>

#include <vector>

#include "InkBridge.h"
#include "Lines.h"

class CInkHandOver {
public:
    // hwndOwner is the view's window: it owns the clipboard offers and the bridge's timer.
    CInkHandOver(IInkBridge& bridge, HWND hwndOwner) : m_bridge(bridge), m_hwndOwner(hwndOwner) {}

    enum class Result { NoInk, HandedOver, Failed };
    // Offers the strokes (screen pixels) to the application under them. Failed: some of the ink
    // did not arrive (a polyline, a pass or the picture was refused); the strokes that did are
    // taken out of lines, so that what is left is what a retry must still send, each stroke once.
    Result HandOver(CLines& lines);

    // A stroke's line weight in points: the mean width of its samples, in screen pixels of
    // nDpi per inch.
    static float WidthInPoints(const CLine& line, int nDpi);

private:
    // The number of marker strokes (bMarker) or of the other strokes.
    static int CountStrokes(const CLines& lines, bool bMarker);
    // One pass of drawing objects: the marker strokes (behind the text) or the others; marks the
    // strokes taken and counts those refused.
    void InsertPolylines(const CLines& lines, bool bMarker, std::vector<bool>& taken,
                         int& nRefused);
    // Takes the strokes marked as taken out of lines.
    static void RemoveTaken(CLines& lines, const std::vector<bool>& taken);
    // Whether the bridge took the picture.
    bool InsertPicture(const CLines& lines, const RECT& rcAll);

    IInkBridge& m_bridge;
    HWND m_hwndOwner;
};
