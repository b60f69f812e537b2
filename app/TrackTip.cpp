#include "TrackTip.h"

#include <shlwapi.h>

#include "ScrivoApp.h"
#include "ToolTipCtrl.h"

DWORD CommonControlsVersion() {
    HMODULE hComCtl = LoadLibraryW(L"comctl32.dll");
    if (!hComCtl)
        return 0;
    DWORD nVersion = 0;
    auto pfnGetVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(GetProcAddress(hComCtl, "DllGetVersion"));
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);
    if (pfnGetVersion && SUCCEEDED(pfnGetVersion(&info)))
        nVersion = info.dwMajorVersion * 65536 + info.dwMinorVersion;
    FreeLibrary(hComCtl);
    return nVersion;
}

bool CTrackTip::Create(HINSTANCE hInstance, HWND hwndOwner) {
    CScrivoApp* pApp = CScrivoApp::Get();
    if (pApp && pApp->m_bInking && hwndOwner)
        SetWindowPos(GetAncestor(hwndOwner, GA_ROOT), HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    InitCommonControlClasses();
    constexpr DWORD kStyle =
        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_NOANIMATE | TTS_NOFADE | TTS_BALLOON;
    static_assert(kStyle == 0x80000073);
    // Not owned by hwndOwner's frame, so that the frame can still enter the top-most band (see
    // CToolTipCtrl::Create); the tip is top-most itself.
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, kStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwndOwner, nullptr,
                                hInstance, nullptr);
    if (!hwnd || !Subclass(hwnd)) {
        if (hwnd)
            ::DestroyWindow(hwnd);
        return false;
    }
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_nComCtlVersion = CommonControlsVersion();
    return true;
}

bool CTrackTip::AddTool(HINSTANCE hInstance, HWND hwndOwner, bool bTrack) {
    m_ti = {};
    m_ti.cbSize = kToolInfoSize;
    m_ti.uFlags = bTrack ? TTF_TRACK | TTF_ABSOLUTE : TTF_CENTERTIP | TTF_SUBCLASS;
    m_ti.hwnd = hwndOwner;
    m_ti.uId = 0;
    GetClientRect(hwndOwner, &m_ti.rect);
    m_ti.hinst = hInstance;
    lstrcpynA(m_szText, " ", sizeof(m_szText));
    m_ti.lpszText = m_szText;
    m_bTracking = bTrack ? TRUE : FALSE;
    return m_hWnd &&
           SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&m_ti)) != FALSE;
}

void CTrackTip::RelayEvent(HWND hwnd) {
    MSG msg{};
    msg.hwnd = hwnd;
    msg.message = WM_MOUSEMOVE;
    GetCursorPos(&msg.pt);
    POINT pt = msg.pt;
    ScreenToClient(hwnd, &pt);
    msg.lParam = MAKELPARAM(pt.x, pt.y);
    SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

void CTrackTip::SetDelays(int nAutoPop, int nInitial, int nReshow) {
    SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(nAutoPop, 0));
    SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(nInitial, 0));
    SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_RESHOW, MAKELPARAM(nReshow, 0));
}

void CTrackTip::Activate(bool bActivate) {
    if (!m_hWnd)
        return;
    m_bActive = bActivate;
    if (m_bTracking)
        SendMessageA(m_hWnd, TTM_TRACKACTIVATE, bActivate ? TRUE : FALSE,
                     reinterpret_cast<LPARAM>(&m_ti));
    else
        SendMessageA(m_hWnd, TTM_ACTIVATE, bActivate ? TRUE : FALSE, 0);
}

void CTrackTip::SetText(const char* pszText) {
    lstrcpynA(m_szText, pszText, sizeof(m_szText));
    m_ti.lpszText = m_szText;
    SendMessageA(m_hWnd, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&m_ti));
}

void CTrackTip::SetColors(COLORREF crText, COLORREF crBack) {
    SendMessageA(m_hWnd, TTM_SETTIPTEXTCOLOR, crText, 0);
    SendMessageA(m_hWnd, TTM_SETTIPBKCOLOR, crBack, 0);
}

void CTrackTip::Update() {
    SendMessageA(m_hWnd, TTM_UPDATE, 0, 0);
}

void CTrackTip::TrackPosition(int x, int y) {
    SendMessageA(m_hWnd, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
}

LRESULT CTrackTip::GetBubbleSize() {
    if (m_nComCtlVersion < kVersion580)
        return 0;
    return SendMessageA(m_hWnd, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&m_ti));
}
