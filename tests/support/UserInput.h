// Keys as a user types them (SendInput) and the file name box of the system's file dialogs, for
// tests that drive the real program.
#pragma once
#include <windows.h>

// Presses and releases a key; with Ctrl held down.
void PressKey(WORD vk);
void PressCtrlKey(WORD vk);

// The file name box of a file dialog: an edit inside combo box 0x47C, or edit 0x480.
HWND FileNameEdit(HWND hwndDialog);
