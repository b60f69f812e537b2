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

// Clipboard insertion: offers the ink as a delayed CF_DIB and "HTML Format" and pastes it.
BREVIX_API int WINAPI Brevix_Insert(HWND hwndOwner, const RECT* prcInk, HDC hdc, HBITMAP hbm);
BREVIX_API int WINAPI Brevix_RenderFormat(HWND hwndOwner, UINT uFormat);
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
BREVIX_API int WINAPI Brevix_PP_SlideGotoMenu(void* pMenu, int nFirstIdMinusOne);
BREVIX_API int WINAPI Brevix_PP_SlideGoto(int nSlide);
BREVIX_API int WINAPI Brevix_PP_EndOle();
