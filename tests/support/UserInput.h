// Keys and the mouse as a user uses them (SendInput), clicks on the buttons of the program's tool
// bar and panel, and the file name box of the system's file dialogs, for tests that drive the
// real program.
#pragma once
#include <windows.h>

// Presses and releases a key; with Ctrl held down.
void PressKey(WORD vk);
void PressCtrlKey(WORD vk);

// The mouse at a screen point: moves there (and waits until the cursor is there), presses,
// lets go, clicks, double-clicks.
void MouseTo(POINT ptScreen);
void MouseDown(POINT ptScreen);
void MouseUp(POINT ptScreen);
void MouseClick(POINT ptScreen);
void MouseDoubleClick(POINT ptScreen);
// Screen point of (x, y) from the top-left of hwnd's client area.
POINT ClientPoint(HWND hwnd, int x, int y);

// The main frame's tool bar and its colour and line panel.
HWND ToolBarOf(HWND hwndFrame);
HWND PanelOf(HWND hwndFrame);
// A click on a bar's button at a place of the layout tables (the button's top-left corner, from
// the bar's), a little inside the button; returns once the program has handled the click.
void ClickBarPlace(HWND hwndBar, POINT ptPlace);
// Returns once the thread of hwnd has handled the input and messages it was given so far.
void WaitUntilHandled(HWND hwnd);

// Places of the letter window's panel buttons in the program's own look (a screen of 1280 pixels
// or more), from the panel's top-left corner.
namespace LetterPanel {
constexpr POINT kPicture{0, 14}, kEraser{64, 14}, kPencil{131, 26}, kBrush{176, 26},
    kMarker{225, 26}, kUndo{530, 31}, kRedo{560, 31}, kZoomIn{590, 31}, kZoomOut{622, 31},
    kCapture{654, 31}, kInsertImage{711, 31}, kAddLine{746, 31};
} // namespace LetterPanel
// The letter window's tool bar, the same way.
namespace LetterToolBar {
constexpr POINT kSave{96, 2}, kDesktop{286, 2};
} // namespace LetterToolBar
// The strip of desktop and inking mode (own look): the panel's buttons, the same in both modes,
// and each mode's tool bar.
namespace StripPanel {
constexpr POINT kEraser{30, -10}, kPencil{87, 2}, kBrush{132, 2}, kMarker{181, 2}, kUndo{486, 10},
    kRedo{516, 10};
} // namespace StripPanel
namespace DesktopToolBar {
constexpr POINT kSave{341, 5}, kMail{476, 5}, kLetter{527, 5};
} // namespace DesktopToolBar
namespace InkingToolBar {
constexpr POINT kStartWriting{313, 4}, kInking{370, 4}, kCancel{426, 4};
} // namespace InkingToolBar

// The file name box of a file dialog: an edit inside combo box 0x47C, or edit 0x480.
HWND FileNameEdit(HWND hwndDialog);
