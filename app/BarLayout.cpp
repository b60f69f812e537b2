#include "BarLayout.h"
#include "FrameworkIds.h"

#include "BitmapButton.h"
#include "GdiObjects.h"
#include "PenCapture.h"
#include "ScrivoView.h"
#include "resource.h"

namespace {
constexpr CPlace H = {EPlace::Hide, 0, 0};
constexpr CPlace S(short x, short y) {
    return {EPlace::Show, x, y};
}
constexpr CPlace P(short x, short y) {
    return {EPlace::PlaceHidden, x, y};
}
} // namespace

// The tool bar's buttons; the width buttons follow them (CButtonBar).
const CBarButton g_barButtons[] = {
    {IDC_BAR_NEW, ID_FILE_NEW, true, ID_FILE_NEW, {}},
    {IDC_BAR_OPEN, ID_FILE_OPEN, true, ID_FILE_OPEN, {}},
    {IDC_BAR_SAVE, ID_FILE_SAVE, true, ID_FILE_SAVE, {}},
    {IDC_BAR_PREVIEW, ID_FILE_PRINT_PREVIEW, true, ID_FILE_PRINT_PREVIEW, {}},
    {IDC_BAR_PRINT, ID_FILE_PRINT, true, ID_FILE_PRINT, {}},
    {IDC_BAR_LETTER, ID_LETTER_MODE, false, ID_LETTER_MODE, {}},
    {IDC_BAR_MAIL, ID_FILE_SEND_MAIL, true, ID_FILE_SEND_MAIL, {}},
    {IDC_BAR_DESKTOP, ID_DESKTOP_MODE, true, ID_DESKTOP_MODE, {}},
    {IDC_BAR_ABOUT, ID_APP_ABOUT, true, ID_APP_ABOUT, {}},
    {IDC_BAR_CLOSE, ID_APP_EXIT, true, 0, {IDB_CLOSE, IDB_CLOSE_PRESSED, IDB_CLOSE_FOCUS}},
    {IDC_BAR_SCALE,
     ID_WINDOW_SCALE,
     true,
     IDS_SCALE,
     {IDB_SCALE, IDB_SCALE_PRESSED, IDB_SCALE_FOCUS}},
    {IDC_BAR_MINIMIZE,
     ID_WINDOW_MINIMIZE,
     true,
     IDS_MINIMIZE,
     {IDB_MINIMIZE, IDB_MINIMIZE_PRESSED, IDB_MINIMIZE_FOCUS}},
    {IDC_BAR_START,
     ID_START_WRITING,
     false,
     ID_START_WRITING,
     {IDB_START_WRITING, IDB_START_WRITING_PRESSED, IDB_START_WRITING_FOCUS}},
    {IDC_BAR_CANCEL,
     ID_CANCEL_WRITING,
     false,
     ID_CANCEL_WRITING,
     {IDB_CANCEL_WRITING, IDB_CANCEL_WRITING_PRESSED, IDB_CANCEL_WRITING_FOCUS}},
    {IDC_BAR_INKING,
     ID_HAND_OVER_INK,
     false,
     ID_HAND_OVER_INK,
     {IDB_HAND_OVER_INK, IDB_HAND_OVER_INK_PRESSED, IDB_HAND_OVER_INK_FOCUS}},
};
const std::size_t g_nBarButtons = std::size(g_barButtons);

