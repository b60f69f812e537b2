// Resource and command ids of KVOmail. Shared by the resource script and the code.
#pragma once

// Main menu, accelerators, main icon and the document string.
#define IDR_MAINFRAME 128
#define IDI_INKING 445

// Dialog bars: the colour and line panel (bottom) and the tool bar (top).
#define IDD_PANEL 148
#define IDD_TOOLBAR 215

// The picture menu, shown on a right click over the selected picture.
#define IDR_PICTURE_MENU 214

// Cursors.
#define IDC_ERASER 178
#define IDC_PEN_SMALL 425
#define IDC_PEN_MEDIUM 426
#define IDC_PEN_LARGE 427

// Commands.
#define ID_FILE_SEND_MAIL 32777
#define ID_LETTER_MODE 32794
#define ID_DESKTOP_MODE 32795
#define ID_INKING_MODE 32798
#define ID_SCRIPT_LINE_COLOR 1004
#define ID_EDIT_UNDO_STROKE 1046
#define ID_EDIT_REDO_STROKE 1047
// The tools.
#define ID_TOOL_PICTURE 1104
#define ID_TOOL_ERASER 1093
#define ID_TOOL_PENCIL 1040
#define ID_TOOL_BRUSH 1039
#define ID_TOOL_MARKER 1041
// The width menu's "1" .. "5": 32799 .. 32803.
#define ID_WIDTH_FIRST 32799
// The canvas view's capture and writing-run commands.
#define ID_CAPTURE_SCREEN 1078
#define ID_START_WRITING 32810
#define ID_HAND_OVER_INK 32797
#define ID_CANCEL_WRITING 32811
#define ID_ZOOM_IN 1081
#define ID_ZOOM_OUT 1082
#define ID_ADD_LINE 1097
#define ID_INSERT_IMAGE 1079
#define ID_PICTURE_DELETE 32805
#define ID_PICTURE_TO_FRONT 32806
#define ID_PICTURE_TO_BACK 32807
#define ID_PICTURE_FORWARD 32808
#define ID_PICTURE_BACKWARD 32809

// Strings.
#define IDS_ASK_LETTER_MODE 57666
#define IDS_ASK_DESKTOP_MODE 57667
#define IDS_INKING_TITLE 51450
#define IDS_NO_MORE_LINES 51453
#define IDS_PAGE_NO_MEMORY 51454
#define IDS_INFORMATION 51460
#define IDS_NO_BRIDGE 51470
#define IDS_INK_NOT_PLACED 51471
#define IDS_RECOVERY_ASK 51480
#define IDS_RECOVERY_KEPT 51481
#define IDS_RECOVERY_DAMAGED 51482
#define IDS_RECOVERY_NOT_KEPT 51488
#define IDS_RECOVERY_NOT_SET_ASIDE 51489

// Window message that performs Add Line on the canvas view.
#define WM_ADD_LINE 1234
#include "ShellResource.h"
