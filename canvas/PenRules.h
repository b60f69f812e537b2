// The arithmetic of pen input, kept apart from the view so that it can be checked on its own:
// pressure normalisation, the weight of a sample per tool, and page coordinates.
#pragma once
#include <windows.h>

#include "FrameMode.h"
#include "Tool.h"

// Width levels of the pencil, brush and marker.
constexpr int kMinLevel = 1;
constexpr int kMaxLevel = 5;

// Divisor from raw to normalised pressure, and the normalised maximum.
struct PressureNorm {
    int nScale;
    int nMax;
};

// scale = (axMax + 1) / 512 and maximum = (axMax + 1) / scale - 1. A device with fewer than
// 512 levels still gets a scale of 1 (its own range then stays as it is), and a device that
// reports no usable axis is taken as one of 512 levels.
PressureNorm NormalisePressureAxis(LONG nAxisMax);

// The raw pressure of the mouse pen: the middle of the normalised range, in the device's units.
UINT MousePenPressure(int nPressureMax, int nPressureScale);

// The weight of a letter-mode sample: pencil level x 40 x (max / 255, at least 1), brush
// pressure x level / 5, marker 2 x level, eraser 1. nPressure is already normalised.
short LetterWeight(int nTool, int nLevel, int nPressure, int nPressureMax);

// Tablets whose pressure axis ends above this have more levels than the desktop and inking rules
// were made for: their pressure is normalised (today's pens have 8,192 levels, X reports 65,536).
constexpr LONG kOldTabletAxisMax = 2048;

// The pressure a desktop-mode sample works with: the raw pressure halved for a tablet whose axis
// ends between 513 and 1024, divided by 3 up to 1536 and by 4 up to 2048; above that normalised
// to 0..511 by nScale (m_nPressureScale), as letter mode does; kept below 513.
int DesktopPressure(UINT nRaw, LONG nAxisMax, int nScale);

// The pressure an inking-mode sample works with: raw up to an axis maximum of 2048; above that
// normalised by nScale and doubled, the pressure a 1,024-level tablet reports for the same touch,
// so that a pen of any level count writes as wide as the tablets the inking widths were made for.
int InkingPressure(UINT nRaw, LONG nAxisMax, int nScale);

// The weight of an inking-mode sample, the pen width in pixels: pencil the level, brush
// pressure x level / 200 (the pressure of InkingPressure), marker 2 x level, eraser 1.
short InkingWeight(int nTool, int nLevel, int nPressure);

// The weight of a sample of the frame's mode nMode from its raw
// pressure, for a tablet whose pressure axis ends at nAxisMax and normalises by nScale to at most
// nPressureMax: letter mode normalises, desktop mode takes DesktopPressure, inking mode
// InkingPressure. The same touch gives the same weight at any number of pressure levels.
short SampleWeight(int nMode, int nTool, int nLevel, UINT nRaw, LONG nAxisMax, int nScale,
                   int nPressureMax);

// A point of the client area on the page: trunc((client + scroll) / zoom).
POINT ClientToPage(POINT ptClient, POINT ptScroll, float fZoom);

// A screen point on the page of a view whose window's top-left lies at ptOrigin on the screen.
POINT ScreenToPage(POINT ptScreen, POINT ptOrigin, POINT ptScroll, float fZoom);

// Whether a letter-mode sample at the cursor lies on the canvas: inside the view's window (the
// eraser may leave it) and no further right of the window's left edge than the shown page.
bool IsOnCanvas(int nTool, POINT ptCursor, const RECT& rcWindow, int nPageWidth, int nScreenWidth,
                float fZoom);
