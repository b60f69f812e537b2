// Contexts, packet queues and the exported tablet interface of the virtual tablet.
#include "VirtualTablet.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace {

constexpr LONG kTabletExtent = 32768;
constexpr WTPKT kSupportedData = 0x3FFF;
// Queue sizes of a new context: the published interface's driver, and Wine's.
constexpr int kQueueSize = 64;
constexpr int kWineQueueSize = 10;
// Wine's absolute button mask: X button 1, the tip, lands in bit 1.
constexpr DWORD kWineTipBit = 0x2;

struct QueuedPacket {
    RawPacket packet;
    UINT nSerial;
};

struct VirtualContext {
    HCTX hCtx = nullptr;
    HWND hWnd = nullptr;
    LOGCONTEXTA lc{};
    bool bEnabled = false;
    bool bPenDown = false;
    UINT nSerial = 0;
    int nQueueSize = kQueueSize;
    std::deque<QueuedPacket> queue;
    // The serial of the newest packet the program fetched, and when.
    UINT nFetchedSerial = 0;
    LONGLONG nFetchedAt = 0;
};

// Takes the oldest queued packet out of the context, noting when.
void PopFetched(VirtualContext& ctx, LONGLONG nAt) {
    ctx.nFetchedSerial = ctx.queue.front().nSerial;
    ctx.nFetchedAt = nAt;
    ctx.queue.pop_front();
}

// Whether the context's queue took the packet; a full queue drops the newest.
bool Enqueue(VirtualContext& ctx, const RawPacket& packet) {
    const UINT nSerial = ++ctx.nSerial;
    if (int(ctx.queue.size()) >= ctx.nQueueSize) {
        TabletLog("dropped: queue full, packet " + std::to_string(nSerial));
        return false;
    }
    ctx.queue.push_back({packet, nSerial});
    return true;
}

std::mutex g_mutex;
std::condition_variable g_changed;
// Oldest first; the newest open context receives the packets.
std::vector<std::unique_ptr<VirtualContext>> g_contexts;
// Handles are numbers never given twice, as a driver's are: a context opened right after another
// was closed (a resize) would otherwise often get the freed context's address, and a packet
// message still waiting for the closed context would be taken for the new one.
UINT_PTR g_nLastHandle = 0x7A00;

VirtualContext* Find(HCTX hCtx) {
    for (auto& p : g_contexts)
        if (p->hCtx == hCtx)
            return p.get();
    return nullptr;
}

// The newest enabled context, of the window hWnd unless it is null.
VirtualContext* NewestEnabled(HWND hWnd = nullptr) {
    for (auto it = g_contexts.rbegin(); it != g_contexts.rend(); ++it)
        if ((*it)->bEnabled && (!hWnd || (*it)->hWnd == hWnd))
            return it->get();
    return nullptr;
}

// Wine's X11 side selects the tablet's events on the owner's own X window and files each event
// under the top-level window that got it: only a context of that window takes the packet.
struct WindowSearch {
    POINT pt;
    HWND hFound;
};

// The display server knows nothing of disabled windows: the topmost shown top-level window whose
// shape holds the point gets the event.
BOOL CALLBACK FindWindowAt(HWND hWnd, LPARAM lParam) {
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    RECT rc{};
    if (!IsWindowVisible(hWnd) || !GetWindowRect(hWnd, &rc) || !PtInRect(&rc, search.pt))
        return TRUE;
    HRGN hRgn = CreateRectRgn(0, 0, 0, 0);
    const bool bShaped = GetWindowRgn(hWnd, hRgn) != ERROR;
    const bool bInside = !bShaped || PtInRegion(hRgn, search.pt.x - rc.left, search.pt.y - rc.top);
    DeleteObject(hRgn);
    if (!bInside)
        return TRUE;
    search.hFound = hWnd;
    return FALSE;
}

HWND PacketWindow(POINT ptScreen) {
    if (!IsWineMode())
        return nullptr;
    WindowSearch search{ptScreen, HWND(INVALID_HANDLE_VALUE)};
    EnumWindows(FindWindowAt, reinterpret_cast<LPARAM>(&search));
    return search.hFound;
}

