#include "FakeTablet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>

FakeTablet* FakeTablet::s_pCurrent = nullptr;

namespace {
FakeTablet& T() {
    return *FakeTablet::s_pCurrent;
}
HCTX FakeHandle(int nOpen) {
    return reinterpret_cast<HCTX>(static_cast<INT_PTR>(0x5151 + nOpen - 1));
}

UINT CopyUint(UINT n, LPVOID lpOutput) {
    std::memcpy(lpOutput, &n, sizeof n);
    return sizeof n;
}

UINT CursorInfo(UINT wCategory, UINT nIndex, LPVOID lpOutput) {
    const auto& cursors = T().cursors;
    if (cursors.empty())
        return 0;
    if (wCategory == WTI_INTERFACE && nIndex == IFC_NCURSORS)
        return CopyUint(UINT(cursors.size()), lpOutput);
    if (wCategory < WTI_CURSORS || wCategory >= WTI_CURSORS + cursors.size())
        return 0;
    const FakeTablet::Cursor& c = cursors[wCategory - WTI_CURSORS];
    if (nIndex == CSR_CAPABILITIES)
        return CopyUint(c.nCapabilities, lpOutput);
    return nIndex == CSR_TYPE ? CopyUint(c.nType, lpOutput) : 0;
}

UINT WINAPI FakeInfo(UINT wCategory, UINT nIndex, LPVOID lpOutput) {
    T().log.push_back("WTInfoA " + std::to_string(wCategory) + " " + std::to_string(nIndex));
    if (wCategory == WTI_DEFCONTEXT && nIndex == 0) {
        std::memcpy(lpOutput, &T().lcDefault, sizeof(LOGCONTEXTA));
        return sizeof(LOGCONTEXTA);
    }
    if (wCategory == WTI_DEVICES && nIndex == DVC_NPRESSURE) {
        const AXIS ax{0, T().nAxisMax, 0, 0};
        std::memcpy(lpOutput, &ax, sizeof ax);
        return sizeof ax;
    }
    return CursorInfo(wCategory, nIndex, lpOutput);
}
BOOL WINAPI FakeOverlap(HCTX, BOOL f) {
    T().log.push_back("WTOverlap " + std::to_string(f));
    return TRUE;
}
int WINAPI FakePacketsGet(HCTX, int cMax, LPVOID lpPkts) {
    T().log.push_back("WTPacketsGet");
    T().nLastMaxAsked = cMax;
    // A faulty driver may write more than asked; the fake writes what it reports, up to twice
    // the maximum, which the intake's buffer holds.
    const int nHanded = std::min<int>(int(T().packets.size()), 2 * cMax);
    std::memcpy(lpPkts, T().packets.data(), nHanded * sizeof(PenPacket));
    T().packets.clear();
    return T().nReportedCount >= 0 ? T().nReportedCount : nHanded;
}
BOOL WINAPI FakeGet(HCTX, LOGCONTEXTA*) {
    return FALSE;
}
BOOL WINAPI FakeQueueSizeSet(HCTX, int nPkts) {
    T().log.push_back("WTQueueSizeSet " + std::to_string(nPkts));
    const bool bGranted = nPkts > 0 && nPkts <= T().nQueueMax;
    T().nQueueSize = bGranted ? nPkts : 0;
    return bGranted ? TRUE : FALSE;
}
HCTX WINAPI FakeOpen(HWND hWnd, LOGCONTEXTA* lc, BOOL fEnable) {
    T().log.push_back("WTOpenA " + std::to_string(fEnable));
    T().lcOpened = *lc;
    T().hwndOpened = hWnd;
    T().nQueueSize = 10;
    ++T().nOpenCount;
    if (T().bOpenFails)
        return nullptr;
    T().openHandles.push_back(FakeHandle(T().nOpenCount));
    return T().openHandles.back();
}
BOOL WINAPI FakeClose(HCTX hCtx) {
    T().log.push_back("WTClose");
    T().closedHandles.push_back(hCtx);
    std::erase(T().openHandles, hCtx);
    if (auto onClose = std::exchange(T().onClose, nullptr))
        onClose();
    return TRUE;
}
BOOL WINAPI FakeEnable(HCTX, BOOL f) {
    T().log.push_back("WTEnable " + std::to_string(f));
    return TRUE;
}
} // namespace

FakeTablet::FakeTablet() {
    s_pCurrent = this;
    api.m_hWintab = GetModuleHandleW(nullptr);
    api.WTInfoA = FakeInfo;
    api.WTOverlap = FakeOverlap;
    api.WTPacketsGet = FakePacketsGet;
    api.WTGetA = FakeGet;
    api.WTQueueSizeSet = FakeQueueSizeSet;
    api.WTOpenA = FakeOpen;
    api.WTClose = FakeClose;
    api.WTEnable = FakeEnable;
    api.m_bWintab = TRUE;
    std::strcpy(lcDefault.lcName, "Default");
    lcDefault.lcOptions = 0x0100;
    lcDefault.lcPktRate = 133;
    lcDefault.lcPktData = 0x3FFF;
    lcDefault.lcBtnDnMask = 0x0000000F;
    lcDefault.lcBtnUpMask = 0xFFFFFFFF;
    lcDefault.lcInExtX = 40000;
    lcDefault.lcOutOrgX = 17;
    lcDefault.lcOutOrgY = 23;
    lcDefault.lcSysExtX = 999;
    g_nPacketBatch = 0;
}

FakeTablet::~FakeTablet() {
    s_pCurrent = nullptr;
}

BOOL CFakeTabletClient::Record(const char* pszHandler, DWORD t, DWORD b, LONG x, LONG y, UINT p) {
    m_received.push_back({pszHandler, t, b, x, y, p});
    return TRUE;
}
BOOL CFakeTabletClient::OnCapturePacket(DWORD t, DWORD b, LONG x, LONG y, UINT p) {
    return Record("capture", t, b, x, y, p);
}
BOOL CFakeTabletClient::OnLetterPacket(DWORD t, DWORD b, LONG x, LONG y, UINT p) {
    return Record("letter", t, b, x, y, p);
}
BOOL CFakeTabletClient::OnDesktopPacket(DWORD t, DWORD b, LONG x, LONG y, UINT p) {
    return Record("desktop", t, b, x, y, p);
}
BOOL CFakeTabletClient::OnInkingPacket(DWORD t, DWORD b, LONG x, LONG y, UINT p) {
    return Record("inking", t, b, x, y, p);
}
void CFakeTabletClient::TabletSleep(DWORD dwMs) const {
    m_tablet.log.push_back("Sleep " + std::to_string(dwMs));
}
void CFakeTabletClient::TabletBeep() const {
    m_tablet.log.push_back("Beep");
    ++m_nBeeps;
}

void ExpectReceived(const CFakeTabletClient& client, const char* pszHandler,
                    const std::vector<ExpectedPacket>& expected) {
    ASSERT_EQ(client.m_received.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const ReceivedPacket& p = client.m_received[i];
        EXPECT_EQ(p.strHandler, pszHandler) << "packet " << i;
        EXPECT_EQ(p.nButtons, expected[i].nButtons) << "packet " << i;
        EXPECT_EQ(p.x, expected[i].pt.x) << "packet " << i;
        EXPECT_EQ(p.y, expected[i].pt.y) << "packet " << i;
        EXPECT_EQ(p.nPressure, expected[i].nPressure) << "packet " << i;
    }
}
