#include "OfficeTestBase.h"

namespace {
const char* const kShow = "/version 11.0 /show /slides \"Intro|-||Summary\" /rect 100 100 600 400";

std::vector<std::string> MenuTexts(HMENU hMenu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(hMenu); ++i) {
        char sz[512] = "";
        GetMenuStringA(hMenu, static_cast<UINT>(i), sz, sizeof sz, MF_BYPOSITION);
        texts.push_back(std::to_string(GetMenuItemID(hMenu, i)) + " " + sz);
    }
    return texts;
}
} // namespace

using Presenter = OfficeTest;

TEST_F(Presenter, ActionMinusOneAndSevenOnlyReturnTheVersion) {
    CFakeOffice pp("powerpoint", kShow);
    ASSERT_TRUE(pp.IsReady());
    EXPECT_EQ(Brevix_PP_Action(-1), 0x0B00);
    EXPECT_EQ(Brevix_PP_Action(7), 0x0B00);
    EXPECT_TRUE(pp.Matching("showview.").empty());
}

TEST_F(Presenter, ActionsDriveTheShowView) {
    CFakeOffice pp("powerpoint", kShow);
    ASSERT_TRUE(pp.IsReady());
    const char* const expected[] = {"showview.Next call",         "showview.Previous call",
                                    "showview.EraseDrawing call", "showview.State put 1",
                                    "showview.State put 3",       "showview.State put 4"};
    const int actions[] = {0, 1, 2, 4, 5, 6};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Brevix_PP_Action(actions[i]), 0x0B00) << "action " << actions[i];
        EXPECT_EQ(pp.Matching(expected[i]).size(), 1u) << "action " << actions[i];
    }
    EXPECT_EQ(Brevix_PP_Action(3), 0x0B00);
    EXPECT_TRUE(pp.Has("showview.Exit call"));
    // The show has ended: every export finds no show now.
    EXPECT_EQ(Brevix_PP_GetSlideShowActive(), 0);
    EXPECT_EQ(Brevix_PP_Action(-1), 0);
}

TEST_F(Presenter, PointerColourUsesTheLow24Bits) {
    CFakeOffice pp("powerpoint", kShow);
    ASSERT_TRUE(pp.IsReady());
    EXPECT_EQ(Brevix_PP_SetPointerColor(0xFF123456), 1);
    EXPECT_TRUE(pp.Has("pointercolor.RGB put 1193046"));
}

TEST_F(Presenter, PointerTypeThreeSelectsThePen) {
    CFakeOffice pp("powerpoint", kShow);
    ASSERT_TRUE(pp.IsReady());
    EXPECT_EQ(Brevix_PP_SetPointerType(3), 1);
    EXPECT_EQ(Brevix_PP_SetPointerType(0), 1);
    EXPECT_EQ(Brevix_PP_SetPointerType(5), 1);
    std::vector<std::string> types = pp.Matching("showview.PointerType put");
    ASSERT_EQ(types.size(), 3u);
    EXPECT_EQ(types[0], "showview.PointerType put 2");
    EXPECT_EQ(types[1], "showview.PointerType put 1");
    EXPECT_EQ(types[2], "showview.PointerType put 5");
    EXPECT_EQ(pp.Matching("showwindow.Activate call").size(), 3u);
}

TEST_F(Presenter, GoToSlideMovesTheShowAndRefusesZeroAndNegatives) {
    CFakeOffice pp("powerpoint", kShow);
    ASSERT_TRUE(pp.IsReady());
    EXPECT_EQ(Brevix_PP_GetCurrentPage(), 1);
    EXPECT_EQ(Brevix_PP_SlideGoto(0), 0);
    EXPECT_EQ(Brevix_PP_SlideGoto(-2), 0);
    EXPECT_FALSE(pp.Has("GotoSlide"));
    EXPECT_EQ(Brevix_PP_SlideGoto(3), 1);
    EXPECT_TRUE(pp.Has("showview.GotoSlide call 3 0"));
    EXPECT_EQ(Brevix_PP_GetCurrentPage(), 3);
    EXPECT_EQ(Brevix_PP_GetSlideShowActive(), 1);
}

TEST_F(Presenter, SlideMenuListsTitlesAndNumbersTheOthers) {
    CFakeOffice pp("powerpoint", kShow);
    ASSERT_TRUE(pp.IsReady());
    HMENU hMenu = CreatePopupMenu();
    EXPECT_EQ(Brevix_PP_SlideGotoMenu(hMenu, 100), 1);
    EXPECT_EQ(MenuTexts(hMenu), (std::vector<std::string>{"101 1. Intro", "102 2. Slide2",
                                                          "103 3. Slide3", "104 4. Summary"}));
    DestroyMenu(hMenu);
    EXPECT_EQ(Brevix_PP_SlideGotoMenu(nullptr, 100), 0);
}

