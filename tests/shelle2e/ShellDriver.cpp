#include "ShellDriver.h"

std::vector<COLORREF> WindowPixels(HWND hwnd) {
    RECT rc{};
    GetClientRect(hwnd, &rc);
    POINT pt{0, 0};
    ClientToScreen(hwnd, &pt);
    HDC hdcScreen = GetDC(nullptr);
    HDC hdc = CreateCompatibleDC(hdcScreen);
    HBITMAP hbm = CreateCompatibleBitmap(hdcScreen, rc.right, rc.bottom);
    HGDIOBJ hOld = SelectObject(hdc, hbm);
    BitBlt(hdc, 0, 0, rc.right, rc.bottom, hdcScreen, pt.x, pt.y, SRCCOPY);
    SelectObject(hdc, hOld);
    std::vector<COLORREF> pixels = BitmapPixels(hbm);
    DeleteObject(hbm);
    DeleteDC(hdc);
    ReleaseDC(nullptr, hdcScreen);
    return pixels;
}

std::vector<COLORREF> BitmapPixels(HBITMAP hbm) {
    BITMAP bm{};
    if (!hbm || !GetObjectW(hbm, sizeof(bm), &bm))
        return {};
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB};
    std::vector<DWORD> raw(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC hdc = CreateCompatibleDC(nullptr);
    GetDIBits(hdc, hbm, 0, bm.bmHeight, raw.data(), &bmi, DIB_RGB_COLORS);
    DeleteDC(hdc);
    std::vector<COLORREF> pixels;
    pixels.reserve(raw.size());
    for (DWORD px : raw)
        pixels.push_back(RGB(px >> 16 & 0xFF, px >> 8 & 0xFF, px & 0xFF));
    return pixels;
}

CShellDriver::CShellDriver(CPenSession& session, const std::wstring& strResources)
    : m_session(session) {
    m_hResources = LoadLibraryExW(strResources.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

CShellDriver::~CShellDriver() {
    if (m_hResources)
        FreeLibrary(m_hResources);
}

HWND CShellDriver::Bar() const {
    return ToolBarOf(m_session.m_hFrame);
}

HWND CShellDriver::Panel() const {
    return PanelOf(m_session.m_hFrame);
}

HWND CShellDriver::ButtonOf(HWND hwndBar, UINT nID) {
    for (HWND hwnd = GetWindow(hwndBar, GW_CHILD); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(hwnd) == static_cast<int>(nID) &&
            lstrcmpiW(WindowClass(hwnd).c_str(), L"Button") == 0)
            return hwnd;
    }
    return nullptr;
}

void CShellDriver::ClickAt(HWND hwndBar, int x, int y) const {
    MouseClick(ClientPoint(hwndBar, x, y));
}

HWND CShellDriver::Popup() const {
    return DialogWithChild(32799);
}

HWND CShellDriver::DialogWithChild(int nChildId) const {
    return FindProcessWindow(m_session.m_program.ProcessId(), [&](HWND hwnd) {
        return WindowClass(hwnd) == L"#32770" && GetDlgItem(hwnd, nChildId);
    });
}

std::vector<COLORREF> CShellDriver::Bitmap(UINT nID) const {
    return Bitmap(MAKEINTRESOURCEW(nID));
}

std::vector<COLORREF> CShellDriver::Bitmap(const wchar_t* pszName) const {
    HBITMAP hbm = static_cast<HBITMAP>(
        LoadImageW(m_hResources, pszName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    std::vector<COLORREF> pixels = BitmapPixels(hbm);
    if (hbm)
        DeleteObject(hbm);
    return pixels;
}

bool CShellDriver::WaitForImage(HWND hwnd, UINT nBitmap, DWORD nMs) const {
    const std::vector<COLORREF> expected = Bitmap(nBitmap);
    return !expected.empty() && WaitUntil([&] { return WindowPixels(hwnd) == expected; }, nMs);
}

COLORREF CShellDriver::PixelAt(HWND hwnd, int x, int y) {
    const POINT pt = ClientPoint(hwnd, x, y);
    HDC hdc = GetDC(nullptr);
    const COLORREF cr = GetPixel(hdc, pt.x, pt.y);
    ReleaseDC(nullptr, hdc);
    return cr;
}

HWND CShellDriver::VisibleTip(const std::wstring& strText) const {
    return FindProcessWindow(m_session.m_program.ProcessId(), [&](HWND hwnd) {
        return lstrcmpiW(WindowClass(hwnd).c_str(), L"tooltips_class32") == 0 &&
               IsWindowVisible(hwnd) && WindowText(hwnd) == strText;
    });
}

RECT CShellDriver::RectIn(HWND hwndParent, HWND hwndChild) {
    RECT rc{};
    GetWindowRect(hwndChild, &rc);
    MapWindowPoints(nullptr, hwndParent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