void WineDefaultContext(LOGCONTEXTA& lc) {
    lc = LOGCONTEXTA{};
    std::snprintf(lc.lcName, sizeof lc.lcName, "Wine Tablet Context");
    lc.lcOptions = CXO_SYSTEM;
    lc.lcStatus = 0x0004; // CXS_ONTOP
    lc.lcLocks = 0x001F;  // in size, in aspect, margin, sensitivity, system output
    lc.lcMsgBase = WT_DEFBASE;
    lc.lcPktRate = 100;
    lc.lcPktData = PK_CONTEXT | PK_STATUS | PK_SERIAL_NUMBER | PK_TIME | PK_CURSOR | PK_BUTTONS |
                   PK_X | PK_Y | PK_NORMAL_PRESSURE | PK_ORIENTATION;
    lc.lcMoveMask = PK_BUTTONS | PK_X | PK_Y | PK_NORMAL_PRESSURE | PK_ORIENTATION;
    lc.lcBtnDnMask = lc.lcBtnUpMask = 0xFFFFFFFF;
    lc.lcInExtX = lc.lcInExtY = lc.lcOutExtX = lc.lcOutExtY = kTabletExtent - 1;
    lc.lcSensX = lc.lcSensY = lc.lcSensZ = 0x10000;
    lc.lcSysExtX = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    lc.lcSysExtY = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    lc.lcSysSensX = lc.lcSysSensY = 0x10000;
}

void DefaultContext(LOGCONTEXTA& lc) {
    if (IsWineMode()) {
        WineDefaultContext(lc);
        return;
    }
    lc = LOGCONTEXTA{};
    std::snprintf(lc.lcName, sizeof lc.lcName, "Virtual Tablet");
    lc.lcOptions = CXO_SYSTEM;
    lc.lcMsgBase = WT_DEFBASE;
    lc.lcPktRate = 200;
    lc.lcPktData = kSupportedData;
    lc.lcMoveMask = kSupportedData;
    lc.lcBtnDnMask = 0xFFFFFFFF;
    lc.lcBtnUpMask = 0xFFFFFFFF;
    lc.lcInExtX = lc.lcInExtY = kTabletExtent;
    lc.lcOutExtX = lc.lcOutExtY = kTabletExtent;
    lc.lcSensX = lc.lcSensY = lc.lcSensZ = 0x10000;
    lc.lcSysExtX = GetSystemMetrics(SM_CXSCREEN);
    lc.lcSysExtY = GetSystemMetrics(SM_CYSCREEN);
    lc.lcSysSensX = lc.lcSysSensY = 0x10000;
}

// The packet's position in the context's output coordinates. Tablet y grows upwards; a negative
// output extent turns it downwards, as a context that follows the screen asks for.
POINT OutputPosition(const LOGCONTEXTA& lc, POINT ptScreen) {
    const double fx = double(ptScreen.x) / std::max(1, GetSystemMetrics(SM_CXSCREEN));
    const double fDown = double(ptScreen.y) / std::max(1, GetSystemMetrics(SM_CYSCREEN));
    POINT pt;
    pt.x = lc.lcOutOrgX + std::lround(fx * lc.lcOutExtX);
    pt.y = lc.lcOutExtY < 0 ? lc.lcOutOrgY + std::lround(fDown * -lc.lcOutExtY)
                            : lc.lcOutOrgY + std::lround((1.0 - fDown) * lc.lcOutExtY);
    return pt;
}

// Size of one packet for a data mask: the fields in the published order, the context handle
// pointer-sized and the record padded to its alignment.
size_t PacketSize(WTPKT mask) {
    size_t n = (mask & PK_CONTEXT) ? sizeof(HCTX) : 0;
    for (WTPKT bit = PK_STATUS; bit <= PK_ROTATION; bit <<= 1)
        if (mask & bit)
            n += (bit == PK_ORIENTATION || bit == PK_ROTATION) ? 12 : 4;
    if (mask & PK_CONTEXT)
        n = (n + sizeof(HCTX) - 1) / sizeof(HCTX) * sizeof(HCTX);
    return n;
}

void Put32(BYTE*& p, DWORD n) {
    std::memcpy(p, &n, 4);
    p += 4;
}

