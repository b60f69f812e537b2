#include "Brevix.h"
#include "InkBitmap.h"
#include "InkOwner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The "Plovexa2" windows of this process.
std::vector<HWND> MarkerWindows() {
    std::vector<HWND> windows;
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExA(nullptr, hwnd, "Plovexa2", "Plovexa2")) != nullptr) {
        DWORD nPid = 0;
        GetWindowThreadProcessId(hwnd, &nPid);
        if (nPid == GetCurrentProcessId())
            windows.push_back(hwnd);
    }
    return windows;
}

// A second copy of the library under another name, so that it can be loaded and unloaded while
// the first stays linked to this program.
std::string CopyOfLibrary() {
    char szPath[MAX_PATH];
    GetModuleFileNameA(GetModuleHandleA("Brevix.dll"), szPath, MAX_PATH);
    char szDir[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    const std::string strCopy = std::string(szDir) + "BrevixMarkerCopy.dll";
    CopyFileA(szPath, strCopy.c_str(), FALSE);
    return strCopy;
}

} // namespace

TEST(MarkerWindow, LoadedLibraryHasOneHiddenToolWindow) {
    ASSERT_NE(GetProcAddress(GetModuleHandleA("Brevix.dll"), "Brevix_Insert"), nullptr);
    const std::vector<HWND> windows = MarkerWindows();
    ASSERT_EQ(windows.size(), 1u);
    HWND hwnd = windows[0];
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ(GetParent(hwnd), nullptr);
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    EXPECT_EQ(rc.left, 0);
    EXPECT_EQ(rc.top, 0);
    EXPECT_EQ(rc.right, 0);
    EXPECT_EQ(rc.bottom, 0);
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(hwnd, GCLP_HCURSOR)),
              LoadCursor(nullptr, IDC_WAIT));
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND), 0);
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCL_STYLE), 0);
    EXPECT_EQ(reinterpret_cast<HMODULE>(GetClassLongPtrA(hwnd, GCLP_HMODULE)),
              GetModuleHandleA("Brevix.dll"));
}

TEST(MarkerWindow, UnloadingTheLibraryDestroysItsWindow) {
    const std::string strCopy = CopyOfLibrary();
    for (int nRound = 1; nRound <= 2; ++nRound) {
        HMODULE hCopy = LoadLibraryA(strCopy.c_str());
        ASSERT_NE(hCopy, nullptr) << "round " << nRound;
        EXPECT_EQ(MarkerWindows().size(), 2u) << "round " << nRound << ": loaded twice";
        FreeLibrary(hCopy);
        EXPECT_EQ(MarkerWindows().size(), 1u) << "round " << nRound << ": copy unloaded";
    }
    DeleteFileA(strCopy.c_str());
}

TEST(MarkerWindow, UnloadingStopsTheInsertionTimerAndRemovesThePendingImage) {
    const std::string strCopy = CopyOfLibrary();
    HMODULE hCopy = LoadLibraryA(strCopy.c_str());
    ASSERT_NE(hCopy, nullptr);
    using InsertFn = int(WINAPI*)(HWND, const RECT*, HDC, HBITMAP);
    auto pfnInsert = reinterpret_cast<InsertFn>(GetProcAddress(hCopy, "Brevix_Insert"));
    ASSERT_NE(pfnInsert, nullptr);
    const std::set<std::string> before = AanFiles();
    CInkOwner owner;
    CPasteTarget target(Ask::None);
    CInkBitmap ink(4, 4);
    const RECT rc = target.ChildRect();
    EXPECT_EQ(pfnInsert(owner.Hwnd(), &rc, ink.Dc(), ink.Bitmap()), 1);
    PumpUntil([&] { return target.m_keys.size() >= 4; }, 3000);
    ASSERT_EQ(NewFiles(before, AanFiles()).size(), 1u);
    FreeLibrary(hCopy);
    EXPECT_TRUE(NewFiles(before, AanFiles()).empty()) << "nobody can ask for the text any more";
    // A timer left running would call into the unloaded library.
    EXPECT_FALSE(KillTimer(owner.Hwnd(), 1)) << "the insertion timer still runs";
    ClearClipboard();
    DeleteFileA(strCopy.c_str());
}
