#include "Wintab.h"

#include <gtest/gtest.h>

namespace {
// How many of the eight entry points hold an address.
int BoundEntryPoints(const CWintabApi& api) {
    const void* entries[] = {reinterpret_cast<const void*>(api.WTInfoA),
                             reinterpret_cast<const void*>(api.WTOverlap),
                             reinterpret_cast<const void*>(api.WTPacketsGet),
                             reinterpret_cast<const void*>(api.WTGetA),
                             reinterpret_cast<const void*>(api.WTQueueSizeSet),
                             reinterpret_cast<const void*>(api.WTOpenA),
                             reinterpret_cast<const void*>(api.WTClose),
                             reinterpret_cast<const void*>(api.WTEnable)};
    int n = 0;
    for (const void* p : entries)
        n += p != nullptr;
    return n;
}
} // namespace

TEST(WintabBinding, AMissingLibraryLeavesEverythingUnbound) {
    CWintabApi api;
    api.m_bWintab = TRUE;
    EXPECT_EQ(LoadWintab(api, true, L"no_such_tablet_library.dll"), 0);
    EXPECT_FALSE(api.m_bWintab);
    EXPECT_EQ(api.m_hWintab, nullptr);
    EXPECT_EQ(BoundEntryPoints(api), 0);
}

TEST(WintabBinding, ALibraryWithAllEightEntryPointsIsBound) {
    CWintabApi api;
    EXPECT_EQ(LoadWintab(api, true, L"pentest_wintab.dll"), 1);
    EXPECT_TRUE(api.m_bWintab);
    EXPECT_NE(api.m_hWintab, nullptr);
    EXPECT_EQ(BoundEntryPoints(api), 8);
    EXPECT_EQ(reinterpret_cast<FARPROC>(api.WTOpenA), GetProcAddress(api.m_hWintab, "WTOpenA"));
}

TEST(WintabBinding, ALibraryLackingOneEntryPointCountsAsNoBinding) {
    CWintabApi api;
    EXPECT_EQ(LoadWintab(api, true, L"wintab_partial.dll"), 1);
    EXPECT_FALSE(api.m_bWintab);
    EXPECT_EQ(api.WTEnable, nullptr);
    EXPECT_EQ(BoundEntryPoints(api), 7);
}

TEST(WintabBinding, LoadingWithoutBindingUnloadsAgain) {
    CWintabApi api;
    EXPECT_EQ(LoadWintab(api, false, L"wintab_partial.dll"), 1);
    EXPECT_FALSE(api.m_bWintab);
    EXPECT_EQ(api.m_hWintab, nullptr);
    EXPECT_EQ(BoundEntryPoints(api), 0);
}
