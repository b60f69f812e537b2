// The virtual tablet, loaded under a name of its own, plays a script into a window of this test.
#include "WintabApi.h"
#include "Wintab.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Seen {
    std::string strWhat; // "packet", "down", "up"
    PenPacket packet;
    POINT ptCursor;
    HWND hWnd;
};

CWintabApi g_api;
std::vector<Seen> g_seen;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WT_PACKET) {
        PenPacket buf[64];
        const int n = g_api.WTPacketsGet(reinterpret_cast<HCTX>(lParam), 64, buf);
        for (int i = 0; i < n; ++i) {
            POINT pt;
            GetCursorPos(&pt);
            g_seen.push_back({"packet", buf[i], pt, hWnd});
        }
        return 0;
    }
    if (nMsg == WM_LBUTTONDOWN || nMsg == WM_LBUTTONUP) {
        g_seen.push_back({nMsg == WM_LBUTTONDOWN ? "down" : "up", {}, {}, hWnd});
        return 0;
    }
    return DefWindowProcW(hWnd, nMsg, wParam, lParam);
}

class VirtualTablet : public ::testing::Test {
protected:
    void SetUp() override {
        m_strEvent = "pentest_done_" + std::to_string(GetCurrentProcessId());
        char szDir[MAX_PATH];
        GetTempPathA(MAX_PATH, szDir);
        m_strScript = std::string(szDir) + m_strEvent + ".txt";
        SetEnvironmentVariableA("QUILLET_TABLET_SCRIPT", m_strScript.c_str());
        ASSERT_EQ(LoadWintab(g_api, true, L"pentest_wintab.dll"), 1);
        ASSERT_TRUE(g_api.m_bWintab);
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PenTestRecorder";
        RegisterClassW(&wc);
        m_hWnd = CreateWindowExW(WS_EX_TOPMOST, L"PenTestRecorder", L"", WS_POPUP | WS_VISIBLE, 50,
                                 50, 400, 300, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(m_hWnd, nullptr);
    }
    void TearDown() override {
        DestroyWindow(m_hWnd);
        std::remove(m_strScript.c_str());
    }
    void WriteScript(const std::string& strBody) {
        FILE* f = std::fopen(m_strScript.c_str(), "w");
        std::fputs((strBody + "signal " + m_strEvent + "\n").c_str(), f);
        std::fclose(f);
    }
    // Pumps this thread's messages until the script has signalled its end (or the event named
    // after it with strSuffix).
    bool PumpUntilDone(const std::string& strSuffix = "") {
        HANDLE h = CreateEventA(nullptr, TRUE, FALSE, (m_strEvent + strSuffix).c_str());
        const DWORD dwStart = GetTickCount();
        bool bDone = false;
        while (!bDone && GetTickCount() - dwStart < 20000) {
            const DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, 100, QS_ALLINPUT);
            bDone = r == WAIT_OBJECT_0;
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        }
        CloseHandle(h);
        return bDone;
    }

    std::string m_strEvent, m_strScript;
    HWND m_hWnd = nullptr;
};

} // namespace

TEST_F(VirtualTablet, DescribesA1024LevelPenAndAScreenSizedDefaultContext) {
    AXIS ax{};
    EXPECT_EQ(g_api.WTInfoA(WTI_DEVICES, DVC_NPRESSURE, &ax), sizeof(AXIS));
    EXPECT_EQ(ax.axMax, 1023);
    EXPECT_EQ(g_api.WTInfoA(WTI_DEFCONTEXT, 0, nullptr), sizeof(LOGCONTEXTA));
    LOGCONTEXTA lc{};
    EXPECT_EQ(g_api.WTInfoA(WTI_DEFCONTEXT, 0, &lc), sizeof(LOGCONTEXTA));
    EXPECT_EQ(lc.lcMsgBase, WT_DEFBASE);
    EXPECT_NE(lc.lcBtnDnMask, 0u);
    EXPECT_EQ(g_api.WTInfoA(77, 0, &lc), 0u);
}

TEST_F(VirtualTablet, PlaysAScriptAsPacketsWithTheCursorOnEachSampleAndClicksAround) {
    WriteScript("down 100 120 700\n"
                "move 130 125 650\n"
                "line 130 125 170 145 2 600\n"
                "hover 200 200\n"
                "up 170 145\n");
    LOGCONTEXTA lc{};
    g_api.WTInfoA(WTI_DEFCONTEXT, 0, &lc);
    lc.lcPktData = kPenPacketData;
    lc.lcPktMode = PK_BUTTONS;
    lc.lcOutOrgX = lc.lcOutOrgY = 0;
    lc.lcOutExtX = GetSystemMetrics(SM_CXSCREEN);
    lc.lcOutExtY = -GetSystemMetrics(SM_CYSCREEN);
    const HCTX hCtx = g_api.WTOpenA(m_hWnd, &lc, TRUE);
    ASSERT_NE(hCtx, nullptr);
    ASSERT_TRUE(PumpUntilDone());
    g_api.WTClose(hCtx);

    const char* whats[] = {"down",   "packet", "packet", "packet",
                           "packet", "packet", "packet", "up"};
    ASSERT_EQ(g_seen.size(), 8u);
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(g_seen[i].strWhat, whats[i]) << "message " << i;
    const DWORD events[] = {TBN_DOWN, TBN_NONE, TBN_NONE, TBN_NONE, TBN_NONE, TBN_UP};
    const UINT pressures[] = {700, 650, 600, 600, 0, 0};
    const POINT points[] = {{100, 120}, {130, 125}, {150, 135}, {170, 145}, {200, 200}, {170, 145}};
    for (size_t i = 0; i < 6; ++i) {
        const Seen& s = g_seen[i + 1];
        EXPECT_EQ(HIWORD(s.packet.pkButtons), events[i]) << "packet " << i;
        EXPECT_EQ(LOWORD(s.packet.pkButtons), 0) << "packet " << i;
        EXPECT_EQ(s.packet.pkNormalPressure, pressures[i]) << "packet " << i;
        EXPECT_EQ(s.ptCursor.x, points[i].x) << "packet " << i;
        EXPECT_EQ(s.ptCursor.y, points[i].y) << "packet " << i;
        EXPECT_EQ(s.packet.pkX, points[i].x) << "packet " << i;
        EXPECT_EQ(s.packet.pkY, points[i].y) << "packet " << i;
        EXPECT_NE(s.packet.pkTime, 0u) << "packet " << i;
    }
}

