// The Windows Ink stand-in: a library of the four pointer functions that the program looks up in
// user32, for tests on systems without Windows Ink pens (Wine 8 has no GetPointerPenInfo). The
// program takes it instead of user32 when "QUILLET_POINTER_STANDIN" names it. A feeder thread
// (InkFeeder.cpp) plays the script named by "QUILLET_POINTER_SCRIPT": for each step it records the
// pointer's frames, moves the system cursor, posts the real pointer message to the window under
// the pen (the one that took the contact's down for as long as the contact lasts) and waits until
// the program has handled it.
//
// As strict as Windows: a pointer id is known only while a message of it is being handled, and
// an unknown id fails with ERROR_INVALID_PARAMETER; a touch pointer has no pen information
// (ERROR_DATATYPE_MISMATCH); the history holds the frames coalesced into the message, newest
// first, and a buffer too small for it takes the newest; null arguments fail. GetPointerDevices
// reports a pen digitizer and a touch screen, or with "QUILLET_POINTER_DEVICES" set to "touch" only
// the touch screen. Every script named by "QUILLET_POINTER_SCRIPT" is played once, starting at the
// first GetPointerDevices after it was named.
#pragma once
#include "PointerApi.h"
#include "ScriptSteps.h"

#include <vector>

// Makes the frames (newest first) the pointer's information while its message is handled, posts
// the message uMsg to hWnd and waits until the program has handled it. The message's flags and
// position are those of the newest frame.
void DeliverPointerMessage(HWND hWnd, UINT uMsg, DWORD nType,
                           const std::vector<PointerPenInfo>& frames);

// Starts the feeder thread for a script not played yet.
void StartInkFeeder();
