#include "TabletClient.h"

#include "Message.h"
#include "PenRules.h"
#include "Settings.h"

#include <cstdio>
#include <utility>

int g_nPacketBatch = 0;

namespace {
// A nested packet message can only arrive while a handler dispatches messages; on the one thread
// the outer batch cannot finish meanwhile, so the inner message waits only briefly and leaves
// its packets queued for the next message.
constexpr int kBatchWaitMs = 50;
} // namespace

HCTX CTabletClient::OpenTabletContext(HWND hWnd, BOOL bSystemCursor) {
    if (!IsBound())
        return nullptr;
    const CWintabApi& wt = Binding();
    LOGCONTEXTA lc{};
    if (wt.WTInfoA(WTI_DEFCONTEXT, 0, &lc) == 0)
        return nullptr;
    m_lc = lc;
    std::snprintf(m_lc.lcName, sizeof m_lc.lcName, "KVOmail");
    m_lc.lcOptions |= CXO_MESSAGES;
    if (bSystemCursor)
        m_lc.lcOptions |= CXO_SYSTEM;
    m_lc.lcPktData = kPenPacketData;
    m_lc.lcPktMode = PK_BUTTONS;
    m_lc.lcMoveMask = kPenPacketData;
    m_lc.lcBtnUpMask = lc.lcBtnDnMask;
    m_lc.lcOutOrgX = 0;
    m_lc.lcOutOrgY = 0;
    m_lc.lcOutExtX = GetSystemMetrics(SM_CXSCREEN);
    m_lc.lcOutExtY = -GetSystemMetrics(SM_CYSCREEN);
    const HCTX hCtx = wt.WTOpenA(hWnd, &m_lc, TRUE);
    // A driver's default queue may hold only a few packets (Wine's holds 10 and drops the newest
    // when full), which a busy moment of the window's thread overruns. A refused size leaves the
    // context without a queue, so the request steps down until one is granted.
    for (int nSize = kPacketBatchMax; hCtx && nSize > 0; --nSize)
        if (wt.WTQueueSizeSet(hCtx, nSize))
            break;
    return hCtx;
}

void CTabletClient::OpenViewContext() {
    const bool bTabletWanted = ChoosePenInput();
    // Without a tablet library, or with one that finds no tablet, and without a Windows Ink pen,
    // the pen does nothing: the user is told. Every resize reopens the context, so this is said
    // once, not once per resize (a dragged border would otherwise stack up boxes).
    const bool bPen = m_hCtx || m_bInkPen;
    if (!bPen && bTabletWanted && !m_bToldNoContext) {
        m_bToldNoContext = true;
        ShowMessage(TabletWindow(), L" Could Not Open Tablet Context.", L"WinTab", MB_ICONHAND);
    }
    if (bPen)
        m_bToldNoContext = false;
    ReadPressureAxis();
    ReadEraserCursors();
    // Without a tablet the mouse writes instead, unless the settings turn that off.
    m_bMousePen = !bPen && settings::ReadMousePen();
    if (!m_bMousePen)
        m_bMousePenDown = false;
}

void CTabletClient::FollowPenWindow() {
    if (!m_hCtx || ContextOwner() == m_hCtxOwner)
        return;
    CloseTabletContext();
    OpenViewContext();
}

void CTabletClient::CloseTabletContext() {
    // Cleared before the driver is called: a driver that lets the window handle sent messages
    // while it closes (a resize arriving then reopens the context) must find nothing left to
    // close a second time, and the context opened inside must stay in m_hCtx.
    const HCTX hCtx = std::exchange(m_hCtx, nullptr);
    // A Windows Ink pen is paused with it, until the pen input is chosen again.
    m_bInkPen = false;
    if (!hCtx || !IsBound())
        return;
    Binding().WTEnable(hCtx, FALSE);
    Binding().WTOverlap(hCtx, FALSE);
    Binding().WTClose(hCtx);
}

void CTabletClient::ReopenTabletContext() {
    m_bReopenCtx = FALSE;
    CloseTabletContext();
    TabletSleep(1000);
    const BOOL bEnabled = IsWindowEnabled(TabletWindow()) ? TRUE : FALSE;
    OpenViewContext();
    if (IsBound() && m_hCtx) {
        Binding().WTEnable(m_hCtx, bEnabled);
        Binding().WTOverlap(m_hCtx, bEnabled);
    }
}

void CTabletClient::ReadPressureAxis() {
    AXIS ax{};
    if (m_bInkPen)
        m_axPressure = {0, LONG(kInkPressureMax) - 1, 0, 0};
    else if (IsBound() && Binding().WTInfoA(WTI_DEVICES, DVC_NPRESSURE, &ax) >= sizeof(LONG) * 2)
        m_axPressure = ax;
    const PressureNorm norm = NormalisePressureAxis(m_axPressure.axMax);
    m_nPressureScale = norm.nScale;
    m_nPressureMax = norm.nMax;
}

