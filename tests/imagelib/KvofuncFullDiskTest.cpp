// Writing onto a volume that is full. The test run provides a small volume (a 512 KiB memory
// file system, see scripts/in-display-tests.sh) in QUILLET_SMALL_VOLUME; without one the test is
// skipped.
#include "ImageFiles.h"
#include "kvofunc.h"

#include <gtest/gtest.h>

namespace {

std::wstring SmallVolume() {
    wchar_t sz[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"QUILLET_SMALL_VOLUME", sz, MAX_PATH))
        return {};
    std::wstring str = sz;
    for (wchar_t& ch : str)
        if (ch == L'/')
            ch = L'\\';
    return str;
}

bool WriteWide(const std::wstring& strPath, const std::vector<std::uint8_t>& data) {
    HANDLE h = CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD n = 0;
    const BOOL bOk = WriteFile(h, data.data(), DWORD(data.size()), &n, nullptr);
    CloseHandle(h);
    return bOk && n == data.size();
}

std::vector<std::uint8_t> ReadWide(const std::wstring& strPath) {
    std::vector<std::uint8_t> data(1 << 20);
    HANDLE h = CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return {};
    DWORD n = 0;
    ReadFile(h, data.data(), DWORD(data.size()), &n, nullptr);
    CloseHandle(h);
    data.resize(n);
    return data;
}

// Fills the volume with one file, then frees nFree bytes of it again.
bool FillLeaving(const std::wstring& strFiller, DWORD nFree) {
    HANDLE h = CreateFileW(strFiller.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    const std::vector<std::uint8_t> block(4096, 0x77);
    DWORD n = 0;
    LONGLONG nTotal = 0;
    while (WriteFile(h, block.data(), DWORD(block.size()), &n, nullptr) && n == block.size())
        nTotal += n;
    LARGE_INTEGER size{};
    size.QuadPart = nTotal > nFree ? nTotal - nFree : 0;
    const bool bOk = SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h);
    CloseHandle(h);
    return bOk;
}

} // namespace

// The new picture does not fit: the write fails, and the older picture must survive it.
TEST(KvofuncFullDisk, AFailedWriteKeepsTheExistingFile) {
    const std::wstring strVolume = SmallVolume();
    if (strVolume.empty())
        GTEST_SKIP() << "no small volume (QUILLET_SMALL_VOLUME) in this test run";
    const std::wstring strFolder = strVolume + L"\\full-" + std::to_wstring(GetTickCount64());
    ASSERT_TRUE(CreateDirectoryW(strFolder.c_str(), nullptr));
    const std::wstring strOld = strFolder + L"\\picture.jpg", strFiller = strFolder + L"\\filler";
    const std::vector<std::uint8_t> old(40000, 0x3C);
    ASSERT_TRUE(WriteWide(strOld, old));
    ASSERT_TRUE(FillLeaving(strFiller, 16384));

    // Noise does not compress: its JPEG is far larger than the old file and the free space.
    CTestImage img(300, 300);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            img.Set(x, y,
                    RGB((x * 7919 + y * 104729) % 251, (x * y * 31) % 253, (x + y * 13) % 255));
    EXPECT_FALSE(CreateAttachmentW(img.Dc(), img.Bitmap(), strOld.c_str(), 1, 0, 0));
    EXPECT_EQ(ReadWide(strOld), old) << "the older picture is still there, unchanged";

    // With room again the same call replaces it.
    DeleteFileW(strFiller.c_str());
    EXPECT_TRUE(CreateAttachmentW(img.Dc(), img.Bitmap(), strOld.c_str(), 1, 0, 0));
    int w = 0, h = 0;
    HBITMAP hbm = CreateBitmapFromFileW(strOld.c_str(), &w, &h);
    EXPECT_NE(hbm, nullptr);
    EXPECT_EQ(w, 300);
    DeleteObject(hbm);
    DeleteFileW(strOld.c_str());
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((strFolder + L"\\*.tmp").c_str(), &fd);
    EXPECT_EQ(hFind, INVALID_HANDLE_VALUE) << "no half-written file is left behind";
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
    RemoveDirectoryW(strFolder.c_str());
}