void WritePacket(VirtualContext& ctx, const QueuedPacket& q, BYTE* pOut) {
    const WTPKT mask = ctx.lc.lcPktData;
    std::memset(pOut, 0, PacketSize(mask));
    BYTE* p = pOut;
    if (mask & PK_CONTEXT) {
        std::memcpy(p, &ctx.hCtx, sizeof ctx.hCtx);
        p += sizeof ctx.hCtx;
    }
    const DWORD nEvent = HIWORD(q.packet.nButtons);
    if (nEvent == TBN_DOWN)
        ctx.bPenDown = true;
    else if (nEvent == TBN_UP)
        ctx.bPenDown = false;
    const POINT pt = OutputPosition(ctx.lc, q.packet.ptScreen);
    DWORD nButtons = (ctx.lc.lcPktMode & PK_BUTTONS) ? q.packet.nButtons : DWORD(ctx.bPenDown);
    if (IsWineMode())
        nButtons = ctx.bPenDown ? kWineTipBit : 0;
    if (mask & PK_STATUS)
        Put32(p, 0);
    if (mask & PK_TIME)
        Put32(p, q.packet.nTime);
    if (mask & PK_CHANGED)
        Put32(p, mask);
    if (mask & PK_SERIAL_NUMBER)
        Put32(p, q.nSerial);
    if (mask & PK_CURSOR)
        Put32(p, q.packet.nCursor);
    if (mask & PK_BUTTONS)
        Put32(p, nButtons);
    if (mask & PK_X)
        Put32(p, DWORD(pt.x));
    if (mask & PK_Y)
        Put32(p, DWORD(pt.y));
    if (mask & PK_Z)
        Put32(p, 0);
    if (mask & PK_NORMAL_PRESSURE)
        Put32(p, q.packet.nPressure);
    if (mask & PK_TANGENT_PRESSURE)
        Put32(p, 0);
}

size_t CopyOut(UINT wCategory, const void* pSrc, size_t n, LPVOID lpOutput) {
    (void)wCategory;
    if (lpOutput)
        std::memcpy(lpOutput, pSrc, n);
    return n;
}

UINT DeviceInfo(UINT nIndex, LPVOID lpOutput) {
    static const char szName[] = "Quillet Virtual Tablet";
    const AXIS axTablet{0, kTabletExtent - 1, 0, 0};
    const AXIS axPressure{0, VirtualPressureMax(), 0, 0};
    const WTPKT data = kSupportedData;
    switch (nIndex) {
    case DVC_NAME:
        return UINT(CopyOut(WTI_DEVICES, szName, sizeof szName, lpOutput));
    case DVC_PKTDATA:
        return UINT(CopyOut(WTI_DEVICES, &data, sizeof data, lpOutput));
    case DVC_X:
    case DVC_Y:
        return UINT(CopyOut(WTI_DEVICES, &axTablet, sizeof axTablet, lpOutput));
    case DVC_NPRESSURE:
        return UINT(CopyOut(WTI_DEVICES, &axPressure, sizeof axPressure, lpOutput));
    default:
        return 0;
    }
}

// Cursor n's name, capabilities and type.
UINT CursorInfo(UINT nCursor, UINT nIndex, LPVOID lpOutput) {
    if (nCursor > 1)
        return 0;
    const bool bEraser = nCursor == EraserCursor();
    const char* pszName = bEraser ? (IsWineMode() ? "Virtual Pen eraser" : "Eraser")
                                  : (IsWineMode() ? "Virtual Pen stylus" : "Pressure Stylus");
    const UINT nCapabilities = IsWineMode() ? CRC_MULTIMODE : (bEraser ? CRC_INVERT : UINT(0));
    const UINT nType = bEraser ? 0x082A : 0x0822;
    switch (nIndex) {
    case CSR_NAME:
        return UINT(CopyOut(WTI_CURSORS, pszName, std::strlen(pszName) + 1, lpOutput));
    case CSR_CAPABILITIES:
        return UINT(CopyOut(WTI_CURSORS, &nCapabilities, sizeof nCapabilities, lpOutput));
    case CSR_TYPE:
        return UINT(CopyOut(WTI_CURSORS, &nType, sizeof nType, lpOutput));
    default:
        return 0;
    }
}

