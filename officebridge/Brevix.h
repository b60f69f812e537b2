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
// - Unloading the library stops its timer, destroys its marker window and unregisters its class,
//   and removes an image file whose text is still pending; the Office connections are deleted
//   when the library is freed, but not at process exit, when COM may be gone already.

// Pastes the ink into the application under the centre of *prcInk (screen pixels): offers the
// bitmap as a delayed CF_DIB and, when kvofunc.dll wrote it as a GIF into a temporary file, a
// delayed "HTML Format" naming that file; sends Ctrl+V and starts a 2000 ms timer on hwndOwner
// that removes an image nobody asked for and posts message 1224 (WM_USER + 200). Returns 1 then;
// 0 when nothing was placed: no ink, the centre not over a child window, or the clipboard held
// open by someone else (no paste is sent, so the caller can keep the ink). Without a window of
// this thread as owner the formats are handed over at once.
BREVIX_API int WINAPI Brevix_Insert(HWND hwndOwner, const RECT* prcInk, HDC hdc, HBITMAP hbm);
// Hands a pending format to the open clipboard (CF_DIB or "HTML Format"), or with format 0 every
// pending format. Returns 1 for those formats, also when nothing is pending; 0 for any other.
BREVIX_API int WINAPI Brevix_RenderFormat(HWND hwndOwner, UINT uFormat);
// Stops the insertion timer; while the HTML text was never asked for, deletes its image file and
// returns the result of the deletion (1 deleted, 0 not). Returns 0 when no text is pending.
BREVIX_API int WINAPI Brevix_RenderFormatHTML_TimeOut(HWND hwndOwner);

// Office drawing insertion: Begin, then any Rect and Insert calls, then End (also after a Begin
// that returned 0). Word, Excel and PowerPoint are driven only through OLE Automation of the
// running instance ("Word.Application", "Excel.Application", "PowerPoint.Application").
// Messages appear in boxes without owner or caption: "rect error", "Is Not in Word Window
// Client", "No Excel", "Could not populate the worksheet.", "No PowerPoint", "Error CLSID
// Word.Application", "Excel _Init Error", "PowerPoint _Init Error", "Word _Init Error".
// Rules they keep:
// - An automation call that fails inside the application never leaves an export: the export
//   returns 0, every reference taken on the way is released, and what the insertion switched off
//   (screen updating of Excel and Word, Word's option 451) is switched back on at once where the
//   application still answers; the connection is then no longer drawn into.
// - Only settings the insertion itself changed are put back: a Begin that failed before it
//   switched them leaves them as the user had them.
// - Only the measuring scribble is deleted from a document; a shape of the user's that served as
//   Word's reference (no "Freeform" shape found) stays.
// - The application's title is read into 128 characters and slide menu texts are cut to 259;
//   nothing longer is ever written.
// - Grouping at End takes only shapes this insertion added (never more than the document still
//   holds) and never groups a single shape.

// Recognises Word, Excel or PowerPoint (in this order) by the title of the top-level window
// under the centre of *prcInk, connects to it and measures how screen pixels map to document
// points. 1 when the ink can go into the document; the owner argument is not used.
BREVIX_API int WINAPI Brevix_Office_Begin(HWND hwndOwner, const RECT* prcInk);
// Adds one stroke (nCount screen points, bounding rectangle *prcStroke) as a polyline with the
// colour's low 24 bits and the line weight fWidth in points; behind the text when bBehind.
// 0 without a usable connection or without points.
BREVIX_API int WINAPI Brevix_Office_Rect(const RECT* prcStroke, const POINT* ppt, int nCount,
                                         COLORREF cr, float fWidth, int bBehind);
// Always 0.
BREVIX_API int WINAPI Brevix_Office_CheckHorVer();
// Puts the bitmap on the clipboard (CF_DIB, owned by hwndOwner), pastes it and places it over
// *prcBitmap with white transparent; behind the text when bBehind, else in front. 1 also when
// the paste added no object; 0 without a usable connection (the clipboard is then untouched).
BREVIX_API int WINAPI Brevix_Office_Insert(HWND hwndOwner, const RECT* prcBitmap, HDC hdc,
                                           HBITMAP hbm, int bBehind);
// Groups what was added, restores the application's settings and ends the connection. 1 when an
// application had been recognised, else 0; 0 also when the application failed while finishing
// (the connection ends all the same).
BREVIX_API int WINAPI Brevix_Office_End();

// PowerPoint presenter: all but AddCommandBar and EndOle need a running slide show and return 0
// without one (also when PowerPoint is not running or fails during the call); none shows a
// message.
// Action codes: -1 none, 0 next, 1 previous, 2 erase the ink, 3 end the show, 4 running, 5 black
// screen, 6 white screen, others none. Returns the version code (0x0B00 for "11.0").
BREVIX_API int WINAPI Brevix_PP_Action(int nAction);
// The show's pen colour (low 24 bits).
BREVIX_API int WINAPI Brevix_PP_SetPointerColor(COLORREF cr);
BREVIX_API int WINAPI Brevix_PP_GetSlideShowActive();
// Pointer code 0 arrow, 5 eraser, any other the pen.
BREVIX_API int WINAPI Brevix_PP_SetPointerType(int nType);
// Position of the current slide in the show (1-based), or 0.
BREVIX_API int WINAPI Brevix_PP_GetCurrentPage();
// Adds the "Pravello" command bar with its "Start Pravello" button once; needs PowerPoint 8.0 or
// later with a slide selected and no show running. Leaves the clipboard alone.
BREVIX_API int WINAPI Brevix_PP_AddCommandBar();
// Inserts one item per slide at the top of hMenu: "%d. %s" with the slide's title, or
// "%d. Slide%d"; command identifiers nFirstIdMinusOne + 1 onwards.
BREVIX_API int WINAPI Brevix_PP_SlideGotoMenu(HMENU hMenu, int nFirstIdMinusOne);
// Goes to slide nSlide (1-based) without restarting its animations; 0 for nSlide < 1.
BREVIX_API int WINAPI Brevix_PP_SlideGoto(int nSlide);
// Ends the PowerPoint connection. Always 1.
BREVIX_API int WINAPI Brevix_PP_EndOle();
