#include "CanvasTestAccess.h"
#include "FakeTablet.h"
#include "Message.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {
struct CapturedBox {
    std::wstring strText, strCaption;
    UINT uType;
};

class TabletContext : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageHook([this](const std::wstring& t, const std::wstring& c, UINT u) {
            m_boxes.push_back({t, c, u});
            return IDOK;
        });
        m_hWnd = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr);
    }
    void TearDown() override {
        SetMessageHook({});
        DestroyWindow(m_hWnd);
    }
    std::vector<CapturedBox> m_boxes;
    HWND m_hWnd = nullptr;
};
} // namespace

TEST_F(TabletContext, DescriptionChangesOnlyTheFieldsThePenNeeds) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    const HCTX h = client.OpenTabletContext(m_hWnd, TRUE);
    EXPECT_NE(h, nullptr);
    const LOGCONTEXTA& lc = tablet.lcOpened;
    EXPECT_STREQ(lc.lcName, "KVOmail");
    EXPECT_EQ(lc.lcOptions, 0x0100u | CXO_MESSAGES | CXO_SYSTEM);
    EXPECT_EQ(lc.lcPktData, 0x05E4u);
    EXPECT_EQ(lc.lcPktMode, 0x0040u);
    EXPECT_EQ(lc.lcMoveMask, 0x05E4u);
    EXPECT_EQ(lc.lcBtnUpMask, 0x0000000Fu);
    EXPECT_EQ(lc.lcOutOrgX, 0);
    EXPECT_EQ(lc.lcOutOrgY, 0);
    EXPECT_EQ(lc.lcOutExtX, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(lc.lcOutExtY, -GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(lc.lcPktRate, 133u);
    EXPECT_EQ(lc.lcInExtX, 40000);
    EXPECT_EQ(lc.lcSysExtX, 999);
    EXPECT_EQ(std::memcmp(&lc, &CCanvasTestAccess::ContextRecord(client), sizeof lc), 0);
}

TEST_F(TabletContext, WithoutSystemCursorTheSystemOptionIsLeftAsTheDefaultHasIt) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    client.OpenTabletContext(m_hWnd, FALSE);
    EXPECT_EQ(tablet.lcOpened.lcOptions, 0x0100u | CXO_MESSAGES);
}

TEST_F(TabletContext, WithoutALibraryNoContextOpensAndTheWinTabBoxIsShownOnce) {
    FakeTablet tablet;
    tablet.api.m_bWintab = FALSE;
    CFakeTabletClient client(tablet);
    client.m_hWnd = m_hWnd;
    client.OpenViewContext();
    client.CloseTabletContext();
    client.OpenViewContext();
    EXPECT_EQ(CCanvasTestAccess::Context(client), nullptr);
    EXPECT_TRUE(tablet.log.empty());
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].strText, L" Could Not Open Tablet Context.");
    EXPECT_EQ(m_boxes[0].strCaption, L"WinTab");
    EXPECT_EQ(m_boxes[0].uType, UINT(MB_ICONHAND));
    EXPECT_EQ(CCanvasTestAccess::PressureScale(client), 1);
    EXPECT_EQ(CCanvasTestAccess::PressureMax(client), 511);
}

// A driver may let the window handle sent messages inside WTClose: a move of the context to
// another window handled then closes and opens the context in the middle of the outer close.
TEST_F(TabletContext, AReopenHandledWhileTheDriverClosesLeavesExactlyOneContextOpen) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    client.m_hWnd = m_hWnd;
    client.OpenViewContext();
    const HCTX hFirst = CCanvasTestAccess::Context(client);
    tablet.onClose = [&] {
        client.CloseTabletContext();
        client.OpenViewContext();
    };
    client.CloseTabletContext();
    client.OpenViewContext();
    EXPECT_EQ(tablet.closedHandles, std::vector<HCTX>{hFirst}) << "each context is closed once";
    ASSERT_EQ(tablet.openHandles.size(), 1u) << "no context is left open unowned";
    EXPECT_EQ(CCanvasTestAccess::Context(client), tablet.openHandles[0]);
    client.CloseTabletContext();
    EXPECT_TRUE(tablet.openHandles.empty());
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(TabletContext, ALibraryThatCannotOpenAContextShowsTheWinTabBox) {
    FakeTablet tablet;
    tablet.bOpenFails = true;
    CFakeTabletClient client(tablet);
    client.m_hWnd = m_hWnd;
    client.OpenViewContext();
    EXPECT_EQ(CCanvasTestAccess::Context(client), nullptr);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].strText, L" Could Not Open Tablet Context.");
    EXPECT_EQ(m_boxes[0].strCaption, L"WinTab");
    EXPECT_EQ(m_boxes[0].uType, UINT(MB_ICONHAND));
}