UINT InterfaceInfo(UINT nIndex, LPVOID lpOutput) {
    static const char szId[] = "Quillet Virtual Tablet 1.0";
    const WORD nVersion = 0x0104;
    const UINT nDevices = 1;
    const UINT nCursors = 2;
    switch (nIndex) {
    case IFC_WINTABID:
        return UINT(CopyOut(WTI_INTERFACE, szId, sizeof szId, lpOutput));
    case IFC_SPECVERSION:
        return UINT(CopyOut(WTI_INTERFACE, &nVersion, sizeof nVersion, lpOutput));
    case IFC_NDEVICES:
        return UINT(CopyOut(WTI_INTERFACE, &nDevices, sizeof nDevices, lpOutput));
    case IFC_NCURSORS:
        return UINT(CopyOut(WTI_INTERFACE, &nCursors, sizeof nCursors, lpOutput));
    default:
        return 0;
    }
}

} // namespace

UINT TipCursor() {
    return IsWineMode() ? 1 : 0;
}

UINT EraserCursor() {
    return IsWineMode() ? 0 : 1;
}

void ScriptLog(const std::string& strLine) {
    TabletLog(strLine);
}

LONGLONG PerformanceNow() {
    LARGE_INTEGER n;
    QueryPerformanceCounter(&n);
    return n.QuadPart;
}

bool IsWineMode() {
    const std::string str = EnvSetting("QUILLET_TABLET_WINE");
    return !str.empty() && str != "0";
}

LONG VirtualPressureMax() {
    const long n = std::strtol(EnvSetting("QUILLET_TABLET_AXMAX").c_str(), nullptr, 10);
    return n > 0 && n < 65536 ? LONG(n) : (IsWineMode() ? 65535 : 1023);
}

UINT RawPressure(LONG nTouch) {
    return UINT(static_cast<long long>(nTouch) * (VirtualPressureMax() + 1) / 1024);
}

HWND CurrentContextWindow() {
    std::lock_guard lk(g_mutex);
    return g_contexts.empty() ? nullptr : g_contexts.back()->hWnd;
}

namespace {
// Posts the packet message of the context, as Wine does only with CXO_MESSAGES.
void PostPacketMessage(HWND hWnd, const LOGCONTEXTA& lc, UINT nSerial, HCTX hCtx) {
    if (IsWineMode() && !(lc.lcOptions & CXO_MESSAGES))
        return;
    PostMessageW(hWnd, lc.lcMsgBase + 0, nSerial, reinterpret_cast<LPARAM>(hCtx));
}

// Waits until the context has no packet left up to serial nSerial (or is closed), then until the
// program has answered a message: it handles a whole batch before it answers another message, so
// the packets have been handled with the cursor where it is now. Notes in *pTimes, when given,
// when packet nSerial was fetched and when the program answered.
void WaitUntilHandled(std::unique_lock<std::mutex>& lk, HCTX hCtx, HWND hWnd, UINT nSerial,
                      PacketTimes* pTimes = nullptr) {
    g_changed.wait_for(lk, std::chrono::milliseconds(10000), [&] {
        VirtualContext* p = Find(hCtx);
        return !p || std::none_of(p->queue.begin(), p->queue.end(),
                                  [&](const QueuedPacket& q) { return q.nSerial <= nSerial; });
    });
    if (VirtualContext* p = Find(hCtx); pTimes && p && nSerial && p->nFetchedSerial == nSerial)
        pTimes->nFetched = p->nFetchedAt;
    lk.unlock();
    DWORD_PTR nResult = 0;
    SendMessageTimeoutW(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &nResult);
    if (pTimes)
        pTimes->nBack = PerformanceNow();
}
} // namespace

