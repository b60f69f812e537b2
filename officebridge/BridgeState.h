// Process-wide state of the clipboard insertion. The bridge has no per-call context: every export
// runs on the caller's user-interface thread and reads and writes these variables.
#pragma once
#include <windows.h>

// Hidden window of class "Plovexa2" that marks the library as loaded; null if it failed.
extern HWND g_hMarkerWnd;
// Full path of the image file of the latest insertion ("" when none was made).
extern wchar_t g_szTempFile[MAX_PATH];
// Packed 24-bit bitmap not yet taken by the clipboard; null when none. The library owns it.
extern HGLOBAL g_hPendingDib;
// "HTML Format" text not yet taken by the clipboard; null when none. The library owns it.
extern HGLOBAL g_hPendingHtml;
// The registered clipboard format "HTML Format"; 0 until the first HTML offer.
extern UINT g_cfHtml;
// Identifier of the running insertion timer, 0 when none, and the window it runs on.
extern UINT_PTR g_nTimerId;
extern HWND g_hTimerWnd;

// The message posted to the owner window when the insertion timer has expired.
constexpr UINT WM_INK_INSERTED = WM_USER + 200;
static_assert(WM_INK_INSERTED == 1224);

// Frees the HTML text that was never handed to the clipboard and deletes the image file it names:
// once its offer has left the clipboard nothing can ask for the file any more.
void DiscardPendingHtml();

// Stops the insertion timer if one runs.
void StopInsertionTimer();

// Called when the library is unloaded, after the clipboard state is released, so that the Office
// code can delete the connections it still holds. Null when nothing needs it.
extern void (*g_pfnReleaseConnections)();
