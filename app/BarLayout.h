// The places of the tool bar's and the colour panel's controls in each arrangement, in pixels
// from the bar's top-left corner, for the program's own pictures and for those of the resource
// library "QznRes.dll". Each row belongs to one control (by its command or control id).
#pragma once
#include <windows.h>

#include <cstddef>

// What an arrangement does with a control.
enum class EPlace : BYTE {
    Hide,       // hidden where it last stood
    Show,       // moved and shown
    PlaceHidden // moved, but hidden until something shows it
};

struct CPlace {
    EPlace nShow;
    short x;
    short y;
};

// One button of a bar's table.
struct CBarButton {
    UINT nMarker;    // the template's hidden mark it replaces
    UINT nID;        // its command
    bool bVisible;   // shown when made
    UINT nTip;       // its own tip string; 0 when the framework's child tip serves
    UINT nImages[4]; // normal, pressed, focused and disabled; 0 when the arrangement loads them
};
extern const CBarButton g_barButtons[];
extern const std::size_t g_nBarButtons;
extern const CBarButton g_panelButtons[];
extern const std::size_t g_nPanelButtons;

// Columns: the three modes (letter, desktop, inking) with the program's pictures, then the same
// with the library's.
struct CBarRow {
    UINT nID;
    CPlace place[6];
};

// The panel has a fourth arrangement, letter mode on a small screen (before desktop and inking).
struct CPanelRow {
    UINT nID;
    CPlace place[8];
};

extern const CBarRow g_barLayout[];
extern const std::size_t g_nBarLayoutRows;
extern const CPanelRow g_panelLayout[];
extern const std::size_t g_nPanelLayoutRows;

// The panel's column for a mode: 0 letter, 1 letter on a small screen, 2 desktop, 3 inking; the
// library's columns follow at 4 to 7.
int PanelColumn(int nMode, bool bSmallScreen, bool bNewUI);

// Colour block i (0 to 11), 15 x 15 pixels, in a panel column.
RECT ColorBlockRect(int nColumn, int i);
// Where the pen colour swatch is painted and hit in a panel column: its letter-mode place, moved
// in desktop and inking mode.
POINT PenSwatchOffset(int nColumn);

// Moves, shows and hides the children of hwndBar by one column of a table.
void ApplyPlace(HWND hwndControl, const CPlace& place);

// Draws a bar's background picture at the top-left corner of rcClient; a client area wider than
// the picture repeats its last column, so a wide window shows no unpainted strip.
void DrawBackground(HDC hdc, HBITMAP hbmBack, const RECT& rcClient);

// A child window's rectangle in its parent's client coordinates (empty for none).
RECT ChildRect(HWND hwndParent, HWND hwndChild);
