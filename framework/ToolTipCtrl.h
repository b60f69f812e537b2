// CToolTipCtrl: one tool-tip window of the common controls ("tooltips_class32") for controls of
// one owner window. It owns the tip window. The owner relays mouse messages to it
// (RelayEvent) from its message pre-translation, so the controls themselves stay untouched.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <string>

class CToolTipCtrl {
public:
    CToolTipCtrl() = default;
    CToolTipCtrl(const CToolTipCtrl&) = delete;
    CToolTipCtrl& operator=(const CToolTipCtrl&) = delete;
    ~CToolTipCtrl() { Destroy(); }

    // Initialises the common controls and creates the tip window for the controls of
    // hwndOwner, which answers the tips' text requests.
    bool Create(HWND hwndOwner, DWORD dwStyle = TTS_ALWAYSTIP);
    void Destroy();
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Adds control hwndTool (a child of the owner) with its text; LPSTR_TEXTCALLBACKW as the text
    // makes the owner answer TTN_GETDISPINFOW each time the tip shows.
    bool AddTool(HWND hwndTool, const wchar_t* pszText);
    void Activate(bool bActivate);
    // Hands a mouse message of a tool to the tip.
    void RelayEvent(const MSG* pMsg) const;
    int GetToolCount() const;

    // The record size every version of the common controls accepts (the older ones refuse the
    // size of the newest record).
    static constexpr UINT kToolInfoSize = offsetof(TOOLINFOW, lpReserved);

private:
    HWND m_hWnd = nullptr;
    HWND m_hwndOwner = nullptr;
};

// Initialises every class of the common controls once per process.
void InitCommonControlClasses();
