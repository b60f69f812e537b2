// The virtual tablet: a stand-in "wintab32.dll" for tests and demonstrations on machines without a
// pen tablet. It keeps the contexts that the program opens and a packet queue for each; a feeder
// thread (TabletFeeder.cpp) produces packets from a script or from the mouse and hands them over
// one at a time: it moves the system cursor, queues the packet, posts the packet message to the
// context's window and waits until the program has fetched and handled it.
//
// It behaves as a driver that follows the published interface, or, with "QUILLET_TABLET_WINE"
// set (not "0"), as Wine 8's own library does where that differs: packets go only to an enabled
// context whose window is the top-level window under the pen; pkButtons is the absolute button
// mask (the tip in bit 1) whatever mode the context asked for; a context's queue holds 10 packets
// and drops the newest when full (the message is posted all the same); WTQueueSizeSet resizes it;
// WTEnable(FALSE) empties it; the default context and the 65,536-level pressure axis are Wine's.
// "QUILLET_TABLET_AXMAX" sets another pressure axis maximum, "QUILLET_TABLET_QUEUEMAX" the
// largest queue WTQueueSizeSet grants (a refused size leaves the context without a queue).
//
// The pen has two cursors, its tip and its eraser end. As a driver of the published interface
// the tip is cursor 0 and the eraser cursor 1, marked CRC_INVERT; as Wine the cursors are the X
// devices in the order X lists them, here the eraser first, told apart only by their types
// (0x082A the eraser, 0x0822 the stylus) and names.
#pragma once
#include "ScriptSteps.h"
#include "WintabApi.h"

#include <string>
#include <vector>

// One packet as the feeder produces it, before it is laid out for a context's data mask.
struct RawPacket {
    DWORD nTime = 0;
    DWORD nButtons = 0; // relative: event in the high word, button number in the low word
    POINT ptScreen{};
    UINT nPressure = 0;
    UINT nCursor = 0;
};

// The cursor numbers of the pen's tip and eraser end.
UINT TipCursor();
UINT EraserCursor();

// The performance counter.
LONGLONG PerformanceNow();

// Whether the tablet behaves as Wine's library ("QUILLET_TABLET_WINE").
bool IsWineMode();

// Normal-pressure axis maximum that the virtual device reports ("QUILLET_TABLET_AXMAX"; 1023, or
// 65535 in Wine mode).
LONG VirtualPressureMax();

// The raw pressure of a touch given in 1024ths of the pen's range: scripts and the mouse write
// with the same touch whatever the number of pressure levels.
UINT RawPressure(LONG nTouch);

// The window of the newest open context, or null when none is open.
HWND CurrentContextWindow();

// The road of one packet in performance-counter ticks: from the feeder's message to the program
// after it moved the cursor (sent when the packet's cursor move was made) to its answer, that is,
// until the program was done with what came before, the move included; when the packet's message
// was posted; when the program fetched the packet; when it was back in its message loop (it
// answered a sent message). nFetched is 0 when the packet was not fetched (dropped, or its context
// closed first); the first two are 0 for a packet sent without moving the cursor.
struct PacketTimes {
    LONGLONG nSyncStart = 0;
    LONGLONG nSynced = 0;
    LONGLONG nPosted = 0;
    LONGLONG nFetched = 0;
    LONGLONG nBack = 0;
};

// Queues the packet on the newest open and enabled context (waiting up to dwWaitMs for one to be
// enabled), posts the packet message and waits until the program has fetched and handled it,
// noting the times in *pTimes when given. Returns false when no context took it.
bool DeliverPacket(const RawPacket& packet, DWORD dwWaitMs, PacketTimes* pTimes = nullptr);

// Queues all the packets at once, as they pile up while the program's thread is busy, posts a
// packet message for each and waits until the program has handled them.
void DeliverBurst(const std::vector<RawPacket>& packets);

// Starts the feeder thread once (at the first WTOpenA).
void StartFeeder();

// Appends a line to the log file named by "QUILLET_TABLET_LOG", when set.
void TabletLog(const std::string& strLine);
