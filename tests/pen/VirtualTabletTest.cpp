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
            g_seen.push_back({"packet", buf[i], pt});
        }
        return 0;
    }
    if (nMsg == WM_LBUTTONDOWN || nMsg == WM_LBUTTONUP) {
        g_seen.push_back({nMsg == WM_LBUTTONDOWN ? "down" : "up", {}, {}});
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
    // Pumps this thread's messages until the script has signalled its end.
    bool PumpUntilDone() {
        HANDLE h = CreateEventA(nullptr, TRUE, FALSE, m_strEvent.c_str());
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