LRESULT CTabletClient::OnWTPacket(WPARAM, LPARAM lParam) {
    if (m_bReopenCtx)
        ReopenTabletContext();
    for (int nWaited = 0; g_nPacketBatch > 0; ++nWaited) {
        if (nWaited == kBatchWaitMs)
            return 0;
        TabletSleep(1);
    }
    g_nPacketBatch = IsBound() ? Binding().WTPacketsGet(reinterpret_cast<HCTX>(lParam),
                                                        kPacketBatchMax, m_batch.data())
                               : 0;
    if (g_nPacketBatch <= 0) {
        g_nPacketBatch = 0;
        return 0;
    }
    if (g_nPacketBatch > kPacketBatchMax) {
        TabletBeep();
        g_nPacketBatch = 0;
        return -1;
    }
    // The program works in screen pixels of the system cursor, never in tablet units.
    for (int i = 0; i < g_nPacketBatch; ++i)
        HandlePacket(m_batch[i], TabletCursorPos(), IsEraserCursor(m_batch[i].pkCursor));
    g_nPacketBatch = 0;
    return 0;
}

bool CTabletClient::OnMousePen(UINT uMsg, POINT ptScreen) {
    if (!m_bMousePen)
        return false;
    // The pressure tells the handlers when the tip touches and lifts, as a tablet's does.
    UINT nPressure = MousePenPressure(m_nPressureMax, m_nPressureScale);
    switch (uMsg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        m_bMousePenDown = true;
        break;
    case WM_MOUSEMOVE:
        if (!m_bMousePenDown)
            return false;
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (!m_bMousePenDown)
            return false;
        nPressure = 0;
        m_bMousePenDown = false;
        break;
    default:
        return false;
    }
    // The mouse's packet is a batch of one: a tablet batch cannot be in progress on this thread.
    const PenPacket packet{DWORD(GetMessageTime()), 0, 0, ptScreen.x, ptScreen.y, nPressure};
    g_nPacketBatch = 1;
    HandlePacket(packet, ptScreen, false);
    g_nPacketBatch = 0;
    return true;
}

DWORD CTabletClient::TipEvent(UINT nPressure) {
    const bool bTouching = nPressure != 0;
    if (std::exchange(m_bTipTouching, bTouching) == bTouching)
        return TBN_NONE;
    return bTouching ? TBN_DOWN : TBN_UP;
}

void CTabletClient::HandlePacket(const PenPacket& packet, POINT pt, bool bEraserEnd) {
    TakePenEnd(bEraserEnd);
    const DWORD nTime = packet.pkTime;
    // Under a covering window the packets come without pressure: a stroke in progress ends there
    // and none begins.
    const UINT nPressure = IsCanvasCovered() ? 0 : packet.pkNormalPressure;
    // Every packet counts for the tip, also one that no handler takes.
    const DWORD nButtons = MAKELONG(0, TipEvent(nPressure));
    if (m_nCaptureState == kCaptureSelecting) {
        OnCapturePacket(nTime, nButtons, pt.x, pt.y, nPressure);
        return;
    }
    if (TabletTool() == kToolPicture)
        return;
    switch (TabletMode()) {
    case kModeLetter:
        OnLetterPacket(nTime, nButtons, pt.x, pt.y, nPressure);
        break;
    case kModeDesktop:
    case kModeInking: {
        // Mouse messages that the driver makes for this packet must arrive as primary-button
        // messages; the user's own swap is put back before the next packet. Only a swap is
        // undone: setting the buttons writes the user's settings, a round trip per packet.
        const bool bSwapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
        if (bSwapped)
            SwapMouseButton(FALSE);
        if (TabletMode() == kModeDesktop)
            OnDesktopPacket(nTime, nButtons, pt.x, pt.y, nPressure);
        else
            OnInkingPacket(nTime, nButtons, pt.x, pt.y, nPressure);
        if (bSwapped)
            SwapMouseButton(TRUE);
        break;
    }
    default:
        break;
    }
}

void CTabletClient::OverlapContext() const {
    if (m_hCtx && IsBound())
        Binding().WTOverlap(m_hCtx, TRUE);
}

void CTabletClient::ActivateTabletContext(BOOL bActivate) {
    if (!m_hCtx || !IsBound() || TabletMode() != kModeLetter)
        return;
    Binding().WTEnable(m_hCtx, (bActivate || m_nCaptureState != kCaptureIdle) ? TRUE : FALSE);
    if (bActivate)
        Binding().WTOverlap(m_hCtx, TRUE);
}

POINT CTabletClient::TabletCursorPos() const {
    POINT pt{};
    GetCursorPos(&pt);
    return pt;
}
