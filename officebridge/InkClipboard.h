// Puts an ink bitmap on the clipboard as a packed 24-bit device-independent bitmap (CF_DIB), either
// announced for delayed rendering (the clipboard insertion) or handed over at once (the Office
// insertion). The memory waits in g_hPendingDib until the clipboard takes it.
#pragma once
#include <windows.h>

// Copies the bitmap into movable, shareable global memory: a 40-byte BITMAPINFOHEADER followed
// by bottom-up 24-bit rows, each padded to a multiple of 4 bytes. Null when the bitmap cannot be
// read or is too large to pack.
HGLOBAL CreateInkDib(HDC hdc, HBITMAP hbm);

// True when CreateInkDib can read and pack the bitmap (the memory itself may still run out).
bool CanPackInk(HDC hdc, HBITMAP hbm);

// Builds the ink's bitmap and keeps it pending (an older pending bitmap is freed), then opens the
// clipboard with hwndOwner as owner, empties it and either announces CF_DIB with no data
// (bDelayed) or hands the memory over at once. Returns true when the clipboard took the offer;
// false when no bitmap could be built, or when the clipboard could not be opened (the bitmap then
// stays pending).
bool PutInkOnClipboard(HWND hwndOwner, HDC hdc, HBITMAP hbm, bool bDelayed);

// Hands a pending handle to the open clipboard under uFormat. The library forgets the handle only
// when the clipboard took it; a refused handle stays pending and owned by the library.
void HandOverPending(UINT uFormat, HGLOBAL& hPending);
