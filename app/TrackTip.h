// CTrackTip: the owner of one balloon tip window of the common controls with one tool. As a
// tracking tip it can be placed anywhere (the "Start to write" hint of the tool bar); each
// operation is one message of the tip window. The window is destroyed with the object.
#pragma once
#include <windows.h>

#include <commctrl.h>

#include <cstddef>

#include "Wnd.h"

class CTrackTip : public CWnd {
public:
    ~CTrackTip() override { DestroyWindow(); }

    // Creates the top-most balloon tip window for hwndOwner; in the inking process the main frame
    // is made top-most first, so that the tip can stand above it.
    bool Create(HINSTANCE hInstance, HWND hwndOwner);
    // Adds the one tool: the owner's client area, or with bTrack a freely placed tracking tool.
    bool AddTool(HINSTANCE hInstance, HWND hwndOwner, bool bTrack);
    // Hands the tip a mouse move of hwnd at the cursor's position.
    void RelayEvent(HWND hwnd);
    void SetDelays(int nAutoPop, int nInitial, int nReshow);
    void Activate(bool bActivate);
    void SetText(const char* pszText);
    void SetColors(COLORREF crText, COLORREF crBack);
    void Update();
    void TrackPosition(int x, int y);
    // TTM_GETBUBBLESIZE, or 0 with common controls older than 5.80.
    LRESULT GetBubbleSize();
    DWORD GetComCtlVersion() const { return m_nComCtlVersion; }
    bool IsActive() const { return m_bActive; }

    // Common controls 5.80, packed as major * 65536 + minor.
    static constexpr DWORD kVersion580 = 327760;
    // The tool record as the oldest common controls know it.
    static constexpr UINT kToolInfoSize = offsetof(TOOLINFOA, lParam);

private:
    DWORD m_nComCtlVersion = 0;
    BOOL m_bTracking = FALSE;
    TOOLINFOA m_ti{};
    char m_szText[256] = " ";
    bool m_bActive = false;
};

// The version of "comctl32.dll" (major * 65536 + minor), 0 when unknown.
DWORD CommonControlsVersion();
