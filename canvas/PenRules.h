// The arithmetic of pen input, kept apart from the view so that it can be checked on its own:
// pressure normalisation, the weight of a sample per tool, and page coordinates.
#pragma once
#include <windows.h>

// Tool numbers shared by the view, the stroke record and the tool bar.
constexpr int kToolPicture = 0;
constexpr int kToolEraser = 1;
constexpr int kToolPencil = 2;
constexpr int kToolBrush = 3;
constexpr int kToolMarker = 4;

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

// The pressure a desktop-mode sample works with: the raw pressure halved for a tablet whose axis
// ends between 513 and 1024, divided by 3 up to 1536 and by 4 up to 2048, else kept.
int DesktopPressure(UINT nRaw, LONG nAxisMax);

// The weight of an inking-mode sample, the pen width in pixels: pencil the level, brush raw
// pressure x level / 200, marker 2 x level, eraser 1.
short InkingWeight(int nTool, int nLevel, int nRawPressure);

// A point of the client area on the page: trunc((client + scroll) / zoom).
POINT ClientToPage(POINT ptClient, POINT ptScroll, float fZoom);

// A screen point on the page of a view whose window's top-left lies at ptOrigin on the screen.
POINT ScreenToPage(POINT ptScreen, POINT ptOrigin, POINT ptScroll, float fZoom);

// Whether a letter-mode sample at the cursor lies on the canvas: inside the view's window (the
// eraser may leave it) and no further right of the window's left edge than the shown page.
bool IsOnCanvas(int nTool, POINT ptCursor, const RECT& rcWindow, int nPageWidth, int nScreenWidth,
                float fZoom);