// The panel's buttons; the pencil starts as the current tool, in its selected look.
const CBarButton g_panelButtons[] = {
    {IDC_PANEL_LINECOLOR,
     ID_SCRIPT_LINE_COLOR,
     true,
     0,
     {IDB_LINE_COLOR, IDB_LINE_COLOR_PRESSED, IDB_LINE_COLOR_FOCUS, IDB_PENCIL_SELECTED}},
    {IDC_PANEL_PENCIL,
     ID_TOOL_PENCIL,
     true,
     0,
     {IDB_PENCIL_SELECTED, IDB_PENCIL_SELECTED, IDB_PENCIL_SELECTED}},
    {IDC_PANEL_BRUSH, ID_TOOL_BRUSH, true, 0, {IDB_BRUSH, IDB_BRUSH_PRESSED, IDB_BRUSH_FOCUS}},
    {IDC_PANEL_ERASER, ID_TOOL_ERASER, true, 0, {IDB_ERASER, IDB_ERASER_PRESSED, IDB_ERASER_FOCUS}},
    {IDC_PANEL_MARKER, ID_TOOL_MARKER, true, 0, {IDB_MARKER, IDB_MARKER_PRESSED, IDB_MARKER_FOCUS}},
    {IDC_PANEL_PICTURE,
     ID_TOOL_PICTURE,
     true,
     0,
     {IDB_PICTURE, IDB_PICTURE_PRESSED, IDB_PICTURE_FOCUS}},
    {IDC_PANEL_CLOSE, ID_APP_EXIT, false, 0, {IDB_CLOSE, IDB_CLOSE_PRESSED, IDB_CLOSE_FOCUS}},
    {IDC_PANEL_MINIMIZE,
     ID_WINDOW_MINIMIZE,
     false,
     IDS_MINIMIZE,
     {IDB_MINIMIZE, IDB_MINIMIZE_PRESSED, IDB_MINIMIZE_FOCUS}},
    {IDC_PANEL_UNDO, ID_EDIT_UNDO_STROKE, true, 0, {IDB_UNDO, IDB_UNDO_PRESSED, IDB_UNDO_FOCUS}},
    {IDC_PANEL_REDO, ID_EDIT_REDO_STROKE, true, 0, {IDB_REDO, IDB_REDO_PRESSED, IDB_REDO_FOCUS}},
    {IDC_PANEL_ZOOMIN, ID_ZOOM_IN, true, 0, {IDB_ZOOM_IN, IDB_ZOOM_IN_PRESSED, IDB_ZOOM_IN_FOCUS}},
    {IDC_PANEL_ZOOMOUT,
     ID_ZOOM_OUT,
     true,
     0,
     {IDB_ZOOM_OUT, IDB_ZOOM_OUT_PRESSED, IDB_ZOOM_OUT_FOCUS}},
    {IDC_PANEL_CAPTURE,
     ID_CAPTURE_SCREEN,
     true,
     0,
     {IDB_CAPTURE, IDB_CAPTURE_PRESSED, IDB_CAPTURE_FOCUS}},
    {IDC_PANEL_INSERT,
     ID_INSERT_IMAGE,
     true,
     0,
     {IDB_INSERT_IMAGE, IDB_INSERT_IMAGE_PRESSED, IDB_INSERT_IMAGE_FOCUS}},
    {IDC_PANEL_ADDLINE,
     ID_ADD_LINE,
     true,
     0,
     {IDB_ADD_LINE, IDB_ADD_LINE_PRESSED, IDB_ADD_LINE_FOCUS}},
};
const std::size_t g_nPanelButtons = std::size(g_panelButtons);

// Columns: letter, desktop, inking (own pictures); letter, desktop, inking (library's).
const CBarRow g_barLayout[] = {
    {ID_FILE_NEW, {S(10, 2), S(302, 5), H, S(14, 4), S(265, 14), H}},
    {ID_FILE_OPEN, {S(49, 2), H, H, S(56, 4), H, H}},
    {ID_FILE_SAVE, {S(96, 2), S(341, 5), H, S(99, 4), S(302, 14), H}},
    {ID_FILE_PRINT_PREVIEW, {S(136, 2), S(384, 5), H, S(143, 4), S(336, 14), H}},
    {ID_FILE_PRINT, {S(183, 2), S(429, 5), H, S(184, 4), S(369, 14), H}},
    {ID_FILE_SEND_MAIL, {S(235, 2), S(476, 5), H, S(225, 4), S(403, 14), H}},
    {ID_DESKTOP_MODE, {S(286, 2), H, H, S(269, 4), H, H}},
    {ID_LETTER_MODE, {H, S(527, 5), H, H, S(435, 11), H}},
    {ID_APP_ABOUT, {S(343, 2), S(578, 5), S(483, 5), S(316, 4), S(468, 14), S(427, 14)}},
    {ID_START_WRITING, {H, H, S(313, 4), H, H, S(265, 14)}},
    {ID_HAND_OVER_INK, {H, H, P(370, 4), H, H, P(369, 14)}},
    {ID_CANCEL_WRITING, {H, H, P(426, 4), H, H, P(314, 14)}},
    {ID_WINDOW_MINIMIZE, {H, H, S(546, 4), H, H, H}},
    {ID_APP_EXIT, {H, H, S(586, 4), H, H, H}},
    {ID_WINDOW_SCALE, {H, H, H, H, H, H}},
    {ID_PENCIL_WIDTH, {H, S(77, 31), S(77, 31), H, S(49, 29), S(49, 29)}},
    {ID_BRUSH_WIDTH, {H, S(125, 31), S(125, 31), H, S(84, 29), S(84, 29)}},
    {ID_MARKER_WIDTH, {H, S(174, 31), S(174, 31), H, S(119, 29), S(119, 29)}},
};
const std::size_t g_nBarLayoutRows = std::size(g_barLayout);

