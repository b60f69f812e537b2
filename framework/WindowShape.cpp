#include "WindowShape.h"

#include <vector>

#include "BitmapButton.h"
#include "GdiObjects.h"

HRGN BitmapToRegion(HBITMAP hbm, COLORREF crTransparent) {
    const std::vector<DWORD> pixels = BitmapBits(hbm);
    if (pixels.empty())
        return nullptr;
    const SIZE size = BitmapSize(hbm);
    // GetDIBits gives 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    const DWORD dwTransparent =
        GetRValue(crTransparent) << 16 | GetGValue(crTransparent) << 8 | GetBValue(crTransparent);
    // All runs go into one region record, built in one call.
    std::vector<RECT> runs;
    for (LONG y = size.cy - 1; y >= 0; --y) {
        const DWORD* pRow = pixels.data() + static_cast<size_t>(y) * size.cx;
        for (LONG x = 0; x < size.cx;) {
            while (x < size.cx && (pRow[x] & 0xFFFFFF) == dwTransparent)
                ++x;
            const LONG xStart = x;
            while (x < size.cx && (pRow[x] & 0xFFFFFF) != dwTransparent)
                ++x;
            if (x > xStart)
                runs.push_back({xStart, y, x, y + 1});
        }
    }
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* pData = reinterpret_cast<RGNDATA*>(data.data());
    pData->rdh.dwSize = sizeof(RGNDATAHEADER);
    pData->rdh.iType = RDH_RECTANGLES;
    pData->rdh.nCount = static_cast<DWORD>(runs.size());
    pData->rdh.rcBound = {0, 0, size.cx, size.cy};
    if (!runs.empty())
        memcpy(pData->Buffer, runs.data(), runs.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), pData);
}

bool ShapeWindow(HWND hwnd, UINT nIDBitmap, COLORREF crTransparent) {
    COwnedBitmap bitmap(LoadResBitmap(MAKEINTRESOURCEW(nIDBitmap)));
    COwnedRgn rgn(BitmapToRegion(bitmap.Get(), crTransparent));
    if (!rgn || !hwnd)
        return false;
    // The window owns the region from here on.
    if (!SetWindowRgn(hwnd, rgn.Get(), TRUE))
        return false;
    rgn.Detach();
    return true;
}
