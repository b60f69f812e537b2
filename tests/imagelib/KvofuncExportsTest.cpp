#include <gtest/gtest.h>
#include <windows.h>

// The callers find both functions by their undecorated names.
TEST(KvofuncExports, BothFunctionsAreExportedByName) {
    HMODULE h = LoadLibraryW(L"kvofunc.dll");
    ASSERT_NE(h, nullptr);
    EXPECT_NE(GetProcAddress(h, "CreateAttachment"), nullptr);
    EXPECT_NE(GetProcAddress(h, "CreateBitmapFromFile"), nullptr);
    FreeLibrary(h);
}
