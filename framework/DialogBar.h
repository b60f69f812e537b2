// CDialogBar: a strip of controls made from a dialog template and docked at the top or the
// bottom edge of its frame. The frame lays the bars out and gives the view what is left; the
// bar forwards its controls' commands to the frame, which routes them like any other command.
// When the frame is idle, each control whose command has an update handler is enabled or
// disabled by it. A bar with CBRS_TOOLTIPS shows, for each child control, the part after the
// newline of the string whose id is the control's id.
#pragma once
#include <string>

#include "ToolTipCtrl.h"
#include "Wnd.h"

class CFrameWnd;

// Bar styles: the edge a bar is docked to, its border line, and whether it shows tips.
constexpr UINT CBRS_ALIGN_TOP = 0x2000;
constexpr UINT CBRS_ALIGN_BOTTOM = 0x8000;
constexpr UINT CBRS_BORDER_TOP = 0x0200;
constexpr UINT CBRS_BORDER_BOTTOM = 0x0800;
constexpr UINT CBRS_TOOLTIPS = 0x0010;
constexpr UINT CBRS_FLYBY = 0x0020;

class CDialogBar : public CWnd {
public:
    ~CDialogBar() override { DestroyWindow(); }

    // Creates the bar from dialog template nIDTemplate as a child of hwndParent with child id nID.
    bool Create(HWND hwndParent, UINT nIDTemplate, UINT nStyle, UINT nID);

    // The rectangle (0, 0, width, height) the bar needs; the default is the template's size.
    virtual RECT GetLayoutRect(bool bMove);
    bool IsDockedTop() const { return (m_nBarStyle & CBRS_ALIGN_TOP) != 0; }
    UINT GetBarStyle() const { return m_nBarStyle; }

    // Enables or disables each control by its command's update handler, as the frame routes it.
    void UpdateDialogControls(CFrameWnd* pTarget);
    // Adds every child control that has no tip yet to the bar's tips (CBRS_TOOLTIPS only); a bar
    // calls this after it has created its controls.
    void AddChildTips();
    // The tip text of a control id: what follows the newline in the string of that id.
    static std::wstring ChildTipText(UINT nID);
    bool PreTranslateMessage(MSG* pMsg) override;
    // The window that the bar's child tips live in (null without CBRS_TOOLTIPS).
    HWND GetChildTipWindow() const { return m_childTips.GetSafeHwnd(); }

protected:
    // Handles one dialog message; TRUE when handled. The default forwards commands to the parent
    // and answers the tips' text requests.
    INT_PTR DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

    UINT m_nBarStyle = 0;
    SIZE m_sizeDefault = {0, 0};

private:
    void OnGetTipText(NMTTDISPINFOW* pInfo);
    CToolTipCtrl m_childTips;
    std::wstring m_strTipText;
};
