#include "RecordingBridge.h"

#include <gtest/gtest.h>

int CRecordingBridge::OfficeBegin(HWND, const RECT* prcInk) {
    EXPECT_NE(prcInk, nullptr);
    if (!prcInk)
        return 0;
    CBridgeCall call{"Begin", *prcInk};
    m_calls.push_back(call);
    m_hwndUnderInk.push_back(
        WindowFromPoint({(prcInk->left + prcInk->right) / 2, (prcInk->top + prcInk->bottom) / 2}));
    ++m_nOpenBegins;
    return m_nBeginsTaken-- > 0 ? m_nBeginResult : 0;
}

int CRecordingBridge::OfficeRect(const RECT* prcStroke, const POINT* ppt, int nCount, COLORREF cr,
                                 float fWidth, int bBehind) {
    EXPECT_EQ(m_nOpenBegins, 1) << "a polyline outside Begin and End";
    if (!prcStroke || !ppt || nCount <= 0)
        return 0;
    CBridgeCall call{"Rect", *prcStroke};
    call.points.assign(ppt, ppt + nCount);
    call.cr = cr;
    call.fWidth = fWidth;
    call.nFlag = bBehind;
    m_calls.push_back(call);
    return m_nRectsTaken-- > 0 ? 1 : 0;
}

int CRecordingBridge::OfficeEnd() {
    m_calls.push_back({"End"});
    const bool bWasOpen = m_nOpenBegins > 0;
    m_nOpenBegins = 0;
    return bWasOpen ? 1 : 0;
}

int CRecordingBridge::Insert(HWND hwndOwner, const RECT* prcInk, HDC hdc, HBITMAP hbm) {
    EXPECT_TRUE(IsWindow(hwndOwner));
    EXPECT_EQ(GetCurrentObject(hdc, OBJ_BITMAP), hbm) << "the bitmap must be selected in the DC";
    CBridgeCall call{"Insert", prcInk ? *prcInk : RECT{}};
    BITMAP bm{};
    if (GetObjectW(hbm, sizeof bm, &bm)) {
        call.size = {bm.bmWidth, bm.bmHeight};
        for (int y = 0; y < bm.bmHeight; ++y)
            for (int x = 0; x < bm.bmWidth; ++x)
                call.pixels.push_back(GetPixel(hdc, x, y));
    }
    m_calls.push_back(call);
    return m_nInsertResult;
}

std::string CRecordingBridge::Sequence() const {
    std::string str;
    for (const CBridgeCall& call : m_calls)
        str += (str.empty() ? "" : " ") + call.strName;
    return str;
}