TEST_F(Presenter, LongSlideTitleIsCutToTheItemBuffer) {
    std::string strTitle(1000, 'x');
    CFakeOffice pp("powerpoint",
                   "/version 11.0 /show /slides " + strTitle + " /rect 100 100 600 400");
    ASSERT_TRUE(pp.IsReady());
    HMENU hMenu = CreatePopupMenu();
    EXPECT_EQ(Brevix_PP_SlideGotoMenu(hMenu, 0), 1);
    char sz[2048] = "";
    GetMenuStringA(hMenu, 0, sz, sizeof sz, MF_BYPOSITION);
    EXPECT_EQ(std::string(sz), "1. " + std::string(256, 'x'));
    DestroyMenu(hMenu);
}

TEST_F(Presenter, CommandBarIsAddedOnce) {
    CFakeOffice pp("powerpoint", "/version 11.0 /rect 100 100 600 400");
    ASSERT_TRUE(pp.IsReady());
    EXPECT_EQ(Brevix_PP_AddCommandBar(), 1);
    EXPECT_EQ(Brevix_PP_AddCommandBar(), 1);
    ASSERT_EQ(pp.Matching("bars.Add call").size(), 1u);
    EXPECT_TRUE(pp.Has("bars.Add call \"Pravello\" 1 missing true"));
    EXPECT_TRUE(pp.Has("bar[Pravello].Visible put true"));
    EXPECT_TRUE(pp.Has("controls[Pravello].Add call 1 missing missing missing true"));
    const char* const props[] = {"Style put 3",
                                 "FaceId put 1758",
                                 "Visible put true",
                                 "Caption put \"Start Pravello\"",
                                 "Enabled put true",
                                 "TooltipText put \"Start Slider Show and Pravello\"",
                                 "OnAction put \"OnButton1\"",
                                 "Tag put \"Tag 1\""};
    for (const char* pszProp : props)
        EXPECT_TRUE(pp.Has(std::string("control[Pravello/1].") + pszProp)) << pszProp;
    // The presenter exports need a running show.
    EXPECT_EQ(Brevix_PP_GetSlideShowActive(), 0);
}

TEST_F(Presenter, EveryExportIsZeroWithoutPowerPoint) {
    HMENU hMenu = CreatePopupMenu();
    EXPECT_EQ(Brevix_PP_Action(-1), 0);
    EXPECT_EQ(Brevix_PP_Action(0), 0);
    EXPECT_EQ(Brevix_PP_SetPointerColor(0), 0);
    EXPECT_EQ(Brevix_PP_GetSlideShowActive(), 0);
    EXPECT_EQ(Brevix_PP_SetPointerType(3), 0);
    EXPECT_EQ(Brevix_PP_GetCurrentPage(), 0);
    EXPECT_EQ(Brevix_PP_AddCommandBar(), 0);
    EXPECT_EQ(Brevix_PP_SlideGotoMenu(hMenu, 0), 0);
    EXPECT_EQ(Brevix_PP_SlideGoto(1), 0);
    EXPECT_EQ(Brevix_PP_EndOle(), 1);
    EXPECT_EQ(GetMenuItemCount(hMenu), 0);
    DestroyMenu(hMenu);
    EXPECT_TRUE(Messages().empty());
}

// Run by ExitWithConnection in a process of its own: ends with a PowerPoint connection open.
TEST(ExitWithConnectionHelper, LeavesAPresenterConnectionOpen) {
    CoInitialize(nullptr);
    CClassRegistration registration;
    CFakeOffice pp("powerpoint", "/version 11.0 /rect 100 100 600 400");
    ASSERT_TRUE(pp.IsReady());
    EXPECT_EQ(Brevix_PP_AddCommandBar(), 1);
}

TEST(ExitWithConnection, ProcessEndsWhileAPresenterConnectionIsOpen) {
    char szPath[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strCommand =
        std::string("\"") + szPath + "\" --gtest_filter=ExitWithConnectionHelper.* --gtest_brief=1";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, strCommand.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    DWORD dwWait = WaitForSingleObject(pi.hProcess, 30000);
    DWORD dwExit = 1;
    GetExitCodeProcess(pi.hProcess, &dwExit);
    if (dwWait != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_EQ(dwWait, WAIT_OBJECT_0) << "the process hung while unloading the bridge";
    EXPECT_EQ(dwExit, 0u);
}
