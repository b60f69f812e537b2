#include "Wintab.h"

#include <gtest/gtest.h>

TEST(WintabBinding, AMissingLibraryLeavesEverythingUnbound) {
    CWintabApi api;
    api.m_bWintab = TRUE;
    EXPECT_EQ(LoadWintab(api, true, L"no_such_tablet_library.dll"), 0);
    EXPECT_FALSE(api.m_bWintab);
    EXPECT_EQ(api.m_hWintab, nullptr);
    EXPECT_EQ(api.WTInfoA, nullptr);
    EXPECT_EQ(api.WTEnable, nullptr);
}

TEST(WintabBinding, ALibraryWithAllEightEntryPointsIsBound) {
    CWintabApi api;
    EXPECT_EQ(LoadWintab(api, true, L"pentest_wintab.dll"), 1);
    EXPECT_TRUE(api.m_bWintab);
    EXPECT_NE(api.m_hWintab, nullptr);
    EXPECT_NE(api.WTInfoA, nullptr);
    EXPECT_NE(api.WTOverlap, nullptr);
    EXPECT_NE(api.WTPacketsGet, nullptr);
    EXPECT_NE(api.WTGetA, nullptr);
    EXPECT_NE(api.WTQueueSizeSet, nullptr);
    EXPECT_NE(api.WTOpenA, nullptr);
    EXPECT_NE(api.WTClose, nullptr);
    EXPECT_NE(api.WTEnable, nullptr);
    EXPECT_EQ(reinterpret_cast<FARPROC>(api.WTOpenA), GetProcAddress(api.m_hWintab, "WTOpenA"));
}

TEST(WintabBinding, ALibraryLackingOneEntryPointCountsAsNoBinding) {
    CWintabApi api;
    EXPECT_EQ(LoadWintab(api, true, L"wintab_partial.dll"), 1);
    EXPECT_FALSE(api.m_bWintab);
    EXPECT_EQ(api.WTEnable, nullptr);
    EXPECT_NE(api.WTInfoA, nullptr);
}

TEST(WintabBinding, LoadingWithoutBindingUnloadsAgain) {
    CWintabApi api;
    EXPECT_EQ(LoadWintab(api, false, L"wintab_partial.dll"), 1);
    EXPECT_FALSE(api.m_bWintab);
    EXPECT_EQ(api.m_hWintab, nullptr);
    EXPECT_EQ(api.WTInfoA, nullptr);
}
