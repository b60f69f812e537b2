// Real input for the media end-to-end tests: mouse and keys through SendInput at points of the
// program's windows, its file dialogs, and programs of the machine outside Wine.
#pragma once
#include <windows.h>

#include <string>

#include "ProgramRunner.h"
#include "UnixPath.h"
#include "UserInput.h"

// How long the media tests wait for a window or a file.
inline constexpr DWORD kTimeout = 30000;

void BringToFront(HWND hwnd);

// Mouse at client points of a window: move, press, release.
void MouseClick(HWND hwnd, POINT pt);
void MouseRightClick(HWND hwnd, POINT pt);
void MouseDrag(HWND hwnd, POINT ptFrom, POINT ptTo);

// Types the path into a file dialog and presses its OK button.
bool AnswerFileDialog(HWND hwndDialog, const std::wstring& strPath);
// Ctrl+S and the save dialog; true when the file has been written.
bool SaveThroughDialog(const CProgram& program, HWND hwndFrame, const std::wstring& strPath);

// Runs a command line of the machine (outside Wine) and returns what it printed.
std::string RunUnix(const std::string& strCommand);
