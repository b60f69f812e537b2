// A hidden popup window of a class of its own, for the tests' clipboard owners.
#pragma once
#include <windows.h>

inline HWND CreateHiddenWindow(LPCWSTR pszClass, WNDPROC pfnProc, LPVOID pParam = nullptr) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = pfnProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = pszClass;
    RegisterClassW(&wc); // fails harmlessly when a previous test registered it
    return CreateWindowW(pszClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, wc.hInstance,
                         pParam);
}
