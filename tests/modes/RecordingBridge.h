// A stand-in for the Office bridge that records every call the canvas makes, with the points
// and the picture it hands over, and answers Begin, Rect and Insert as the test says. It is as
// strict as the bridge about what it takes: rectangles and points must be there, the picture must
// be a bitmap selected into the device context it comes with.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "InkBridge.h"

struct CBridgeCall {
    std::string strName;
    RECT rc{};
    std::vector<POINT> points;
    COLORREF cr = 0;
    float fWidth = 0;
    int nFlag = 0;
    // The picture of an Insert, top-down, one COLORREF per pixel.
    SIZE size{};
    std::vector<COLORREF> pixels;
    COLORREF Pixel(int x, int y) const { return pixels.at(size_t(y) * size.cx + x); }
};

class CRecordingBridge : public IInkBridge {
public:
    bool IsAvailable() const override { return m_bAvailable; }
    int OfficeBegin(HWND hwndOwner, const RECT* prcInk) override;
    int OfficeRect(const RECT* prcStroke, const POINT* ppt, int nCount, COLORREF cr, float fWidth,
                   int bBehind) override;
    int OfficeEnd() override;
    int Insert(HWND hwndOwner, const RECT* prcInk, HDC hdc, HBITMAP hbm) override;
    int RenderFormat(HWND, UINT) override { return 0; }
    int RenderFormatHtmlTimeOut(HWND) override { return 0; }

    // "Begin End Begin ..." for checking the order.
    std::string Sequence() const;

    std::vector<CBridgeCall> m_calls;
    int m_nBeginResult = 1;
    // Begins and polylines taken before the bridge starts refusing them; the answer to Insert.
    int m_nBeginsTaken = 1000;
    int m_nRectsTaken = 1000;
    int m_nInsertResult = 1;
    bool m_bAvailable = true;
    int m_nOpenBegins = 0;
    // Windows found under the ink's centre at each Begin (the overlay must be gone by then).
    std::vector<HWND> m_hwndUnderInk;
};