bool DeliverPacket(const RawPacket& packet, DWORD dwWaitMs, PacketTimes* pTimes) {
    const HWND hwndUnder = PacketWindow(packet.ptScreen);
    std::unique_lock lk(g_mutex);
    if (!g_changed.wait_for(lk, std::chrono::milliseconds(dwWaitMs),
                            [] { return NewestEnabled() != nullptr; })) {
        TabletLog("dropped: no enabled context");
        return false;
    }
    VirtualContext* pCtx = NewestEnabled(hwndUnder);
    if (!pCtx) {
        char szClass[64] = "none";
        GetClassNameA(hwndUnder, szClass, sizeof szClass);
        TabletLog(std::string("dropped: no context of the window under the pen, ") + szClass);
        return false;
    }
    const HCTX hCtx = pCtx->hCtx;
    const HWND hWnd = pCtx->hWnd;
    const LOGCONTEXTA lc = pCtx->lc;
    const bool bQueued = Enqueue(*pCtx, packet);
    const UINT nSerial = pCtx->nSerial;
    lk.unlock();
    TabletLog("packet " + std::to_string(nSerial) + " at " + std::to_string(packet.ptScreen.x) +
              "," + std::to_string(packet.ptScreen.y) + " event " +
              std::to_string(HIWORD(packet.nButtons)) + " pressure " +
              std::to_string(packet.nPressure));
    if (pTimes)
        pTimes->nPosted = PerformanceNow();
    PostPacketMessage(hWnd, lc, nSerial, hCtx);
    lk.lock();
    WaitUntilHandled(lk, hCtx, hWnd, bQueued ? nSerial : 0, pTimes);
    return bQueued;
}

void DeliverBurst(const std::vector<RawPacket>& packets) {
    if (packets.empty())
        return;
    const HWND hwndUnder = PacketWindow(packets.back().ptScreen);
    std::unique_lock lk(g_mutex);
    VirtualContext* pCtx = NewestEnabled(hwndUnder);
    if (!pCtx) {
        TabletLog("dropped: burst without a context");
        return;
    }
    const HCTX hCtx = pCtx->hCtx;
    const HWND hWnd = pCtx->hWnd;
    const LOGCONTEXTA lc = pCtx->lc;
    const UINT nFirst = pCtx->nSerial + 1;
    size_t nQueued = 0;
    for (const RawPacket& packet : packets)
        nQueued += Enqueue(*pCtx, packet) ? 1 : 0;
    const UINT nLast = pCtx->nSerial;
    lk.unlock();
    TabletLog("burst of " + std::to_string(packets.size()) + ", " + std::to_string(nQueued) +
              " queued");
    for (UINT n = nFirst; n <= nLast; ++n)
        PostPacketMessage(hWnd, lc, n, hCtx);
    lk.lock();
    WaitUntilHandled(lk, hCtx, hWnd, nLast);
}

void TabletLog(const std::string& strLine) {
    static std::mutex logMutex;
    const std::string strLog = EnvSetting("QUILLET_TABLET_LOG");
    if (strLog.empty())
        return;
    std::lock_guard lk(logMutex);
    if (FILE* f = std::fopen(strLog.c_str(), "a")) {
        std::fprintf(f, "%s\n", strLine.c_str());
        std::fclose(f);
    }
}

