#include "PreviewWnd.h"

#include <algorithm>
#include <string>

#include "FrameWnd.h"
#include "FrameworkIds.h"
#include "View.h"

namespace {
constexpr int kStripHeight = 32;
constexpr int kMargin = 12;
constexpr COLORREF kBackground = RGB(128, 128, 128);

struct CButton {
    UINT nID;
    const wchar_t* pszText;
};
constexpr CButton kButtons[] = {{CPreviewWnd::kPrint, L"&Print..."},
                                {CPreviewWnd::kNext, L"&Next Page"},
                                {CPreviewWnd::kPrev, L"Pre&v Page"},
                                {CPreviewWnd::kClose, L"&Close"}};
} // namespace

CPreviewWnd::CPreviewWnd(CView* pView, std::unique_ptr<CPrintInfo> pInfo)
    : m_pView(pView), m_pInfo(std::move(pInfo)), m_nPage(m_pInfo->GetMinPage()) {}

bool CPreviewWnd::Create(CFrameWnd* pFrame) {
    WNDCLASSEXW wc{};
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"QuilletPreview";
    if (!pFrame || !RegisterFrameworkClass(wc))
        return false;
    RECT rc{};
    GetClientRect(pFrame->m_hWnd, &rc);
    if (!CreateEx(0, L"QuilletPreview", L"Print Preview",
                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, rc.right,
                  rc.bottom, pFrame->m_hWnd, nullptr))
        return false;
    HFONT hFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int x = 6;
    for (const CButton& b : kButtons) {
        HWND hwnd = CreateWindowExW(
            0, L"BUTTON", b.pszText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, 4, 84, 24, m_hWnd,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(b.nID)), nullptr, nullptr);
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
        x += 90;
    }
    m_hwndPageText = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, x + 10, 9, 160, 20,
                                     m_hWnd, nullptr, nullptr, nullptr);
    SendMessageW(m_hwndPageText, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetFocus(m_hWnd);
    ShowPage(m_nPage);
    return true;
}

void CPreviewWnd::ShowPage(UINT nPage) {
    m_nPage = std::clamp(nPage, m_pInfo->GetMinPage(), m_pInfo->GetMaxPage());
    const std::wstring strText =
        L"Page " + std::to_wstring(m_nPage) + L" of " + std::to_wstring(m_pInfo->GetMaxPage());
    SetWindowTextW(m_hwndPageText, strText.c_str());
    EnableWindow(GetDlgItem(m_hWnd, kNext), m_nPage < m_pInfo->GetMaxPage());
    EnableWindow(GetDlgItem(m_hWnd, kPrev), m_nPage > m_pInfo->GetMinPage());
    m_sizeRendered = {0, 0};
    InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPreviewWnd::RenderPage(int cx, int cy) {
    HDC hdcPrinter = m_pInfo->m_hdcPrinter;
    const int nPageW = GetDeviceCaps(hdcPrinter, HORZRES),
              nPageH = GetDeviceCaps(hdcPrinter, VERTRES);
    if (nPageW <= 0 || nPageH <= 0 || cx <= 0 || cy <= 0)
        return;
    // The largest page of the paper's proportions that fits: the printer's units across and
    // down may differ in size.
    const int nAcross = nPageW * std::max(1, GetDeviceCaps(hdcPrinter, LOGPIXELSY));
    const int nDown = nPageH * std::max(1, GetDeviceCaps(hdcPrinter, LOGPIXELSX));
    int w = cx, h = MulDiv(cx, nDown, nAcross);
    if (h > cy) {
        h = cy;
        w = MulDiv(cy, nAcross, nDown);
    }
    CWindowDC screen(m_hWnd);
    m_bmPage.Reset(CreateCompatibleBitmap(screen.Get(), std::max(1, w), std::max(1, h)));
    CMemoryDC dc(screen.Get());
    {
        CSelectScope select(dc.Get(), m_bmPage.Get());
        const RECT rcAll{0, 0, w, h};
        FillRect(dc.Get(), &rcAll, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        // The printer's units mapped onto the bitmap: OnPrint draws exactly as for the printer.
        const int nSaved = SaveDC(dc.Get());
        SetMapMode(dc.Get(), MM_ANISOTROPIC);
        SetWindowExtEx(dc.Get(), nPageW, nPageH, nullptr);
        SetViewportExtEx(dc.Get(), w, h, nullptr);
        m_pInfo->m_nCurPage = m_nPage;
        m_pInfo->m_rectDraw = {0, 0, nPageW, nPageH};
        m_pView->OnPrint(dc.Get(), *m_pInfo);
        RestoreDC(dc.Get(), nSaved);
    }
    m_sizeRendered = {cx, cy};
    const int x = kMargin + (cx - w) / 2;
    m_rcPage = {x, kStripHeight + kMargin, x + w, kStripHeight + kMargin + h};
}

void CPreviewWnd::EnsureRendered() {
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    const int cx = rc.right - 2 * kMargin, cy = rc.bottom - kStripHeight - 2 * kMargin;
    if (cx != m_sizeRendered.cx || cy != m_sizeRendered.cy || !m_bmPage)
        RenderPage(cx, cy);
}

HBITMAP CPreviewWnd::PageImage() {
    EnsureRendered();
    return m_bmPage.Get();
}

void CPreviewWnd::OnPaint() {
    CPaintScope paint(m_hWnd);
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    EnsureRendered();
    COwnedBrush back(CreateSolidBrush(kBackground));
    RECT rcArea{0, kStripHeight, rc.right, rc.bottom};
    FillRect(paint.Get(), &rcArea, back.Get());
    RECT rcStrip{0, 0, rc.right, kStripHeight};
    FillRect(paint.Get(), &rcStrip, GetSysColorBrush(COLOR_BTNFACE));
    if (!m_bmPage)
        return;
    CMemoryDC dc(paint.Get());
    CSelectScope select(dc.Get(), m_bmPage.Get());
    BitBlt(paint.Get(), m_rcPage.left, m_rcPage.top, m_rcPage.right - m_rcPage.left,
           m_rcPage.bottom - m_rcPage.top, dc.Get(), 0, 0, SRCCOPY);
}

void CPreviewWnd::OnCommand(UINT nID) {
    switch (nID) {
    case kNext:
        ShowPage(m_nPage + 1);
        break;
    case kPrev:
        ShowPage(m_nPage - 1);
        break;
    case kPrint: {
        // As in any print preview: the preview closes and the print command runs.
        HWND hwndFrame = GetParent(m_hWnd);
        m_pView->EndPrintPreview();
        PostMessageW(hwndFrame, WM_COMMAND, ID_FILE_PRINT, 0);
        break;
    }
    case kClose:
        m_pView->EndPrintPreview();
        break;
    default:
        break;
    }
}

LRESULT CPreviewWnd::WindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        m_sizeRendered = {0, 0};
        InvalidateRect(m_hWnd, nullptr, FALSE);
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            OnCommand(kClose);
        else if (wParam == VK_NEXT || wParam == VK_RIGHT || wParam == VK_DOWN)
            OnCommand(kNext);
        else if (wParam == VK_PRIOR || wParam == VK_LEFT || wParam == VK_UP)
            OnCommand(kPrev);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(m_hWnd);
        return 0;
    default:
        return Default(uMsg, wParam, lParam);
    }
}
