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
#define IDC_BAR_INK ID_INKING_MODE

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

// Bitmaps of the buttons (drawn by make_shell_images.py under the same numbers).
// Tool-bar buttons: normal, pressed and focused.
#define IDB_NEW 227
#define IDB_NEW_PRESSED 229
#define IDB_NEW_FOCUS 228
#define IDB_OPEN 230
#define IDB_OPEN_PRESSED 232
#define IDB_OPEN_FOCUS 231
#define IDB_SAVE 233
#define IDB_SAVE_PRESSED 235
#define IDB_SAVE_FOCUS 234
#define IDB_PREVIEW 236
#define IDB_PREVIEW_PRESSED 238
#define IDB_PREVIEW_FOCUS 237
#define IDB_PRINT 239
#define IDB_PRINT_PRESSED 241
#define IDB_PRINT_FOCUS 242
#define IDB_MAIL 244
#define IDB_MAIL_PRESSED 246
#define IDB_MAIL_FOCUS 245
#define IDB_DESKTOP 250
#define IDB_DESKTOP_PRESSED 252
#define IDB_DESKTOP_FOCUS 251
#define IDB_HELP 438
#define IDB_HELP_PRESSED 255
#define IDB_HELP_FOCUS 253
#define IDB_LETTER 249
#define IDB_LETTER_PRESSED 247
#define IDB_LETTER_FOCUS 248
// The library's smaller tool-bar buttons of the desktop strip.
#define IDB_STRIP_NEW 400
#define IDB_STRIP_NEW_PRESSED 401
#define IDB_STRIP_NEW_FOCUS 402
#define IDB_STRIP_SAVE 409
#define IDB_STRIP_SAVE_PRESSED 407
#define IDB_STRIP_SAVE_FOCUS 408
#define IDB_STRIP_PREVIEW 414
#define IDB_STRIP_PREVIEW_PRESSED 410
#define IDB_STRIP_PREVIEW_FOCUS 413
#define IDB_STRIP_PRINT 417
#define IDB_STRIP_PRINT_PRESSED 415
#define IDB_STRIP_PRINT_FOCUS 416
#define IDB_STRIP_MAIL 420
#define IDB_STRIP_MAIL_PRESSED 418
#define IDB_STRIP_MAIL_FOCUS 419
#define IDB_STRIP_HELP 423
#define IDB_STRIP_HELP_PRESSED 421
#define IDB_STRIP_HELP_FOCUS 422
// The strip's window buttons and the inking buttons.
#define IDB_CLOSE 256
#define IDB_CLOSE_PRESSED 258
#define IDB_CLOSE_FOCUS 257
#define IDB_SCALE 264
#define IDB_SCALE_PRESSED 266
#define IDB_SCALE_FOCUS 265
#define IDB_MINIMIZE 261
#define IDB_MINIMIZE_PRESSED 263
#define IDB_MINIMIZE_FOCUS 262
#define IDB_START_WRITING 336
#define IDB_START_WRITING_PRESSED 338
#define IDB_START_WRITING_FOCUS 342
#define IDB_CANCEL_WRITING 330
#define IDB_CANCEL_WRITING_PRESSED 332
#define IDB_CANCEL_WRITING_FOCUS 339
#define IDB_HAND_OVER_INK 333
#define IDB_HAND_OVER_INK_PRESSED 341
#define IDB_HAND_OVER_INK_FOCUS 340
// Panel buttons.
#define IDB_LINE_COLOR 303
#define IDB_LINE_COLOR_PRESSED 396
#define IDB_LINE_COLOR_FOCUS 397
#define IDB_UNDO 169
#define IDB_UNDO_PRESSED 170
#define IDB_UNDO_FOCUS 282
#define IDB_REDO 171
#define IDB_REDO_PRESSED 287
#define IDB_REDO_FOCUS 285
#define IDB_ZOOM_IN 172
#define IDB_ZOOM_IN_PRESSED 290
#define IDB_ZOOM_IN_FOCUS 289
#define IDB_ZOOM_OUT 173
#define IDB_ZOOM_OUT_PRESSED 293
#define IDB_ZOOM_OUT_FOCUS 292
#define IDB_CAPTURE 294
#define IDB_CAPTURE_PRESSED 296
#define IDB_CAPTURE_FOCUS 295
#define IDB_INSERT_IMAGE 299
#define IDB_INSERT_IMAGE_PRESSED 297
#define IDB_INSERT_IMAGE_FOCUS 298
#define IDB_ADD_LINE 300
#define IDB_ADD_LINE_PRESSED 302
#define IDB_ADD_LINE_FOCUS 301
// Tool buttons in their usual look; the chosen tool shows its _SELECTED picture in every state.
#define IDB_PENCIL 159
#define IDB_PENCIL_PRESSED 177
#define IDB_PENCIL_FOCUS 183
#define IDB_BRUSH 160
#define IDB_BRUSH_PRESSED 178
#define IDB_BRUSH_FOCUS 189
#define IDB_MARKER 184
#define IDB_MARKER_PRESSED 185
#define IDB_MARKER_FOCUS 188
#define IDB_ERASER 167
#define IDB_ERASER_PRESSED 175
#define IDB_ERASER_FOCUS 187
#define IDB_PICTURE 210
#define IDB_PICTURE_PRESSED 211
#define IDB_PICTURE_FOCUS 219
#define IDB_PENCIL_SELECTED 204
#define IDB_BRUSH_SELECTED 206
#define IDB_MARKER_SELECTED 201
#define IDB_ERASER_SELECTED 203
#define IDB_PICTURE_SELECTED 212
// The width buttons' chip.
#define IDB_WIDTH 313
#define IDB_WIDTH_PRESSED 312
// Pictures behind Start to write, Cancel and Inking in inking mode.
#define IDB_START_WRITING_BACK 382
#define IDB_CANCEL_WRITING_BACK 377
#define IDB_HAND_OVER_INK_BACK 381

// Bitmaps: backgrounds, shapes and pictures.
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