extern "C" {

UINT WINAPI WTInfoA(UINT wCategory, UINT nIndex, LPVOID lpOutput) {
    switch (wCategory) {
    case 0:
        return sizeof(LOGCONTEXTA);
    case WTI_INTERFACE:
        return InterfaceInfo(nIndex, lpOutput);
    case WTI_DEFCONTEXT:
    case WTI_DEFSYSCTX: {
        if (nIndex != 0)
            return 0;
        LOGCONTEXTA lc;
        DefaultContext(lc);
        return UINT(CopyOut(wCategory, &lc, sizeof lc, lpOutput));
    }
    case WTI_DEVICES:
        return DeviceInfo(nIndex, lpOutput);
    case WTI_CURSORS:
    case WTI_CURSORS + 1:
        return CursorInfo(wCategory - WTI_CURSORS, nIndex, lpOutput);
    case WTI_STATUS: {
        if (nIndex != STA_CONTEXTS)
            return 0;
        std::lock_guard lk(g_mutex);
        const UINT nContexts = UINT(g_contexts.size());
        return UINT(CopyOut(wCategory, &nContexts, sizeof nContexts, lpOutput));
    }
    default:
        return 0;
    }
}

HCTX WINAPI WTOpenA(HWND hWnd, LOGCONTEXTA* lpLogCtx, BOOL fEnable) {
    if (!lpLogCtx || !IsWindow(hWnd))
        return nullptr;
    auto pCtx = std::make_unique<VirtualContext>();
    pCtx->hWnd = hWnd;
    pCtx->lc = *lpLogCtx;
    pCtx->lc.lcPktData &= kSupportedData;
    pCtx->bEnabled = fEnable != FALSE;
    pCtx->nQueueSize = IsWineMode() ? kWineQueueSize : kQueueSize;
    HCTX hCtx = nullptr;
    {
        std::lock_guard lk(g_mutex);
        hCtx = pCtx->hCtx = reinterpret_cast<HCTX>(++g_nLastHandle);
        g_contexts.push_back(std::move(pCtx));
    }
    g_changed.notify_all();
    TabletLog("open");
    StartFeeder();
    return hCtx;
}

BOOL WINAPI WTClose(HCTX hCtx) {
    {
        std::lock_guard lk(g_mutex);
        auto it = std::find_if(g_contexts.begin(), g_contexts.end(),
                               [&](const auto& p) { return p->hCtx == hCtx; });
        if (it == g_contexts.end())
            return FALSE;
        g_contexts.erase(it);
    }
    g_changed.notify_all();
    TabletLog("close");
    return TRUE;
}

int WINAPI WTPacketsGet(HCTX hCtx, int cMaxPkts, LPVOID lpPkts) {
    int n = 0;
    const LONGLONG nAt = PerformanceNow();
    {
        std::lock_guard lk(g_mutex);
        VirtualContext* pCtx = Find(hCtx);
        if (!pCtx)
            return 0;
        const size_t nSize = PacketSize(pCtx->lc.lcPktData);
        for (; n < cMaxPkts && !pCtx->queue.empty(); ++n) {
            if (lpPkts)
                WritePacket(*pCtx, pCtx->queue.front(), static_cast<BYTE*>(lpPkts) + n * nSize);
            PopFetched(*pCtx, nAt);
        }
    }
    g_changed.notify_all();
    return n;
}

BOOL WINAPI WTPacket(HCTX hCtx, UINT wSerial, LPVOID lpPkt) {
    bool bFound = false;
    const LONGLONG nAt = PerformanceNow();
    {
        std::lock_guard lk(g_mutex);
        VirtualContext* pCtx = Find(hCtx);
        if (!pCtx)
            return FALSE;
        while (!pCtx->queue.empty() && !bFound) {
            bFound = pCtx->queue.front().nSerial == wSerial;
            if (bFound && lpPkt)
                WritePacket(*pCtx, pCtx->queue.front(), static_cast<BYTE*>(lpPkt));
            PopFetched(*pCtx, nAt);
        }
    }
    g_changed.notify_all();
    return bFound ? TRUE : FALSE;
}

BOOL WINAPI WTEnable(HCTX hCtx, BOOL fEnable) {
    {
        std::lock_guard lk(g_mutex);
        VirtualContext* pCtx = Find(hCtx);
        if (!pCtx)
            return FALSE;
        pCtx->bEnabled = fEnable != FALSE;
        // Wine's library empties the queue of a context it disables.
        if (!pCtx->bEnabled && IsWineMode())
            pCtx->queue.clear();
    }
    g_changed.notify_all();
    return TRUE;
}

BOOL WINAPI WTOverlap(HCTX hCtx, BOOL) {
    std::lock_guard lk(g_mutex);
    return Find(hCtx) ? TRUE : FALSE;
}

BOOL WINAPI WTGetA(HCTX hCtx, LOGCONTEXTA* lpLogCtx) {
    std::lock_guard lk(g_mutex);
    VirtualContext* pCtx = Find(hCtx);
    if (!pCtx || !lpLogCtx)
        return FALSE;
    *lpLogCtx = pCtx->lc;
    return TRUE;
}

BOOL WINAPI WTQueueSizeSet(HCTX hCtx, int nPkts) {
    const long nMax = std::strtol(EnvSetting("QUILLET_TABLET_QUEUEMAX").c_str(), nullptr, 10);
    std::lock_guard lk(g_mutex);
    VirtualContext* pCtx = Find(hCtx);
    if (!pCtx)
        return FALSE;
    // The published interface: the old queue goes first, so a refused size leaves none.
    const bool bGranted = nPkts > 0 && (nMax <= 0 || nPkts <= nMax);
    pCtx->nQueueSize = bGranted ? nPkts : 0;
    pCtx->queue.clear();
    TabletLog("queue size " + std::to_string(nPkts) + (bGranted ? " granted" : " refused"));
    return bGranted ? TRUE : FALSE;
}

} // extern "C"
