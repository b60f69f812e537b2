// The pointer records and the exported pointer functions of the Windows Ink stand-in.
#include "InkStandIn.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

struct KnownPointer {
    UINT32 nId = 0;
    DWORD nType = 0;
    std::vector<PointerPenInfo> frames; // newest first
};

std::mutex g_mutex;
// The pointer whose message is being handled; nId 0: none.
KnownPointer g_pointer;
// The message that the hook of the program's thread last saw taken from the queue.
UINT32 g_nTakenFrame = 0;
HANDLE g_hTaken = CreateEventW(nullptr, FALSE, FALSE, nullptr);

// Sees the pointer messages taken from the program's queue.
LRESULT CALLBACK GetMessageHook(int nCode, WPARAM wParam, LPARAM lParam) {
    const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
    if (nCode == HC_ACTION && wParam == PM_REMOVE && msg.message >= kWmPointerUpdate &&
        msg.message <= kWmPointerUp) {
        std::lock_guard lk(g_mutex);
        if (!g_pointer.frames.empty() && LOWORD(msg.wParam) == g_pointer.nId)
            g_nTakenFrame = g_pointer.frames.front().pointerInfo.frameId;
        SetEvent(g_hTaken);
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

void HookThreadOf(HWND hWnd) {
    static DWORD s_nHooked = 0;
    const DWORD nThread = GetWindowThreadProcessId(hWnd, nullptr);
    if (nThread == s_nHooked)
        return;
    s_nHooked = nThread;
    SetWindowsHookExW(WH_GETMESSAGE, GetMessageHook, nullptr, nThread);
}

BOOL Fail(DWORD dwError) {
    SetLastError(dwError);
    return FALSE;
}

// The pen pointer nId, or null with the error Windows reports.
const KnownPointer* FindPen(UINT32 nId) {
    if (g_pointer.nId == 0 || g_pointer.nId != nId) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (g_pointer.nType != kPointerTypePen) {
        SetLastError(ERROR_DATATYPE_MISMATCH);
        return nullptr;
    }
    return &g_pointer;
}

} // namespace

void ScriptLog(const std::string& strLine) {
    const std::string strLog = EnvSetting("QUILLET_POINTER_LOG");
    if (strLog.empty())
        return;
    if (FILE* f = std::fopen(strLog.c_str(), "a")) {
        std::fprintf(f, "%s\n", strLine.c_str());
        std::fclose(f);
    }
}

void DeliverPointerMessage(HWND hWnd, UINT uMsg, DWORD nType,
                           const std::vector<PointerPenInfo>& frames) {
    const PointerInfo& newest = frames.front().pointerInfo;
    HookThreadOf(hWnd);
    {
        std::lock_guard lk(g_mutex);
        g_pointer = {newest.pointerId, nType, frames};
    }
    MoveCursor(newest.ptPixelLocation);
    const WPARAM wParam = MAKEWPARAM(newest.pointerId, LOWORD(newest.pointerFlags));
    PostMessageW(hWnd, uMsg, wParam,
                 MAKELPARAM(newest.ptPixelLocation.x, newest.ptPixelLocation.y));
    // Taken from the queue, then handled: the window's thread answers the sent message only once
    // the handler has returned.
    for (int i = 0; i < 100; ++i) {
        WaitForSingleObject(g_hTaken, 100);
        std::lock_guard lk(g_mutex);
        if (g_nTakenFrame == newest.frameId)
            break;
    }
    DWORD_PTR nResult = 0;
    SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &nResult);
    std::lock_guard lk(g_mutex);
    g_pointer = {};
}

extern "C" {

BOOL WINAPI GetPointerType(UINT32 pointerId, DWORD* pointerType) {
    std::lock_guard lk(g_mutex);
    if (!pointerType || g_pointer.nId == 0 || g_pointer.nId != pointerId)
        return Fail(ERROR_INVALID_PARAMETER);
    *pointerType = g_pointer.nType;
    return TRUE;
}

BOOL WINAPI GetPointerPenInfo(UINT32 pointerId, PointerPenInfo* penInfo) {
    std::lock_guard lk(g_mutex);
    if (!penInfo)
        return Fail(ERROR_INVALID_PARAMETER);
    const KnownPointer* pPen = FindPen(pointerId);
    if (!pPen)
        return FALSE;
    *penInfo = pPen->frames.front();
    return TRUE;
}

BOOL WINAPI GetPointerPenInfoHistory(UINT32 pointerId, UINT32* entriesCount,
                                     PointerPenInfo* penInfo) {
    std::lock_guard lk(g_mutex);
    if (!entriesCount || (!penInfo && *entriesCount != 0))
        return Fail(ERROR_INVALID_PARAMETER);
    const KnownPointer* pPen = FindPen(pointerId);
    if (!pPen)
        return FALSE;
    const size_t nCopied = std::min<size_t>(*entriesCount, pPen->frames.size());
    std::copy_n(pPen->frames.begin(), nCopied, penInfo);
    *entriesCount = UINT32(pPen->frames.size());
    return TRUE;
}

BOOL WINAPI GetPointerDevices(UINT32* deviceCount, PointerDeviceInfo* pointerDevices) {
    if (!deviceCount)
        return Fail(ERROR_INVALID_PARAMETER);
    StartInkFeeder();
    std::vector<PointerDeviceInfo> devices(1);
    devices[0].pointerDeviceType = 3; // a touch screen
    std::wcscpy(devices[0].productString, L"Virtual Touch Screen");
    if (EnvSetting("QUILLET_POINTER_DEVICES") != "touch") {
        devices.emplace_back();
        devices[1].pointerDeviceType = kPointerDeviceIntegratedPen;
        std::wcscpy(devices[1].productString, L"Virtual Ink Pen");
    }
    if (pointerDevices && *deviceCount < devices.size())
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    if (pointerDevices)
        std::copy(devices.begin(), devices.end(), pointerDevices);
    *deviceCount = UINT32(devices.size());
    return TRUE;
}

} // extern "C"
