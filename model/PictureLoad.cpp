// Loading a picture from a file: uncompressed BMP files are read here (CBmpReader), JPEG files,
// run-length BMP files and the old core header by the image library.
#include <algorithm>
#include <cstdlib>

#include "DibFormat.h"
#include "FileHandle.h"
#include "FrameworkIds.h"
#include "GdiObjects.h"
#include "Message.h"
#include "Resources.h"
#include "Picture.h"
#include "kvofunc.h"

namespace {

using BmpCheck = CPicture::ELoad;

void ShowLoadMessage(BmpCheck check) {
    switch (check) {
    case BmpCheck::Ok:
        break;
    case BmpCheck::TooSmall:
        ShowMessage(nullptr, L"Too small buffer size", L"OpenPicture", MB_OK);
        break;
    case BmpCheck::TooLarge:
        ShowMessage(nullptr, CPicture::TooLargeText(), LoadResString(IDS_APP_TITLE),
                    MB_OK | MB_ICONEXCLAMATION);
        break;
    default:
        ShowMessage(nullptr, L"No Suppost This File Type!", LoadResString(IDS_APP_TITLE),
                    MB_OK | MB_ICONEXCLAMATION);
        break;
    }
}

void FreeBlock(HGLOBAL hMem) {
    if (hMem) {
        GlobalUnlock(hMem);
        GlobalFree(hMem);
    }
}

} // namespace

std::wstring CPicture::TooLargeText() {
    return L"This picture is too large to place on a note: a picture may have at most 8192 x 8192 "
           L"pixels.";
}

bool CPicture::Load(const std::wstring& strPath) {
    FreeImage();
    m_nWidth = m_nHeight = 0;
    std::wstring strUpper = strPath;
    CharUpperBuffW(strUpper.data(), static_cast<DWORD>(strUpper.size()));
    // What cannot be read is said so, also for a JPEG: a picture without an image would show
    // nothing and could not be saved.
    ShowLoadMessage(strUpper.find(L"JPG") != std::wstring::npos ? ReadWithLibrary(strPath)
                                                                : LoadBmp(strPath));
    m_rc = m_rcDrag = {0, 0, m_nWidth, m_nHeight};
    return m_hBitmap != nullptr;
}

CPicture::ELoad CPicture::ReadWithLibrary(const std::wstring& strPath) {
    int nWidth = 0, nHeight = 0;
    SetLastError(ERROR_SUCCESS);
    HBITMAP hbm = CreateBitmapFromFileW(strPath.c_str(), &nWidth, &nHeight);
    if (!hbm || nWidth <= 0 || nHeight <= 0) {
        const bool bTooLarge = !hbm && GetLastError() == ERROR_NOT_ENOUGH_MEMORY;
        if (hbm)
            DeleteObject(hbm);
        return bTooLarge ? BmpCheck::TooLarge : BmpCheck::NotSupported;
    }
    m_hBitmap = hbm;
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    return BmpCheck::Ok;
}

CPicture::ELoad CPicture::LoadBmp(const std::wstring& strPath) {
    CFileHandle file(CFileHandle::OpenToRead(strPath));
    BITMAPFILEHEADER bfh{};
    const std::int64_t nFileSize = file.Size();
    static_assert(sizeof(BITMAPFILEHEADER) == 14, "the file header is 14 bytes");
    if (nFileSize < 14 || !file.Read(&bfh, 14) || bfh.bfType != 0x4D42) // "BM"
        return BmpCheck::NotSupported;
    const std::int64_t nDataSize = nFileSize - 14;
    // Bound what a file can make us hold: the largest picture at 32 bits plus its header.
    if (nDataSize > kMaxPixels * 4 + 0x10000)
        return BmpCheck::TooLarge;
    HGLOBAL hMem =
        nDataSize > 0 ? GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(nDataSize)) : nullptr;
    auto* pbmi = hMem ? static_cast<BITMAPINFO*>(GlobalLock(hMem)) : nullptr;
    BmpCheck check = BmpCheck::TooSmall;
    CBmpReader reader(pbmi, nDataSize);
    if (pbmi && file.Read(pbmi, static_cast<DWORD>(nDataSize)))
        check = reader.Check(kMaxPixels);
    if (check == BmpCheck::Library)
        check = ReadWithLibrary(strPath);
    if (check != BmpCheck::Ok) {
        FreeBlock(hMem);
        return check;
    }
    m_pDib = hMem;
    m_pbmi = pbmi;
    m_bFromBmp = 1;
    if (m_hBitmap)
        return check;
    m_nWidth = pbmi->bmiHeader.biWidth;
    m_nHeight = std::abs(pbmi->bmiHeader.biHeight);
    // Every depth and header becomes plain 32-bit rows from the top down, which GDI reads alike
    // everywhere.
    const std::vector<std::uint32_t> pixels = reader.ReadPixels();
    const BITMAPINFO bmi = DibHeader(m_nWidth, -m_nHeight, 32);
    CWindowDC dcScreen(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(dcScreen.Get(), m_nWidth, m_nHeight);
    if (hbm && SetDIBits(dcScreen.Get(), hbm, 0, m_nHeight, pixels.data(), &bmi, DIB_RGB_COLORS) !=
                   m_nHeight) {
        DeleteObject(hbm);
        hbm = nullptr;
    }
    m_hBitmap = hbm;
    return hbm ? BmpCheck::Ok : BmpCheck::NotSupported;
}
