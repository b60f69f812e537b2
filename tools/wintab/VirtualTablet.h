// The virtual tablet: a stand-in "wintab32.dll" for tests and demonstrations on machines without a
// pen tablet. It keeps the contexts that the program opens and a packet queue for each; a feeder
// thread (TabletFeeder.cpp) produces packets from a script or from the mouse and hands them over
// one at a time: it moves the system cursor, queues the packet, posts the packet message to the
// context's window and waits until the program has fetched and handled it.
#pragma once
#include "WintabApi.h"

#include <string>

// One packet as the feeder produces it, before it is laid out for a context's data mask.
struct RawPacket {
    DWORD nTime = 0;
    DWORD nButtons = 0; // relative: event in the high word, button number in the low word
    POINT ptScreen{};
    UINT nPressure = 0;
};

// Normal-pressure axis maximum that the virtual device reports ("QUILLET_TABLET_AXMAX", 1023).
LONG VirtualPressureMax();

// The window of the newest open context, or null when none is open.
HWND CurrentContextWindow();

// Queues the packet on the newest open and enabled context (waiting up to dwWaitMs for one to be
// enabled), posts the packet message and waits until the program has fetched and handled it.
// Returns false when no context took it.
bool DeliverPacket(const RawPacket& packet, DWORD dwWaitMs);

// Starts the feeder thread once (at the first WTOpenA).
void StartFeeder();

// The process's environment variable strName, read when asked (empty when unset).
std::string TabletSetting(const char* pszName);

// Appends a line to the log file named by "QUILLET_TABLET_LOG", when set.
void TabletLog(const std::string& strLine);
