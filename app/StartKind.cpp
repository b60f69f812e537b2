#include "StartKind.h"

#include <algorithm>

namespace {
HANDLE g_hStartEvent = nullptr;
} // namespace

EStartKind ClassifyStart(const std::vector<std::wstring>& args) {
    std::vector<std::wstring> upper = args;
    for (std::wstring& str : upper)
        if (!str.empty())
            CharUpperBuffW(str.data(), static_cast<DWORD>(str.size()));
    const auto has = [&upper](auto pred) { return std::any_of(upper.begin(), upper.end(), pred); };
    if (has([](const std::wstring& str) { return str.find(L"JXM") != std::wstring::npos; }))
        return EStartKind::Jxm;
    if (has([](const std::wstring& str) { return str == L"LETTER"; }))
        return EStartKind::Letter;
    if (has([](const std::wstring& str) { return str == L"INKING"; }))
        return EStartKind::Inking;
    return EStartKind::Plain;
}

bool ClaimStartEvent(EStartKind nKind) {
    const wchar_t* pszName = nKind == EStartKind::Letter ? L"Quillet" : L"Scribola";
    // The handle stays open until the process ends: it is what marks this instance as running.
    g_hStartEvent = CreateEventW(nullptr, FALSE, TRUE, pszName);
    return !(g_hStartEvent && GetLastError() == ERROR_ALREADY_EXISTS);
}

void ActivateRunningLetter() {
    if (HWND hwndInking = FindWindowW(L"INKING", nullptr))
        ShowWindow(hwndInking, SW_MINIMIZE);
    HWND hwndLetter = FindWindowW(L"LETTER", nullptr);
    if (hwndLetter && IsWindowVisible(hwndLetter)) {
        ShowWindow(hwndLetter, SW_RESTORE);
        SetForegroundWindow(hwndLetter);
    }
}

bool ActivateRunningInking(DWORD nTimeoutMs) {
    DWORD nStart = GetTickCount();
    HWND hwnd = nullptr;
    while (!(hwnd = FindWindowW(L"INKING", nullptr))) {
        if (GetTickCount() - nStart > nTimeoutMs)
            return false;
        Sleep(100);
    }
    ShowWindow(hwnd, SW_RESTORE);
    BringWindowToTop(hwnd);
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    SetWindowPos(hwnd, HWND_TOPMOST, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_SHOWWINDOW);
    Sleep(250);
    return true;
}
