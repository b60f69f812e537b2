// The document's share of desktop mode: the mail picture, which shows the part of the screen
// that the ink covers, widened to the windows the ink lies on, with the ink drawn over it.
#include "ScrivoDoc.h"

#include <algorithm>

#include "FrameWnd.h"
#include "GdiObjects.h"
#include "Message.h"
#include "Resources.h"
#include "kvofunc.h"
#include "resource.h"

namespace {
// Whether a window takes part in the mail area: shown, usable, titled, and not the program's own.
bool CountsForMail(HWND hwnd) {
    if (IsIconic(hwnd) || !IsWindowEnabled(hwnd) || !IsWindowVisible(hwnd))
        return false;
    DWORD dwProcess = 0;
    GetWindowThreadProcessId(hwnd, &dwProcess);
    if (dwProcess == GetCurrentProcessId())
        return false;
    wchar_t szTitle[64] = {};
    GetWindowTextW(hwnd, szTitle, 64);
    return szTitle[0] != 0 && lstrcmpW(szTitle, L"Program Manager") != 0;
}
} // namespace

RECT CScrivoDoc::MailArea(bool bInk, const RECT& rcInk) {
    if (!bInk)
        return {};
    const SIZE screen = GetScreenSize();
    const RECT rcScreen = {0, 0, screen.cx, screen.cy};
    // The samples' bounds, widened by the pen around them (a straight line has no height).
    RECT rcArea = rcInk;
    InflateRect(&rcArea, 5, 5);
    IntersectRect(&rcArea, &rcArea, &rcScreen);
    for (HWND hwnd = GetTopWindow(nullptr); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
        RECT rcWindow{}, rcMeet{};
        if (!CountsForMail(hwnd) || !GetWindowRect(hwnd, &rcWindow) ||
            !IntersectRect(&rcMeet, &rcWindow, &rcArea))
            continue;
        UnionRect(&rcArea, &rcArea, &rcWindow);
        IntersectRect(&rcArea, &rcArea, &rcScreen);
    }
    return rcArea;
}

bool CScrivoDoc::SaveDesktopForMail(const std::wstring& strPath) {
    IScrivoCanvas* pCanvas = GetCanvas();
    const RECT rc = MailArea(m_lines.GetCount() > 0, m_lines.GetBound());
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (!pCanvas || cx <= 0 || cy <= 0) {
        HWND hwndOwner = GetFrame() ? GetFrame()->m_hWnd : nullptr;
        ShowMessage(hwndOwner, L"Mail must be sent with written script",
                    LoadResString(IDS_INFORMATION), MB_ICONEXCLAMATION);
        return false;
    }
    CWindowDC screen(nullptr);
    COwnedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), cx, cy));
    CMemoryDC dc(screen.Get());
    bool bOk = bitmap && dc;
    if (bOk) {
        CSelectScope select(dc.Get(), bitmap.Get());
        // The ink goes on the screen it was written over, as desktop mode froze it.
        HDC hdcGround = pCanvas->GetDesktopImage() ? pCanvas->GetDesktopImage() : screen.Get();
        BitBlt(dc.Get(), 0, 0, cx, cy, hdcGround, rc.left, rc.top, SRCCOPY);
        SetViewportOrgEx(dc.Get(), -rc.left, -rc.top, nullptr);
        m_lines.DrawInRect(dc.Get(), rc);
        SetViewportOrgEx(dc.Get(), 0, 0, nullptr);
        const CNotePaper paper = pCanvas->GetPaper();
        bOk = CreateAttachmentW(dc.Get(), bitmap.Get(), strPath.c_str(), m_nImageFormat,
                                paper.crBack, paper.crLine) != FALSE;
    }
    if (!bOk)
        ReportFileError(EFileError::SaveFailed, strPath);
    return bOk;
}
