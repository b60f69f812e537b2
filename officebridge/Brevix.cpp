#include "Brevix.h"

#include "BridgeState.h"
#include "InkClipboard.h"
#include "InkHtml.h"

#include <objbase.h>

namespace {

constexpr char kMarkerClass[] = "Plovexa2";
constexpr UINT_PTR kInsertionTimer = 1;
constexpr UINT kInsertionPeriod = 2000;
constexpr BYTE kVkControl = 17;
constexpr BYTE kVkV = 86;

HINSTANCE g_hInstance = nullptr;
bool g_bMarkerClass = false;

// Registers "Plovexa2" and creates its hidden window; a failure only leaves g_hMarkerWnd null.
void CreateMarkerWindow() {
    HMODULE hUser = GetModuleHandleA("USER32.DLL");
    auto pfnDefault =
        hUser ? reinterpret_cast<WNDPROC>(GetProcAddress(hUser, "DefWindowProcA")) : nullptr;
    if (!pfnDefault)
        return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = pfnDefault;
    wc.hInstance = g_hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_WAIT);
    wc.lpszClassName = kMarkerClass;
    g_bMarkerClass = RegisterClassA(&wc) != 0;
    if (g_bMarkerClass)
        g_hMarkerWnd = CreateWindowExA(WS_EX_TOOLWINDOW, kMarkerClass, kMarkerClass, WS_POPUP, 0, 0,
                                       0, 0, nullptr, nullptr, g_hInstance, nullptr);
}

// Releases what the library holds. On process exit (bExiting) the system is tearing windows,
// threads and COM down already: only memory and files are looked after then.
void ReleaseLibrary(bool bExiting) {
    if (!bExiting) {
        StopInsertionTimer(); // its procedure is about to leave the process with this library
        if (g_hMarkerWnd)
            DestroyWindow(g_hMarkerWnd);
        g_hMarkerWnd = nullptr;
        if (g_bMarkerClass)
            UnregisterClassA(kMarkerClass, g_hInstance);
        g_bMarkerClass = false;
    }
    DiscardPendingHtml();
    if (g_hPendingDib)
        GlobalFree(g_hPendingDib);
    g_hPendingDib = nullptr;
    // At process exit COM may be gone already: a release through a proxy could hang or crash, and
    // the Office application drops the references of a process that has ended by itself.
    if (!bExiting && g_pfnReleaseConnections)
        g_pfnReleaseConnections();
}

// The target of an insertion: the window under the point, if it is a descendant of its top-level
// window; that top-level window is brought to the foreground either way.
struct CChildSearch {
    HWND hwndTarget;
    bool bFound;
};

BOOL CALLBACK FindTargetChild(HWND hwnd, LPARAM lParam) {
    auto* pSearch = reinterpret_cast<CChildSearch*>(lParam);
    if (hwnd != pSearch->hwndTarget)
        return TRUE;
    pSearch->bFound = true;
    return FALSE;
}

HWND TopLevelOf(HWND hwnd) {
    // A child's parent is its window; a top-level window's "parent" would be its owner, so the
    // walk stops at the first window that is not a child.
    for (int nDepth = 0; nDepth < 1000 && (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD); ++nDepth) {
        HWND hwndParent = GetParent(hwnd);
        if (!hwndParent)
            break;
        hwnd = hwndParent;
    }
    return hwnd;
}

bool ActivateTarget(POINT pt) {
    HWND hwndTarget = WindowFromPoint(pt);
    if (!hwndTarget)
        return false;
    HWND hwndTop = TopLevelOf(hwndTarget);
    SetForegroundWindow(hwndTop);
    SetActiveWindow(hwndTop);
    CChildSearch search{hwndTarget, false};
    EnumChildWindows(hwndTop, FindTargetChild, reinterpret_cast<LPARAM>(&search));
    return search.bFound;
}

void SendPasteKeys() {
    keybd_event(kVkControl, kVkControl, 0, 0);
    keybd_event(kVkV, kVkV, 0, 0);
    keybd_event(kVkV, kVkV, KEYEVENTF_KEYUP, 0);
    keybd_event(kVkControl, kVkControl, KEYEVENTF_KEYUP, 0);
}

