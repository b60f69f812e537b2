#include "BridgeState.h"

HWND g_hMarkerWnd = nullptr;
wchar_t g_szTempFile[MAX_PATH] = L"";
HGLOBAL g_hPendingDib = nullptr;
HGLOBAL g_hPendingHtml = nullptr;
UINT g_cfHtml = 0;
UINT_PTR g_nTimerId = 0;
HWND g_hTimerWnd = nullptr;
void (*g_pfnReleaseConnections)() = nullptr;

void DiscardPendingHtml() {
    if (!g_hPendingHtml)
        return;
    GlobalFree(g_hPendingHtml);
    g_hPendingHtml = nullptr;
    if (g_szTempFile[0])
        DeleteFileW(g_szTempFile);
}

void StopInsertionTimer() {
    if (g_nTimerId)
        KillTimer(g_hTimerWnd, g_nTimerId);
    g_nTimerId = 0;
    g_hTimerWnd = nullptr;
}
