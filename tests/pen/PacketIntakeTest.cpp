#include "CanvasTestAccess.h"
#include "FakeTablet.h"
#include "PenRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {
std::vector<PenPacket> MakePackets(int n) {
    std::vector<PenPacket> v;
    for (int i = 0; i < n; ++i)
        v.push_back({DWORD(1000 + i), 0, DWORD(i == 0 ? MAKELONG(0, TBN_DOWN) : 0), 5 + i, 7 + i,
                     UINT(300 + i)});
    return v;
}

LPARAM Ctx() {
    return 0x5151;
}

int Count(const std::vector<std::string>& log, const std::string& str) {
    return int(std::count(log.begin(), log.end(), str));
}
} // namespace

TEST(PacketIntake, ABatchOfExactly64PacketsIsHandledWhole) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    tablet.packets = MakePackets(64);
    EXPECT_EQ(client.OnWTPacket(0, Ctx()), 0);
    EXPECT_EQ(tablet.nLastMaxAsked, 64);
    ASSERT_EQ(client.m_received.size(), 64u);
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(client.m_received[i].strHandler, "letter") << "packet " << i;
        EXPECT_EQ(client.m_received[i].nTime, DWORD(1000 + i)) << "packet " << i;
        EXPECT_EQ(client.m_received[i].nPressure, UINT(300 + i)) << "packet " << i;
    }
    EXPECT_EQ(client.m_received[0].nButtons, DWORD(MAKELONG(0, TBN_DOWN)));
    EXPECT_EQ(g_nPacketBatch, 0);
    EXPECT_EQ(client.m_nBeeps, 0);
}

TEST(PacketIntake, MoreThan64PacketsBeepOnceAndDropTheBatch) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    tablet.packets = MakePackets(65);
    EXPECT_EQ(client.OnWTPacket(0, Ctx()), -1);
    EXPECT_TRUE(client.m_received.empty());
    EXPECT_EQ(client.m_nBeeps, 1);
    EXPECT_EQ(g_nPacketBatch, 0);
    // The next message is handled normally: no batch counts as in progress.
    tablet.packets = MakePackets(3);
    EXPECT_EQ(client.OnWTPacket(0, Ctx()), 0);
    EXPECT_EQ(client.m_received.size(), 3u);
}

TEST(PacketIntake, AnOverlongReportBeyondTheBufferIsDroppedWithoutHandlingAnything) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    tablet.packets = MakePackets(128);
    tablet.nReportedCount = 5000;
    EXPECT_EQ(client.OnWTPacket(0, Ctx()), -1);
    EXPECT_TRUE(client.m_received.empty());
    EXPECT_EQ(client.m_nBeeps, 1);
}

TEST(PacketIntake, NoPacketsAnswersZeroAndCallsNoHandler) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    EXPECT_EQ(client.OnWTPacket(0, Ctx()), 0);
    tablet.nReportedCount = -3;
    EXPECT_EQ(client.OnWTPacket(0, Ctx()), 0);
    EXPECT_TRUE(client.m_received.empty());
    EXPECT_EQ(g_nPacketBatch, 0);
}

TEST(PacketIntake, ThePictureToolDropsEveryPacket) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    client.m_nTool = kToolPicture;
    for (int nMode : {kModeLetter, kModeDesktop, kModeInking}) {
        client.m_nMode = nMode;
        tablet.packets = MakePackets(4);
        EXPECT_EQ(client.OnWTPacket(0, Ctx()), 0);
    }
    EXPECT_TRUE(client.m_received.empty());
}

// Two strokes with a barrel-button press in the air between them, as a driver that honours the
// relative button mode reports them and as Wine's library does (the absolute button mask, the
// tip in bit 1, whatever the mode asked). The handlers get the same press and release events.
TEST(PacketIntake, TheTipTouchesAndLiftsWithThePressureWhateverTheDriverReportsAsButtons) {
    const UINT pressures[] = {0, 300, 420, 0, 0, 0, 510, 0};
    const DWORD relative[] = {0,
                              MAKELONG(0, TBN_DOWN),
                              0,
                              MAKELONG(0, TBN_UP),
                              MAKELONG(1, TBN_DOWN),
                              MAKELONG(1, TBN_UP),
                              MAKELONG(0, TBN_DOWN),
                              MAKELONG(0, TBN_UP)};
    const DWORD absolute[] = {0, 0x2, 0x2, 0, 0x4, 0, 0x2, 0};
    const DWORD expected[] = {0,
                              MAKELONG(0, TBN_DOWN),
                              0,
                              MAKELONG(0, TBN_UP),
                              0,
                              0,
                              MAKELONG(0, TBN_DOWN),
                              MAKELONG(0, TBN_UP)};
    for (const DWORD* buttons : {relative, absolute}) {
        FakeTablet tablet;
        CFakeTabletClient client(tablet);
        client.m_nMode = buttons == relative ? kModeDesktop : kModeInking;
        for (size_t i = 0; i < std::size(pressures); ++i)
            tablet.packets.push_back({DWORD(i), 0, buttons[i], 0, 0, pressures[i]});
        client.OnWTPacket(0, Ctx());
        ASSERT_EQ(client.m_received.size(), std::size(pressures));
        for (size_t i = 0; i < std::size(pressures); ++i)
            EXPECT_EQ(client.m_received[i].nButtons, expected[i])
                << (buttons == relative ? "relative" : "absolute") << ", packet " << i;
    }
}

