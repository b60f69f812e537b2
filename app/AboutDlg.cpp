#include "AboutDlg.h"

#include "BitmapButton.h"
#include "FrameworkIds.h"
#include "Resources.h"
#include "ScrivoApp.h"
#include "Settings.h"
#include "resource.h"

const wchar_t* const g_pszNoticeYears = L"2024-2026";
const wchar_t* const g_pszVersion = L" 2.69";

namespace {
// HtmlHelpA of the system's HTML Help viewer.
using PFNHTMLHELPA = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kHHDisplayTopic = 0;
constexpr COLORREF kShadow = RGB(178, 178, 178);

// The viewer's entry point, loaded from "hhctrl.ocx" on first use and kept for the process.
PFNHTMLHELPA HtmlHelpEntry() {
    static PFNHTMLHELPA s_pfn = [] {
        HMODULE hModule = LoadLibraryA("hhctrl.ocx");
        return hModule ? reinterpret_cast<PFNHTMLHELPA>(GetProcAddress(hModule, "HtmlHelpA"))
                       : nullptr;
    }();
    return s_pfn;
}

bool UsesDialogFont() {
    const LANGID nLang = GetSystemDefaultLangID();
    return nLang == 1041 || nLang == 1049 || nLang == 1255;
}
} // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

std::wstring CAboutDlg::HelpFilePath() {
    return CScrivoApp::GetModuleDir() + L"\\help.chm";
}

void CAboutDlg::WinHelp(DWORD_PTR /*dwData*/, UINT nCmd) {
    if (nCmd != HELP_CONTEXT)
        return;
    PFNHTMLHELPA pfnHtmlHelp = HtmlHelpEntry();
    if (!pfnHtmlHelp)
        return;
    const std::wstring strPath = HelpFilePath();
    char szPath[MAX_PATH * 2] = {};
    WideCharToMultiByte(CP_ACP, 0, strPath.c_str(), -1, szPath, sizeof(szPath) - 1, nullptr,
                        nullptr);
    pfnHtmlHelp(nullptr, szPath, kHHDisplayTopic, 0);
}

BOOL CAboutDlg::OnInitDialog() {
    const UINT nPicture = settings::ReadAboutLogo() != 0 ? IDB_ABOUT_OTHER : IDB_ABOUT;
    m_bmPicture.Reset(LoadResBitmap(MAKEINTRESOURCEW(nPicture)));
    const SIZE size = BitmapSize(m_bmPicture.Get());
    if (size.cx > 0)
        SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

void CAboutDlg::OnPaint() {
    CPaintScope paint(m_hWnd);
    HDC hdc = paint.Get();
    DrawBitmap(hdc, m_bmPicture.Get());
    COwnedFont font(CreateFontW(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                VARIABLE_PITCH | FF_SWISS, L"Times New Roman"));
    static_assert((VARIABLE_PITCH | FF_SWISS) == 0x22 && OUT_TT_PRECIS == 4 && PROOF_QUALITY == 2);
    HGDIOBJ hOldFont = UsesDialogFont() ? nullptr : SelectObject(hdc, font.Get());
    SetBkMode(hdc, TRANSPARENT);
    SetTextAlign(hdc, TA_CENTER);
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    const int x = (rc.left + rc.right) / 2;
    const std::wstring lines[3] = {LoadResString(IDS_APP_TITLE) + L" & " +
                                       LoadResString(IDS_INKING_TITLE),
                                   LoadResString(IDS_NOTICE) + L" " + g_pszNoticeYears,
                                   LoadResString(IDS_VERSION) + g_pszVersion};
    const int y[3] = {30, 50, 100};
    for (int i = 0; i < 3; ++i) {
        SetTextColor(hdc, kShadow);
        TextOutW(hdc, x + 2, y[i] + 1, lines[i].c_str(), static_cast<int>(lines[i].size()));
        SetTextColor(hdc, RGB(0, 0, 0));
        TextOutW(hdc, x, y[i], lines[i].c_str(), static_cast<int>(lines[i].size()));
    }
    if (hOldFont)
        SelectObject(hdc, hOldFont);
}

INT_PTR CAboutDlg::DialogProc(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_LBUTTONDOWN:
        WinHelp(0, HELP_CONTEXT);
        EndDialog(IDOK);
        return FALSE;
    case WM_DESTROY:
        m_bmPicture.Reset();
        return FALSE;
    default:
        return CDialog::DialogProc(uMsg, wParam, lParam);
    }
}
