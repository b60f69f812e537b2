// CDialogBar: a strip of controls made from a dialog template and docked at the top or the
// bottom edge of its frame. The frame lays the bars out and gives the view what is left; the
// bar forwards its controls' commands to the frame, which routes them like any other command.
#pragma once
#include "Wnd.h"

// Bar styles: the edge a bar is docked to, its border line, and whether it shows tips.
constexpr UINT CBRS_ALIGN_TOP = 0x2000;
constexpr UINT CBRS_ALIGN_BOTTOM = 0x8000;
constexpr UINT CBRS_BORDER_TOP = 0x0200;
constexpr UINT CBRS_BORDER_BOTTOM = 0x0800;
constexpr UINT CBRS_TOOLTIPS = 0x0010;
constexpr UINT CBRS_FLYBY = 0x0020;

class CDialogBar : public CWnd {
public:
    // Creates the bar from dialog template nIDTemplate as a child of hwndParent with child id nID.
    bool Create(HWND hwndParent, UINT nIDTemplate, UINT nStyle, UINT nID);

    // The rectangle (0, 0, width, height) the bar needs; the default is the template's size.
    virtual RECT GetLayoutRect(bool bMove);
    bool IsDockedTop() const { return (m_nBarStyle & CBRS_ALIGN_TOP) != 0; }
    UINT GetBarStyle() const { return m_nBarStyle; }

protected:
    // Handles one dialog message; TRUE when handled. The default forwards commands to the parent.
    virtual INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    UINT m_nBarStyle = 0;
    SIZE m_sizeDefault = {0, 0};
};