// A program that closes and reopens its context (a resize) may still have packet messages of the
// closed one waiting: their handle must not name the new context, as a driver's never does.
TEST_F(VirtualTablet, AClosedContextsHandleIsNeverGivenToALaterOne) {
    WriteScript("");
    LOGCONTEXTA lc{};
    g_api.WTInfoA(WTI_DEFCONTEXT, 0, &lc);
    const HCTX hFirst = g_api.WTOpenA(m_hWnd, &lc, TRUE);
    ASSERT_NE(hFirst, nullptr);
    ASSERT_TRUE(g_api.WTClose(hFirst));
    for (int i = 0; i < 3; ++i) {
        const HCTX hNext = g_api.WTOpenA(m_hWnd, &lc, TRUE);
        ASSERT_NE(hNext, nullptr);
        EXPECT_NE(hNext, hFirst) << "open " << i;
        EXPECT_FALSE(g_api.WTEnable(hFirst, TRUE)) << "open " << i;
        EXPECT_FALSE(g_api.WTClose(hFirst)) << "open " << i;
        EXPECT_TRUE(g_api.WTClose(hNext));
    }
    EXPECT_TRUE(PumpUntilDone());
}

// As Wine's own library: packets only for the context of the top-level window under the pen, the
// absolute button mask with the tip in bit 1 whatever mode was asked, a queue of 10 that drops
// the newest until WTQueueSizeSet makes room, and the 65,536-level axis with Wine's default
// context. The packets keep the layout of the context's data mask.
TEST_F(VirtualTablet, InWineModeBehavesAsWinesLibrary) {
    SetEnvironmentVariableA("QUILLET_TABLET_WINE", "1");
    WriteScript("clicks off\ndown 100 120 700\nmove 130 125 350\nup 130 125\nburst 150 150 15 700\n"
                "signal " +
                m_strEvent + "_first\nwaitfor " + m_strEvent +
                "_grown\n"
                "burst 160 150 15 700\n");
    AXIS ax{};
    g_api.WTInfoA(WTI_DEVICES, DVC_NPRESSURE, &ax);
    EXPECT_EQ(ax.axMax, 65535);
    LOGCONTEXTA lc{};
    g_api.WTInfoA(WTI_DEFCONTEXT, 0, &lc);
    EXPECT_STREQ(lc.lcName, "Wine Tablet Context");
    EXPECT_EQ(lc.lcPktData, 0x15F7u);
    EXPECT_EQ(lc.lcPktMode, 0u);
    lc.lcOptions |= CXO_MESSAGES;
    lc.lcPktData = kPenPacketData;
    lc.lcPktMode = PK_BUTTONS;
    HWND hwndAway = CreateWindowExW(WS_EX_TOPMOST, L"PenTestRecorder", L"", WS_POPUP | WS_VISIBLE,
                                    600, 50, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND hwndChild = CreateWindowExW(0, L"PenTestRecorder", L"", WS_CHILD | WS_VISIBLE, 0, 0, 400,
                                     300, m_hWnd, nullptr, nullptr, nullptr);
    const HCTX hCtx = g_api.WTOpenA(m_hWnd, &lc, TRUE);
    const HCTX hChild = g_api.WTOpenA(hwndChild, &lc, TRUE);
    const HCTX hAway = g_api.WTOpenA(hwndAway, &lc, TRUE);
    ASSERT_TRUE(PumpUntilDone("_first"));
    ASSERT_EQ(g_seen.size(), 13u) << "three packets and ten of the first burst's sixteen";
    const DWORD buttons[] = {0x2, 0x2, 0};
    const UINT pressures[] = {44800, 22400, 0};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(g_seen[i].packet.pkButtons, buttons[i]) << "packet " << i;
        EXPECT_EQ(g_seen[i].packet.pkNormalPressure, pressures[i]) << "packet " << i;
        EXPECT_NE(g_seen[i].packet.pkTime, 0u) << "packet " << i;
    }
    EXPECT_EQ(g_seen[12].packet.pkNormalPressure, 44800u) << "the lift was the newest: dropped";
    for (const Seen& seen : g_seen)
        EXPECT_EQ(seen.hWnd, m_hWnd) << "only the context of the top-level window under the pen";
    EXPECT_TRUE(g_api.WTQueueSizeSet(hCtx, 64));
    HANDLE hGrown = CreateEventA(nullptr, TRUE, FALSE, (m_strEvent + "_grown").c_str());
    SetEvent(hGrown);
    ASSERT_TRUE(PumpUntilDone());
    CloseHandle(hGrown);
    ASSERT_EQ(g_seen.size(), 29u) << "the whole second burst";
    EXPECT_EQ(g_seen.back().packet.pkNormalPressure, 0u);
    EXPECT_EQ(g_seen.back().packet.pkButtons, 0u);
    for (HCTX h : {hChild, hAway, hCtx})
        g_api.WTClose(h);
    DestroyWindow(hwndAway);
    SetEnvironmentVariableA("QUILLET_TABLET_WINE", nullptr);
}
