// Resource and command ids of the shell: the tool bar, the colour and line panel, the pen-width
// popup and the about box, with their bitmaps and strings. Included by resource.h.
#pragma once

// Dialog templates.
#define IDD_ABOUTBOX 100
#define IDD_PENWIDTH 224
#define IDD_CAPTURE 218

// Tool bar markers (dialog 215): where each button goes first.
#define IDC_BAR_NEW 1121
#define IDC_BAR_OPEN 1122
#define IDC_BAR_SAVE 1123
#define IDC_BAR_PREVIEW 1124
#define IDC_BAR_PRINT 1125
#define IDC_BAR_MAIL 1126
#define IDC_BAR_ABOUT 1127
#define IDC_BAR_CLOSE 1128
#define IDC_BAR_DESKTOP 1129
#define IDC_BAR_LETTER 1130
#define IDC_BAR_MINIMIZE 1137
#define IDC_BAR_SCALE 1139
#define IDC_BAR_START 1152
#define IDC_BAR_CANCEL 1153
#define IDC_BAR_INKING 1154
#define IDC_PENCIL_WIDTH 1147
#define IDC_BRUSH_WIDTH 1148
#define IDC_MARKER_WIDTH 1149
// Pictures behind Cancel, Start to write and Inking in inking mode.
#define IDC_BAR_CANCEL_BACK 1158
#define IDC_BAR_START_BACK 1159
#define IDC_BAR_INKING_BACK 1160
// The capture dialog's start button (its cancel button is IDCANCEL).
#define IDC_CAPTURE_START 1119
// The hidden control that takes the focus when the pointer leaves a bitmap button.
#define IDC_FOCUS_SINK 1096
#define IDC_BAR_INK 32798

// Panel markers and controls (dialog 148).
#define IDC_PANEL_LINECOLOR 1017
#define IDC_PANEL_PENCIL 1086
#define IDC_PANEL_BRUSH 1087
#define IDC_PANEL_ERASER 1088
#define IDC_PANEL_MARKER 1090
#define IDC_PANEL_PICTURE 1106
#define IDC_PANEL_UNDO 1140
#define IDC_PANEL_REDO 1141
#define IDC_PANEL_ZOOMIN 1142
#define IDC_PANEL_ZOOMOUT 1143
#define IDC_PANEL_CAPTURE 1144
#define IDC_PANEL_INSERT 1145
#define IDC_PANEL_ADDLINE 1146
#define IDC_PANEL_CLOSE 1150
#define IDC_PANEL_MINIMIZE 1151
#define IDC_LINE_SPACING 1056
#define IDC_BACK_SWATCH 1015
#define IDC_PEN_SWATCH 1016
#define IDC_COLOR_BLOCK0 1018
#define IDC_PANEL_TEXT1 1161
#define IDC_PANEL_TEXT2 1162
#define IDC_PANEL_TEST 1095

// Commands of the shell's buttons (those of the canvas view are in PenCapture.h and
// ScrivoView.h).
#define ID_WINDOW_SCALE 1141
#define ID_WINDOW_MINIMIZE 1143
#define ID_PENCIL_WIDTH 1132
#define ID_BRUSH_WIDTH 1135
#define ID_MARKER_WIDTH 1136

// Strings.
#define IDS_MINIMIZE 51448
#define IDS_SCALE 51449
#define IDS_CAPTURE_START 51451
#define IDS_CAPTURE_EXIT 51452
#define IDS_NOTICE 51458
#define IDS_VERSION 51459

// Bitmaps: backgrounds, shapes and pictures (the buttons' ids are in the tables of the code).
#define IDB_BAR_LETTER 260
#define IDB_BAR_DESKTOP 269
#define IDB_BAR_INKING 271
#define IDB_PANEL_LETTER 272
#define IDB_PANEL_SMALL 433
#define IDB_PANEL_DESKTOP 319
#define IDB_PANEL_INKING 327
#define IDB_STRIP_SHAPE 379
#define IDB_PENWIDTH_BACK 360
#define IDB_PENWIDTH_SHAPE 384
#define IDB_ABOUT 391
#define IDB_ABOUT_OTHER 393
#define IDB_CAPTURE_FACE 352
// The capture dialog's buttons: normal, then pressed and focused at the next two ids.
#define IDB_CAPTURE_START 353
#define IDB_CAPTURE_CANCEL 356