// Columns: letter, letter on a small screen, desktop, inking (own pictures); the same with the
// library's pictures, which are more compact.
const CPanelRow g_panelLayout[] = {
    {ID_TOOL_PICTURE, {S(0, 14), S(0, 14), H, H, S(8, 18), S(8, 18), H, H}},
    {ID_TOOL_ERASER,
     {S(64, 14), S(64, 14), S(30, -10), S(30, -10), S(52, 18), S(52, 18), S(4, 8), S(4, 8)}},
    {ID_TOOL_PENCIL,
     {S(131, 26), S(131, 26), S(87, 2), S(87, 2), S(98, 32), S(98, 32), S(44, 14), S(44, 14)}},
    {ID_TOOL_BRUSH,
     {S(176, 26), S(176, 26), S(132, 2), S(132, 2), S(130, 32), S(130, 32), S(79, 14), S(79, 14)}},
    {ID_TOOL_MARKER,
     {S(225, 26), S(225, 26), S(181, 2), S(181, 2), S(166, 32), S(166, 32), S(114, 14),
      S(114, 14)}},
    {ID_PENCIL_WIDTH, {S(121, 0), S(121, 0), H, H, S(104, 14), S(104, 14), H, H}},
    {ID_BRUSH_WIDTH, {S(169, 0), S(169, 0), H, H, S(136, 14), S(136, 14), H, H}},
    {ID_MARKER_WIDTH, {S(218, 0), S(218, 0), H, H, S(170, 14), S(170, 14), H, H}},
    {ID_SCRIPT_LINE_COLOR, {S(265, 38), H, H, H, S(214, 36), H, H, H}},
    {IDC_LINE_SPACING, {S(303, 43), H, H, H, S(250, 40), H, H, H}},
    {ID_EDIT_UNDO_STROKE,
     {S(530, 31), S(520, 25), S(486, 10), S(486, 10), S(488, 34), S(404, 34), S(440, 14),
      S(440, 14)}},
    {ID_EDIT_REDO_STROKE,
     {S(560, 31), S(550, 25), S(516, 10), S(516, 10), S(520, 34), S(436, 34), S(472, 14),
      S(472, 14)}},
    {ID_ZOOM_IN, {S(590, 31), S(460, 25), H, H, S(552, 34), S(340, 34), H, H}},
    {ID_ZOOM_OUT, {S(622, 31), S(490, 25), H, H, S(584, 34), S(372, 34), H, H}},
    {ID_CAPTURE_SCREEN, {S(654, 31), S(400, 25), H, H, S(622, 34), S(296, 34), H, H}},
    {ID_INSERT_IMAGE, {S(711, 31), S(360, 25), H, H, S(668, 34), S(260, 34), H, H}},
    {ID_ADD_LINE, {S(746, 31), S(270, 25), H, H, S(704, 34), S(214, 34), H, H}},
    {ID_WINDOW_MINIMIZE, {H, H, P(551, 10), H, H, H, P(544, 12), S(544, 12)}},
    {ID_APP_EXIT, {H, H, S(586, 10), H, H, H, S(584, 12), S(584, 12)}},
};
const std::size_t g_nPanelLayoutRows = std::size(g_panelLayout);

int PanelColumn(int nMode, bool bSmallScreen, bool bNewUI) {
    const int nColumn =
        nMode == kModeLetter ? (bSmallScreen ? 1 : 0) : (nMode == kModeDesktop ? 2 : 3);
    return nColumn + (bNewUI ? 4 : 0);
}

RECT ColorBlockRect(int nColumn, int i) {
    // First block and steps to the next column and row: letter and strip with the program's
    // pictures, then with the library's.
    struct CGrid {
        int x0, y0, dx, dy;
    };
    constexpr CGrid kGrids[4] = {
        {364, 33, 28, 28}, {301, 13, 28, 28}, {312, 36, 26, 24}, {262, 10, 26, 24}};
    const CGrid& g = kGrids[(nColumn < 4 ? 0 : 2) + ((nColumn % 4) < 2 ? 0 : 1)];
    const int x = g.x0 + g.dx * (i % 6), y = g.y0 + g.dy * (i / 6);
    return {x, y, x + 15, y + 15};
}

POINT PenSwatchOffset(int nColumn) {
    if ((nColumn % 4) < 2)
        return {0, 0};
    return nColumn < 4 ? POINT{-75, -31} : POINT{-39, -16};
}

void ApplyPlace(HWND hwndControl, const CPlace& place) {
    if (!hwndControl)
        return;
    if (place.nShow != EPlace::Hide)
        SetWindowPos(hwndControl, nullptr, place.x, place.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwndControl, place.nShow == EPlace::Show ? SW_SHOWNA : SW_HIDE);
}

void DrawBackground(HDC hdc, HBITMAP hbmBack, const RECT& rcClient) {
    DrawBitmap(hdc, hbmBack);
    // A wider bar repeats the picture's last column.
    const SIZE size = BitmapSize(hbmBack);
    if (size.cx <= 0 || rcClient.right <= size.cx)
        return;
    CMemoryDC dc(hdc);
    CSelectScope select(dc.Get(), hbmBack);
    StretchBlt(hdc, size.cx, 0, rcClient.right - size.cx, size.cy, dc.Get(), size.cx - 1, 0, 1,
               size.cy, SRCCOPY);
}

RECT ChildRect(HWND hwndParent, HWND hwndChild) {
    RECT rc{};
    if (!hwndChild)
        return rc;
    GetWindowRect(hwndChild, &rc);
    MapWindowPoints(nullptr, hwndParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