VOID CALLBACK InsertionTimerProc(HWND hwnd, UINT, UINT_PTR nId, DWORD) {
    KillTimer(hwnd, nId);
    if (nId == g_nTimerId) {
        g_nTimerId = 0;
        g_hTimerWnd = nullptr;
    }
    if (g_hPendingHtml && g_szTempFile[0])
        DeleteFileW(g_szTempFile);
    if (hwnd)
        PostMessageA(hwnd, WM_INK_INSERTED, 0, 0);
}

void StartInsertionTimer(HWND hwndOwner) {
    StopInsertionTimer();
    g_nTimerId = SetTimer(hwndOwner, kInsertionTimer, kInsertionPeriod, InsertionTimerProc);
    g_hTimerWnd = g_nTimerId ? hwndOwner : nullptr;
}

// 1 once the ink is on offer and the paste keys are sent; 0 when nothing was placed, so that the
// caller keeps the ink.
int Insert(HWND hwndOwner, const RECT* prcInk, HDC hdc, HBITMAP hbm) {
    // Without ink to offer, a paste would put the user's older clipboard into the application.
    if (!prcInk || !CanPackInk(hdc, hbm))
        return 0;
    const POINT ptCentre{
        static_cast<LONG>((static_cast<long long>(prcInk->left) + prcInk->right) / 2),
        static_cast<LONG>((static_cast<long long>(prcInk->top) + prcInk->bottom) / 2)};
    if (!ActivateTarget(ptCentre))
        return 0;
    // Without a window of this thread to render them, the formats are handed over at once.
    const bool bDelayed = hwndOwner && IsWindow(hwndOwner) &&
                          GetWindowThreadProcessId(hwndOwner, nullptr) == GetCurrentThreadId();
    // A clipboard that someone else holds open keeps the bitmap pending; a paste now would again
    // insert the older clipboard.
    if (!PutInkOnClipboard(hwndOwner, hdc, hbm, bDelayed))
        return 0;
    OfferInkHtml(hwndOwner, hdc, hbm, bDelayed);
    SendPasteKeys();
    StartInsertionTimer(bDelayed ? hwndOwner : nullptr);
    return 1;
}

int RenderAll(HWND hwndOwner) {
    if (!OpenClipboard(hwndOwner))
        return 1;
    // Only the formats this window still has on offer are filled in; whatever the clipboard
    // already holds, including formats rendered earlier, stays.
    if (GetClipboardOwner() == hwndOwner) {
        HandOverPending(CF_DIB, g_hPendingDib);
        if (g_cfHtml)
            HandOverPending(g_cfHtml, g_hPendingHtml);
    }
    CloseClipboard();
    return 1;
}

int RenderFormat(HWND hwndOwner, UINT uFormat) {
    if (uFormat == CF_DIB) {
        HandOverPending(CF_DIB, g_hPendingDib);
        return 1;
    }
    if (g_cfHtml && uFormat == g_cfHtml) {
        HandOverPending(g_cfHtml, g_hPendingHtml);
        return 1;
    }
    if (uFormat == 0)
        return RenderAll(hwndOwner);
    return 0;
}

int RenderFormatTimeOut() {
    StopInsertionTimer();
    if (g_hPendingHtml && g_szTempFile[0])
        return DeleteFileW(g_szTempFile) ? 1 : 0;
    return 0;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pReserved) {
    try {
        if (dwReason == DLL_PROCESS_ATTACH) {
            g_hInstance = hInstance;
            // COM is left initialised for the thread: the Office connections use it.
            (void)CoInitialize(nullptr);
            CreateMarkerWindow();
        } else if (dwReason == DLL_PROCESS_DETACH) {
            ReleaseLibrary(pReserved != nullptr);
        }
    } catch (...) {
    }
    return TRUE;
}

int WINAPI Brevix_Insert(HWND hwndOwner, const RECT* prcInk, HDC hdc, HBITMAP hbm) {
    try {
        return Insert(hwndOwner, prcInk, hdc, hbm);
    } catch (...) {
        return 0;
    }
}

int WINAPI Brevix_RenderFormat(HWND hwndOwner, UINT uFormat) {
    try {
        return RenderFormat(hwndOwner, uFormat);
    } catch (...) {
        return 0;
    }
}

int WINAPI Brevix_RenderFormatHTML_TimeOut(HWND) {
    try {
        return RenderFormatTimeOut();
    } catch (...) {
        return 0;
    }
}
