// CBitmapButton: an owner-drawn push button that shows one of four bitmaps: normal, pressed,
// focused and disabled. It owns its bitmaps, which come from the resource source (Resources.h).
// Without a disabled bitmap a disabled button shows a faded copy of its normal one; without
// bitmaps it stays blank.
#pragma once
#include <string>
#include <vector>

#include "GdiObjects.h"
#include "Wnd.h"

class CBitmapButton : public CWnd {
public:
    ~CBitmapButton() override { DestroyWindow(); }

    // Creates an owner-drawn button over rc (client coordinates of hwndParent) with command nID;
    // dwStyle adds WS_VISIBLE and the like.
    bool Create(HWND hwndParent, const RECT& rc, UINT nID, DWORD dwStyle);
    // Loads the bitmaps (0 = none) and repaints; false when the normal bitmap is missing.
    bool LoadBitmaps(UINT nIDNormal, UINT nIDSelected = 0, UINT nIDFocus = 0, UINT nIDDisabled = 0);
    // Subclasses control nID of hwndParent and loads the bitmaps named after the control's text
    // with "U" (normal), "D" (pressed), "F" (focused) and "X" (disabled) appended, then sizes the
    // button to them; false when the control or its normal bitmap is missing.
    bool AutoLoad(UINT nID, HWND hwndParent);
    // Resizes the button to its normal bitmap.
    void SizeToContent();
    // The bitmap shown in a drawing state (ODS_ flags); null when there is none.
    HBITMAP ChooseBitmap(UINT nState);

    bool OnChildNotify(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

protected:
    virtual void DrawItem(const DRAWITEMSTRUCT& dis);

private:
    void SetBitmaps(HBITMAP hNormal, HBITMAP hSelected, HBITMAP hFocus, HBITMAP hDisabled);
    COwnedBitmap m_bmNormal;
    COwnedBitmap m_bmSelected;
    COwnedBitmap m_bmFocus;
    COwnedBitmap m_bmDisabled;
    COwnedBitmap m_bmFaded;
};

// A bitmap resource (by id or name) from the resource source as a DIB section, or null.
HBITMAP LoadResBitmap(LPCWSTR pszName);
// The size of a bitmap in pixels ({0, 0} for none).
SIZE BitmapSize(HBITMAP hbm);
// Draws the whole bitmap at the top-left corner of hdc; nothing without one.
void DrawBitmap(HDC hdc, HBITMAP hbm);
// The size of a bitmap resource of the resource source ({0, 0} when it is missing).
SIZE ResourceBitmapSize(UINT nID);
// A bitmap's pixels as 0x00RRGGBB, top row first; empty for none.
std::vector<DWORD> BitmapBits(HBITMAP hbm);
