// Dispatching the messages that wait in the thread's queue, for handlers that must let pending
// work (paints, moves, a display change) happen before they go on.
#pragma once

// Dispatches every message waiting in this thread's queue. A WM_QUIT found there is posted again
// and ends the dispatching, so that the message loop still ends.
void DispatchWaitingMessages();
