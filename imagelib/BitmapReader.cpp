// CreateBitmapFromFile: decodes the first frame of an image file into a screen-compatible bitmap.
#include "AttachmentWriter.h"
#include "DibFormat.h"
#include "ImageProbe.h"
#include "WicSession.h"
#include "kvofunc.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Premultiplied pixels laid over white: transparent parts of a PNG or GIF come out white.
void FlattenOnWhite(std::vector<BYTE>& bits) {
    for (size_t i = 0; i + 3 < bits.size(); i += 4) {
        const BYTE nAlpha = bits[i + 3];
        for (size_t c = 0; c < 3; ++c)
            bits[i + c] = static_cast<BYTE>(std::min(255, bits[i + c] + 255 - nAlpha));
        bits[i + 3] = 0;
    }
}

// The whole file, or nothing when it cannot be read or is larger than any image we accept.
bool ReadWholeFile(const std::wstring& strPath, std::vector<std::uint8_t>& data) {
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool bOk = GetFileSizeEx(hFile, &size) && size.QuadPart > 0;
    const bool bTooLarge = bOk && size.QuadPart > KVOFUNC_MAX_PIXELS * 4 + 0x10000;
    bOk = bOk && !bTooLarge;
    if (bOk) {
        data.resize(static_cast<size_t>(size.QuadPart));
        DWORD dwRead = 0;
        bOk = ReadFile(hFile, data.data(), static_cast<DWORD>(data.size()), &dwRead, nullptr) &&
              dwRead == data.size();
    }
    CloseHandle(hFile);
    if (bTooLarge)
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return bOk;
}

bool SizeAcceptable(std::uint32_t nWidth, std::uint32_t nHeight) {
    return nWidth != 0 && nHeight != 0 && nWidth <= 0x7FFF && nHeight <= 0x7FFF &&
           static_cast<long long>(nWidth) * nHeight <= KVOFUNC_MAX_PIXELS;
}

bool DecodeFile(IWICImagingFactory* pFactory, std::vector<std::uint8_t>& data, UINT& nWidth,
                UINT& nHeight, std::vector<BYTE>& bits) {
    ComPtr<IWICStream> pStream;
    ComPtr<IWICBitmapDecoder> pDecoder;
    ComPtr<IWICBitmapFrameDecode> pFrame;
    if (FAILED(pFactory->CreateStream(&pStream)) ||
        FAILED(pStream->InitializeFromMemory(data.data(), static_cast<DWORD>(data.size()))) ||
        FAILED(pFactory->CreateDecoderFromStream(pStream.Get(), nullptr,
                                                 WICDecodeMetadataCacheOnDemand, &pDecoder)) ||
        FAILED(pDecoder->GetFrame(0, &pFrame)) || FAILED(pFrame->GetSize(&nWidth, &nHeight)) ||
        !SizeAcceptable(nWidth, nHeight))
        return false;
    ComPtr<IWICFormatConverter> pConverter;
    if (FAILED(pFactory->CreateFormatConverter(&pConverter)) ||
        FAILED(pConverter->Initialize(pFrame.Get(), GUID_WICPixelFormat32bppPBGRA,
                                      WICBitmapDitherTypeNone, nullptr, 0.0,
                                      WICBitmapPaletteTypeCustom)))
        return false;
    bits.resize(static_cast<size_t>(nWidth) * nHeight * 4);
    if (FAILED(pConverter->CopyPixels(nullptr, nWidth * 4, static_cast<UINT>(bits.size()),
                                      bits.data())))
        return false;
    FlattenOnWhite(bits);
    return true;
}

HBITMAP MakeScreenBitmap(UINT nWidth, UINT nHeight, const std::vector<BYTE>& bits) {
    HDC hdcScreen = GetDC(nullptr);
    if (!hdcScreen)
        return nullptr;
    HBITMAP hbm =
        CreateCompatibleBitmap(hdcScreen, static_cast<int>(nWidth), static_cast<int>(nHeight));
    const BITMAPINFO bmi = DibHeader(static_cast<LONG>(nWidth), -static_cast<LONG>(nHeight), 32);
    if (hbm && SetDIBits(hdcScreen, hbm, 0, nHeight, bits.data(), &bmi, DIB_RGB_COLORS) !=
                   static_cast<int>(nHeight)) {
        DeleteObject(hbm);
        hbm = nullptr;
    }
    ReleaseDC(nullptr, hdcScreen);
    return hbm;
}

} // namespace

std::wstring WidePath(LPCSTR pszPath) {
    if (!pszPath)
        return {};
    int n = MultiByteToWideChar(CP_ACP, 0, pszPath, -1, nullptr, 0);
    if (n <= 1)
        return {};
    std::wstring str(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, pszPath, -1, str.data(), n);
    str.resize(static_cast<size_t>(n - 1));
    return str;
}

HBITMAP ReadBitmapFile(const std::wstring& strPath, int& nWidth, int& nHeight) {
    nWidth = nHeight = 0;
    if (strPath.empty())
        return nullptr;
    std::vector<std::uint8_t> data;
    if (!ReadWholeFile(strPath, data))
        return nullptr;
    // The size comes from the file's header: check it before a decoder allocates anything for it.
    std::uint32_t nProbedWidth = 0, nProbedHeight = 0;
    if (!ProbeImageSize(data, nProbedWidth, nProbedHeight))
        return nullptr;
    if (!SizeAcceptable(nProbedWidth, nProbedHeight)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    CWicSession wic;
    if (!wic.Factory())
        return nullptr;
    UINT nW = 0, nH = 0;
    std::vector<BYTE> bits;
    if (!DecodeFile(wic.Factory(), data, nW, nH, bits))
        return nullptr;
    HBITMAP hbm = MakeScreenBitmap(nW, nH, bits);
    if (hbm) {
        nWidth = static_cast<int>(nW);
        nHeight = static_cast<int>(nH);
    }
    return hbm;
}
