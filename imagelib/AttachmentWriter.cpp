// CreateAttachment: copies the bitmap's pixels out of its device context, encodes them in memory,
// writes them beside the file and only then replaces the file.
#include "AttachmentWriter.h"

#include "DibFormat.h"
#include "WicSession.h"
#include "kvofunc.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

namespace {

// A 32-bit top-down copy of the bitmap's pixels.
struct CPixels {
    UINT nWidth = 0;
    UINT nHeight = 0;
    std::vector<BYTE> bits;
};

bool CopyPixels(HDC hdc, HBITMAP hbm, CPixels& px) {
    BITMAP bm{};
    if (!GetObjectW(hbm, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    if (static_cast<long long>(bm.bmWidth) * bm.bmHeight > KVOFUNC_MAX_PIXELS)
        return false;

    // Read from the caller's context when the bitmap is selected there; otherwise select it
    // into one of our own.
    CLibDC dcOwn(nullptr);
    HDC hdcSrc = hdc;
    std::unique_ptr<CLibSelect> pSelect;
    if (!hdc || GetCurrentObject(hdc, OBJ_BITMAP) != hbm) {
        pSelect = std::make_unique<CLibSelect>(dcOwn.Get(), hbm);
        if (!pSelect->Selected())
            return false;
        hdcSrc = dcOwn.Get();
    }

    // Top-down, as WIC wants its rows.
    const BITMAPINFO bmi = DibHeader(bm.bmWidth, -bm.bmHeight, 32);
    void* pvBits = nullptr;
    HBITMAP hDib = CreateDIBSection(hdcSrc, &bmi, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (!hDib)
        return false;
    CLibDC dcDib(hdcSrc);
    bool bOk = false;
    {
        CLibSelect sel(dcDib.Get(), hDib);
        bOk = sel.Selected() &&
              BitBlt(dcDib.Get(), 0, 0, bm.bmWidth, bm.bmHeight, hdcSrc, 0, 0, SRCCOPY);
        GdiFlush();
        if (bOk) {
            px.nWidth = static_cast<UINT>(bm.bmWidth);
            px.nHeight = static_cast<UINT>(bm.bmHeight);
            const BYTE* pb = static_cast<const BYTE*>(pvBits);
            px.bits.assign(pb, pb + static_cast<size_t>(px.nWidth) * px.nHeight * 4);
        }
    }
    DeleteObject(hDib);
    return bOk;
}

WICColor ToWicColor(COLORREF cr) {
    return 0xFF000000u | (static_cast<WICColor>(GetRValue(cr)) << 16) |
           (static_cast<WICColor>(GetGValue(cr)) << 8) | GetBValue(cr);
}

// The image's own colours when there are at most 256 of them (with the paper and line colours
// among them); empty when there are more.
std::vector<WICColor> ExactColours(const CPixels& px, COLORREF crPaper, COLORREF crLine) {
    std::unordered_set<WICColor> seen{ToWicColor(crPaper), ToWicColor(crLine)};
    for (size_t i = 0; i + 3 < px.bits.size() && seen.size() <= 256; i += 4) {
        seen.insert(0xFF000000u | (static_cast<WICColor>(px.bits[i + 2]) << 16) |
                    (static_cast<WICColor>(px.bits[i + 1]) << 8) | px.bits[i]);
    }
    if (seen.size() > 256)
        return {};
    return {seen.begin(), seen.end()};
}

// A palette for the GIF: the image's exact colours when they fit, otherwise 254 colours drawn
// from the image plus the paper and line colours as exact entries.
ComPtr<IWICPalette> MakeGifPalette(IWICImagingFactory* pFactory, IWICBitmap* pSource,
                                   const CPixels& px, COLORREF crPaper, COLORREF crLine) {
    ComPtr<IWICPalette> pPalette;
    if (FAILED(pFactory->CreatePalette(&pPalette)))
        return nullptr;
    std::vector<WICColor> colors = ExactColours(px, crPaper, crLine);
    if (colors.empty()) {
        UINT nCount = 0;
        colors.resize(256);
        if (FAILED(pPalette->InitializeFromBitmap(pSource, 254, FALSE)) ||
            FAILED(pPalette->GetColors(254, colors.data(), &nCount)))
            return nullptr;
        colors.resize(nCount);
        for (COLORREF cr : {crPaper, crLine}) {
            WICColor c = ToWicColor(cr);
            if (std::find(colors.begin(), colors.end(), c) == colors.end())
                colors.push_back(c);
        }
    }
    if (FAILED(pPalette->InitializeCustom(colors.data(), static_cast<UINT>(colors.size()))))
        return nullptr;
    return pPalette;
}

const GUID* ContainerFor(int nFormat) {
    switch (nFormat) {
    case 0:
        return &GUID_ContainerFormatGif;
    case 1:
        return &GUID_ContainerFormatJpeg;
    case 2:
        return &GUID_ContainerFormatPng;
    default:
        return nullptr;
    }
}

// Encodes the pixels into an in-memory stream.
ComPtr<IStream> Encode(IWICImagingFactory* pFactory, CPixels& px, int nFormat, COLORREF crPaper,
                       COLORREF crLine) {
    ComPtr<IWICBitmap> pSource;
    if (FAILED(pFactory->CreateBitmapFromMemory(px.nWidth, px.nHeight, GUID_WICPixelFormat32bppBGR,
                                                px.nWidth * 4, static_cast<UINT>(px.bits.size()),
                                                px.bits.data(), &pSource)))
        return nullptr;
    ComPtr<IWICPalette> pPalette;
    if (nFormat == 0 && !(pPalette = MakeGifPalette(pFactory, pSource.Get(), px, crPaper, crLine)))
        return nullptr;

    ComPtr<IStream> pStream;
    ComPtr<IWICBitmapEncoder> pEncoder;
    ComPtr<IWICBitmapFrameEncode> pFrame;
    ComPtr<IPropertyBag2> pProps;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &pStream)) ||
        FAILED(pFactory->CreateEncoder(*ContainerFor(nFormat), nullptr, &pEncoder)) ||
        FAILED(pEncoder->Initialize(pStream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(pEncoder->CreateNewFrame(&pFrame, &pProps)) ||
        FAILED(pFrame->Initialize(pProps.Get())) || FAILED(pFrame->SetSize(px.nWidth, px.nHeight)))
        return nullptr;

    WICPixelFormatGUID pf =
        nFormat == 0 ? GUID_WICPixelFormat8bppIndexed : GUID_WICPixelFormat24bppBGR;
    if (FAILED(pFrame->SetPixelFormat(&pf)))
        return nullptr;
    const bool bIndexed = IsEqualGUID(pf, GUID_WICPixelFormat8bppIndexed);
    if (bIndexed && !pPalette)
        return nullptr;
    if (bIndexed && FAILED(pFrame->SetPalette(pPalette.Get())))
        return nullptr;

    ComPtr<IWICFormatConverter> pConverter;
    if (FAILED(pFactory->CreateFormatConverter(&pConverter)) ||
        FAILED(pConverter->Initialize(pSource.Get(), pf, WICBitmapDitherTypeNone,
                                      bIndexed ? pPalette.Get() : nullptr, 0.0,
                                      WICBitmapPaletteTypeCustom)) ||
        FAILED(pFrame->WriteSource(pConverter.Get(), nullptr)) || FAILED(pFrame->Commit()) ||
        FAILED(pEncoder->Commit()))
        return nullptr;
    return pStream;
}

// The folder of a path, for a new file beside it ("." for a bare name).
std::wstring FolderOf(const std::wstring& strPath) {
    const std::wstring::size_type n = strPath.find_last_of(L"\\/");
    if (n == std::wstring::npos)
        return L".";
    return strPath.substr(0, n + 1);
}

bool WriteWholeFile(const wchar_t* pszPath, const void* pv, DWORD dwSize) {
    HANDLE hFile = CreateFileW(pszPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    bool bOk = WriteFile(hFile, pv, dwSize, &dwWritten, nullptr) && dwWritten == dwSize &&
               FlushFileBuffers(hFile);
    return CloseHandle(hFile) && bOk;
}

// Writes the stream's bytes to a new file beside the target and moves it over the target only
// when every byte is on the disk; on failure the new file goes and the target stays as it was.
bool WriteStreamToFile(IStream* pStream, const std::wstring& strPath) {
    STATSTG st{};
    if (FAILED(pStream->Stat(&st, STATFLAG_NONAME)) || st.cbSize.QuadPart == 0 ||
        st.cbSize.QuadPart > 0x7FFFFFFF)
        return false;
    HGLOBAL hg = nullptr;
    if (FAILED(GetHGlobalFromStream(pStream, &hg)))
        return false;
    wchar_t szTemp[MAX_PATH * 2] = {};
    if (!GetTempFileNameW(FolderOf(strPath).c_str(), L"kvo", 0, szTemp))
        return false;
    const void* pv = GlobalLock(hg);
    bool bOk = pv && WriteWholeFile(szTemp, pv, static_cast<DWORD>(st.cbSize.QuadPart));
    if (pv)
        GlobalUnlock(hg);
    bOk = bOk &&
          MoveFileExW(szTemp, strPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!bOk)
        DeleteFileW(szTemp);
    return bOk;
}

} // namespace

bool WriteAttachment(HDC hdc, HBITMAP hbm, const std::wstring& strPath, int nFormat,
                     COLORREF crPaper, COLORREF crLine) {
    if (!hbm || strPath.empty() || !ContainerFor(nFormat))
        return false;
    CPixels px;
    if (!CopyPixels(hdc, hbm, px))
        return false;
    CWicSession wic;
    if (!wic.Factory())
        return false;
    ComPtr<IStream> pStream = Encode(wic.Factory(), px, nFormat, crPaper, crLine);
    return pStream && WriteStreamToFile(pStream.Get(), strPath);
}