TEST(PacketIntake, PositionIsTheSystemCursorNotTheTabletPosition) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    client.m_ptCursor = {712, 345};
    tablet.packets = MakePackets(2);
    client.OnWTPacket(0, Ctx());
    ASSERT_EQ(client.m_received.size(), 2u);
    for (const ReceivedPacket& r : client.m_received) {
        EXPECT_EQ(r.x, 712);
        EXPECT_EQ(r.y, 345);
    }
}

TEST(PacketIntake, EachModeHasItsHandlerAndAnUnknownModeDrops) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    const char* names[] = {"letter", "desktop", "inking"};
    for (int nMode = 0; nMode <= 3; ++nMode) {
        client.m_received.clear();
        client.m_nMode = nMode;
        for (int nTool = kToolEraser; nTool <= kToolMarker; ++nTool) {
            client.m_nTool = nTool;
            tablet.packets = MakePackets(1);
            client.OnWTPacket(0, Ctx());
        }
        if (nMode == 3) {
            EXPECT_TRUE(client.m_received.empty());
            continue;
        }
        ASSERT_EQ(client.m_received.size(), 4u) << "mode " << nMode;
        for (const ReceivedPacket& r : client.m_received)
            EXPECT_EQ(r.strHandler, names[nMode]) << "mode " << nMode;
    }
}

TEST(PacketIntake, ACaptureInProgressTakesEveryPacketWhateverTheTool) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    client.SetCaptureState(2);
    client.m_nTool = kToolPicture;
    tablet.packets = MakePackets(3);
    client.OnWTPacket(0, Ctx());
    ASSERT_EQ(client.m_received.size(), 3u);
    EXPECT_EQ(client.m_received[2].strHandler, "capture");
}

TEST(PacketIntake, WithoutATabletLibraryNothingIsRead) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    tablet.api.m_bWintab = FALSE;
    tablet.packets = MakePackets(3);
    EXPECT_EQ(client.OnWTPacket(0, Ctx()), 0);
    EXPECT_TRUE(client.m_received.empty());
    EXPECT_EQ(Count(tablet.log, "WTPacketsGet"), 0);
}

TEST(PacketIntake, AMessageDuringABatchLeavesItsPacketsQueued) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    g_nPacketBatch = 5;
    tablet.packets = MakePackets(3);
    EXPECT_EQ(client.OnWTPacket(0, Ctx()), 0);
    EXPECT_EQ(Count(tablet.log, "WTPacketsGet"), 0);
    EXPECT_EQ(Count(tablet.log, "Sleep 1"), 50);
    EXPECT_EQ(g_nPacketBatch, 5);
    g_nPacketBatch = 0;
}

TEST(DisplayChange, TheNextPacketMessageWaitsASecondAndReopensBeforeReading) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    CCanvasTestAccess::Context(client) = reinterpret_cast<HCTX>(static_cast<INT_PTR>(0x5151));
    CCanvasTestAccess::ReopenFlag(client) = TRUE;
    tablet.nAxisMax = 2047;
    tablet.packets = MakePackets(2);
    EXPECT_EQ(client.OnWTPacket(0, Ctx()), 0);
    const std::vector<std::string> expected = {
        "WTEnable 0",  "WTOverlap 0", "WTClose",           "Sleep 1000",
        "WTInfoA 3 0", "WTOpenA 1",   "WTQueueSizeSet 64", "WTInfoA 100 15",
        "WTInfoA 1 5", "WTEnable 0",  "WTOverlap 0",       "WTPacketsGet"};
    EXPECT_EQ(tablet.log, expected);
    EXPECT_FALSE(CCanvasTestAccess::ReopenFlag(client));
    EXPECT_NE(CCanvasTestAccess::Context(client), nullptr);
    EXPECT_EQ(CCanvasTestAccess::PressureScale(client), 4);
    EXPECT_EQ(client.m_received.size(), 2u);
}

TEST(DisplayChange, OnlyTheFirstPacketMessageReopens) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    CCanvasTestAccess::ReopenFlag(client) = TRUE;
    client.OnWTPacket(0, Ctx());
    client.OnWTPacket(0, Ctx());
    EXPECT_EQ(tablet.nOpenCount, 1);
    EXPECT_EQ(Count(tablet.log, "Sleep 1000"), 1);
}