TEST_F(TabletContext, AFailedOpenIsReportedOnceHoweverOftenTheContextIsOpenedAgain) {
    FakeTablet tablet;
    tablet.bOpenFails = true;
    CFakeTabletClient client(tablet);
    client.m_hWnd = m_hWnd;
    for (int i = 0; i < 3; ++i) {
        client.CloseTabletContext();
        client.OpenViewContext();
    }
    EXPECT_EQ(tablet.nOpenCount, 3);
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].strCaption, L"WinTab");
}

// Wine's library opens the tablet's devices again on every open and never closes them: the
// context moves only when the window under the pen changes.
TEST_F(TabletContext, TheContextIsOpenedOnTheOwnerWindowAndMovesOnlyWhenTheOwnerChanges) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    client.m_hWnd = m_hWnd;
    HWND hwndOverlay =
        CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    client.FollowPenWindow();
    EXPECT_TRUE(tablet.log.empty()) << "a closed context stays closed";
    client.OpenViewContext();
    EXPECT_EQ(tablet.hwndOpened, m_hWnd);
    tablet.log.clear();
    client.FollowPenWindow();
    EXPECT_TRUE(tablet.log.empty()) << "the same window keeps its context";
    client.m_hOwner = hwndOverlay;
    client.FollowPenWindow();
    const std::vector<std::string> moved = {"WTEnable 0",     "WTOverlap 0", "WTClose",
                                            "WTInfoA 3 0",    "WTOpenA 1",   "WTQueueSizeSet 64",
                                            "WTInfoA 100 15", "WTInfoA 1 5"};
    EXPECT_EQ(tablet.log, moved);
    EXPECT_EQ(tablet.hwndOpened, hwndOverlay);
    EXPECT_EQ(tablet.openHandles.size(), 1u);
    EXPECT_EQ(CCanvasTestAccess::ContextOwner(client), hwndOverlay);
    DestroyWindow(hwndOverlay);
}

TEST_F(TabletContext, EveryOpenAsksForAQueueOf64AndStepsDownUntilOneIsGranted) {
    FakeTablet tablet;
    tablet.nQueueMax = 61;
    CFakeTabletClient client(tablet);
    client.m_hWnd = m_hWnd;
    client.OpenViewContext();
    const std::vector<std::string> asked = {"WTQueueSizeSet 64", "WTQueueSizeSet 63",
                                            "WTQueueSizeSet 62", "WTQueueSizeSet 61"};
    std::vector<std::string> calls;
    for (const std::string& str : tablet.log)
        if (str.starts_with("WTQueueSizeSet"))
            calls.push_back(str);
    EXPECT_EQ(calls, asked);
    EXPECT_EQ(tablet.nQueueSize, 61);
    // A driver that grants nothing is asked down to one packet.
    tablet.nQueueMax = 0;
    tablet.log.clear();
    client.CloseTabletContext();
    client.OpenViewContext();
    EXPECT_EQ(std::count_if(tablet.log.begin(), tablet.log.end(),
                            [](const std::string& s) { return s.starts_with("WTQueueSizeSet"); }),
              64);
    EXPECT_EQ(tablet.log.back(), "WTInfoA 1 5") << "the cursors are read last";
}

TEST_F(TabletContext, PressureAxisIsReadAfterEveryOpen) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    client.m_hWnd = m_hWnd;
    client.OpenViewContext();
    EXPECT_EQ(CCanvasTestAccess::PressureScale(client), 2);
    EXPECT_EQ(CCanvasTestAccess::PressureMax(client), 511);
    tablet.nAxisMax = 511;
    client.m_hOwner = GetDesktopWindow();
    client.FollowPenWindow();
    EXPECT_EQ(CCanvasTestAccess::PressureScale(client), 1);
    EXPECT_EQ(CCanvasTestAccess::PressureMax(client), 511);
}

TEST_F(TabletContext, ReopenAfterADisplayChangeRestoresTheWindowsEnabledState) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    client.m_hWnd = m_hWnd;
    CCanvasTestAccess::ReopenFlag(client) = TRUE;
    client.OnWTPacket(0, 0x5151);
    const std::vector<std::string> expected = {
        "Sleep 1000",  "WTInfoA 3 0", "WTOpenA 1",   "WTQueueSizeSet 64", "WTInfoA 100 15",
        "WTInfoA 1 5", "WTEnable 1",  "WTOverlap 1", "WTPacketsGet"};
    EXPECT_EQ(tablet.log, expected);
}

TEST_F(TabletContext, ActivationEnablesAndRaisesOnlyInLetterMode) {
    FakeTablet tablet;
    CFakeTabletClient client(tablet);
    CCanvasTestAccess::Context(client) = reinterpret_cast<HCTX>(static_cast<INT_PTR>(0x5151));
    client.ActivateTabletContext(TRUE);
    client.ActivateTabletContext(FALSE);
    client.SetCaptureState(1);
    client.ActivateTabletContext(FALSE);
    client.m_nMode = kModeDesktop;
    client.ActivateTabletContext(TRUE);
    const std::vector<std::string> expected = {"WTEnable 1", "WTOverlap 1", "WTEnable 0",
                                               "WTEnable 1"};
    EXPECT_EQ(tablet.log, expected);
}
