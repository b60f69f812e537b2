// IInkBridge: the Office bridge (Brevix.dll) as the canvas uses it: inserting finished ink into
// the application under it, as drawing objects or as a pasted picture, and rendering the delayed
// clipboard formats that such a paste leaves. CBrevixBridge loads the library by name when the
// view is created and looks its exports up by name, so that a program without the bridge still
// starts and works; tests put a recording double in its place.
#pragma once
#include <windows.h>

class IInkBridge {
public:
    virtual ~IInkBridge() = default;
    // Whether the library and every export the canvas calls were found.
    virtual bool IsAvailable() const = 0;
    virtual int OfficeBegin(HWND hwndOwner, const RECT* prcInk) = 0;
    virtual int OfficeRect(const RECT* prcStroke, const POINT* ppt, int nCount, COLORREF cr,
                           float fWidth, int bBehind) = 0;
    virtual int OfficeEnd() = 0;
    virtual int Insert(HWND hwndOwner, const RECT* prcInk, HDC hdc, HBITMAP hbm) = 0;
    virtual int RenderFormat(HWND hwndOwner, UINT uFormat) = 0;
    virtual int RenderFormatHtmlTimeOut(HWND hwndOwner) = 0;
};

class CBrevixBridge : public IInkBridge {
public:
    CBrevixBridge();
    CBrevixBridge(const CBrevixBridge&) = delete;
    CBrevixBridge& operator=(const CBrevixBridge&) = delete;

    bool IsAvailable() const override;
    int OfficeBegin(HWND hwndOwner, const RECT* prcInk) override;
    int OfficeRect(const RECT* prcStroke, const POINT* ppt, int nCount, COLORREF cr, float fWidth,
                   int bBehind) override;
    int OfficeEnd() override;
    int Insert(HWND hwndOwner, const RECT* prcInk, HDC hdc, HBITMAP hbm) override;
    int RenderFormat(HWND hwndOwner, UINT uFormat) override;
    int RenderFormatHtmlTimeOut(HWND hwndOwner) override;

private:
    // Never freed: the library's clipboard offers and its timer may outlive the view, as they
    // would with a library linked at load time.
    HMODULE m_hModule = nullptr;
    int(WINAPI* m_pfnBegin)(HWND, const RECT*) = nullptr;
    int(WINAPI* m_pfnRect)(const RECT*, const POINT*, int, COLORREF, float, int) = nullptr;
    int(WINAPI* m_pfnEnd)() = nullptr;
    int(WINAPI* m_pfnInsert)(HWND, const RECT*, HDC, HBITMAP) = nullptr;
    int(WINAPI* m_pfnRender)(HWND, UINT) = nullptr;
    int(WINAPI* m_pfnTimeOut)(HWND) = nullptr;
};
