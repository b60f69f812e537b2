#include "InkBridge.h"

namespace {
template <class F> void Bind(HMODULE hModule, const char* pszName, F& pfn) {
    pfn = hModule ? reinterpret_cast<F>(GetProcAddress(hModule, pszName)) : nullptr;
}
} // namespace

CBrevixBridge::CBrevixBridge() : m_hModule(LoadLibraryW(L"Brevix.dll")) {
    Bind(m_hModule, "Brevix_Office_Begin", m_pfnBegin);
    Bind(m_hModule, "Brevix_Office_Rect", m_pfnRect);
    Bind(m_hModule, "Brevix_Office_End", m_pfnEnd);
    Bind(m_hModule, "Brevix_Insert", m_pfnInsert);
    Bind(m_hModule, "Brevix_RenderFormat", m_pfnRender);
    Bind(m_hModule, "Brevix_RenderFormatHTML_TimeOut", m_pfnTimeOut);
}

bool CBrevixBridge::IsAvailable() const {
    return m_pfnBegin && m_pfnRect && m_pfnEnd && m_pfnInsert && m_pfnRender && m_pfnTimeOut;
}

int CBrevixBridge::OfficeBegin(HWND hwndOwner, const RECT* prcInk) {
    return m_pfnBegin ? m_pfnBegin(hwndOwner, prcInk) : 0;
}

int CBrevixBridge::OfficeRect(const RECT* prcStroke, const POINT* ppt, int nCount, COLORREF cr,
                              float fWidth, int bBehind) {
    return m_pfnRect ? m_pfnRect(prcStroke, ppt, nCount, cr, fWidth, bBehind) : 0;
}

int CBrevixBridge::OfficeEnd() {
    return m_pfnEnd ? m_pfnEnd() : 0;
}

int CBrevixBridge::Insert(HWND hwndOwner, const RECT* prcInk, HDC hdc, HBITMAP hbm) {
    return m_pfnInsert ? m_pfnInsert(hwndOwner, prcInk, hdc, hbm) : 0;
}

int CBrevixBridge::RenderFormat(HWND hwndOwner, UINT uFormat) {
    return m_pfnRender ? m_pfnRender(hwndOwner, uFormat) : 0;
}

int CBrevixBridge::RenderFormatHtmlTimeOut(HWND hwndOwner) {
    return m_pfnTimeOut ? m_pfnTimeOut(hwndOwner) : 0;
}
