// Brevix.dll: places finished ink into the application under it (as a pasted picture, or as
// native Word, Excel and PowerPoint drawing objects) and drives a running PowerPoint slide show.
// Every export returns 1 for success and 0 for failure unless its comment says otherwise.
#pragma once
#include <windows.h>

#ifdef BREVIX_BUILD
#define BREVIX_API extern "C" __declspec(dllexport)
#else
#define BREVIX_API extern "C" __declspec(dllimport)
#endif

// Clipboard insertion. All three run on the thread that owns hwndOwner (the view window), which
// must forward WM_RENDERFORMAT to Brevix_RenderFormat followed by
// Brevix_RenderFormatHTML_TimeOut, and WM_RENDERALLFORMATS to Brevix_RenderFormat with format 0.
// Rules they keep:
// - No exception and no crash leaves an export; a failure inside gives the documented result.
// - Paths live in buffers of 260 characters and are never cut or overrun: a temporary folder too
//   long for a file name there gives no HTML offer; the fragment always holds the whole path.
// - Pending clipboard memory is owned by the library until the clipboard accepts it; a handle the
//   clipboard refuses stays pending, and a replaced one is freed, never leaked or freed twice.
// - The temporary "aan" image file exists only while an HTML text naming it is on offer or has
//   been handed over; when no text names it (no image library, a failed write, a busy clipboard,
//   a newer insertion) it is removed.
// - Rendering all formats fills in only what this window still has on offer, without emptying the
//   clipboard, and only while the window still owns it.
// - Unloading the library stops its timer, destroys its marker window and unregisters its class.

// Pastes the ink into the application under the centre of *prcInk (screen pixels): offers the
// bitmap as a delayed CF_DIB and, when kvofunc.dll wrote it as a GIF into a temporary file, a
// delayed "HTML Format" naming that file; sends Ctrl+V and starts a 2000 ms timer on hwndOwner
// that removes an image nobody asked for and posts message 1224 (WM_USER + 200). Does nothing
// when the centre is not over a child window. Always returns 1. Without a window of this thread
// as owner the formats are handed over at once.
BREVIX_API int WINAPI Brevix_Insert(HWND hwndOwner, const RECT* prcInk, HDC hdc, HBITMAP hbm);
// Hands a pending format to the open clipboard (CF_DIB or "HTML Format"), or with format 0 every
// pending format. Returns 1 for those formats, also when nothing is pending; 0 for any other.
BREVIX_API int WINAPI Brevix_RenderFormat(HWND hwndOwner, UINT uFormat);
// Stops the insertion timer; while the HTML text was never asked for, deletes its image file and
// returns the result of the deletion (1 deleted, 0 not). Returns 0 when no text is pending.
BREVIX_API int WINAPI Brevix_RenderFormatHTML_TimeOut(HWND hwndOwner);

// Office drawing insertion: Begin, then any Rect and Insert calls, then End.
BREVIX_API int WINAPI Brevix_Office_Begin(HWND hwndOwner, const RECT* prcInk);
BREVIX_API int WINAPI Brevix_Office_Rect(const RECT* prcStroke, const POINT* ppt, int nCount,
                                         COLORREF cr, float fWidth, int bBehind);
BREVIX_API int WINAPI Brevix_Office_CheckHorVer();
BREVIX_API int WINAPI Brevix_Office_Insert(HWND hwndOwner, const RECT* prcBitmap, HDC hdc,
                                           HBITMAP hbm, int bBehind);
BREVIX_API int WINAPI Brevix_Office_End();

// PowerPoint presenter.
BREVIX_API int WINAPI Brevix_PP_Action(int nAction);
BREVIX_API int WINAPI Brevix_PP_SetPointerColor(COLORREF cr);
BREVIX_API int WINAPI Brevix_PP_GetSlideShowActive();
BREVIX_API int WINAPI Brevix_PP_SetPointerType(int nType);
BREVIX_API int WINAPI Brevix_PP_GetCurrentPage();
BREVIX_API int WINAPI Brevix_PP_AddCommandBar();
BREVIX_API int WINAPI Brevix_PP_SlideGotoMenu(HMENU hMenu, int nFirstIdMinusOne);
BREVIX_API int WINAPI Brevix_PP_SlideGoto(int nSlide);
BREVIX_API int WINAPI Brevix_PP_EndOle();
