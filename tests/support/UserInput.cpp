#include "UserInput.h"

namespace {
constexpr int kToolBarId = 215, kPanelId = 148;

void SendMouse(DWORD dwFlags, POINT pt) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = static_cast<LONG>((pt.x * 65535LL + cx / 2) / (cx - 1));
    in.mi.dy = static_cast<LONG>((pt.y * 65535LL + cy / 2) / (cy - 1));
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof(in));
}

// Lets the other processes run for a while, handling this thread's own messages meanwhile.
void Pause(DWORD nMs) {
    const DWORD nStart = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(10);
    } while (GetTickCount() - nStart < nMs);
}

bool CursorIsAt(POINT pt) {
    POINT ptNow{};
    return GetCursorPos(&ptNow) && ptNow.x == pt.x && ptNow.y == pt.y;
}
} // namespace

void PressKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(100);
}

void PressCtrlKey(WORD vk) {
    INPUT in[4] = {};
    for (INPUT& i : in)
        i.type = INPUT_KEYBOARD;
    in[0].ki.wVk = VK_CONTROL;
    in[1].ki.wVk = vk;
    in[2].ki.wVk = vk;
    in[2].ki.dwFlags = KEYEVENTF_KEYUP;
    in[3].ki.wVk = VK_CONTROL;
    in[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, in, sizeof(INPUT));
    Sleep(100);
}

HWND FileNameEdit(HWND hwndDialog) {
    if (HWND hwndCombo = GetDlgItem(hwndDialog, 0x47C)) {
        if (HWND hwndEdit = FindWindowExW(hwndCombo, nullptr, L"Edit", nullptr))
            return hwndEdit;
        return hwndCombo;
    }
    return GetDlgItem(hwndDialog, 0x480);
}

void MouseTo(POINT pt) {
    SendMouse(0, pt);
    for (int i = 0; i < 200 && !CursorIsAt(pt); ++i)
        Pause(10);
    Pause(60);
}

void MouseDown(POINT pt) {
    SendMouse(MOUSEEVENTF_LEFTDOWN, pt);
    Pause(60);
}

void MouseUp(POINT pt) {
    SendMouse(MOUSEEVENTF_LEFTUP, pt);
    Pause(60);
}

void MouseClick(POINT pt) {
    MouseTo(pt);
    MouseDown(pt);
    MouseUp(pt);
}

void MouseDoubleClick(POINT pt) {
    MouseTo(pt);
    SendMouse(MOUSEEVENTF_LEFTDOWN, pt);
    SendMouse(MOUSEEVENTF_LEFTUP, pt);
    SendMouse(MOUSEEVENTF_LEFTDOWN, pt);
    SendMouse(MOUSEEVENTF_LEFTUP, pt);
    Pause(100);
}

POINT ClientPoint(HWND hwnd, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(hwnd, &pt);
    return pt;
}

HWND ToolBarOf(HWND hwndFrame) {
    return GetDlgItem(hwndFrame, kToolBarId);
}

HWND PanelOf(HWND hwndFrame) {
    return GetDlgItem(hwndFrame, kPanelId);
}

void ClickBarPlace(HWND hwndBar, POINT ptPlace) {
    MouseClick(ClientPoint(hwndBar, ptPlace.x + 10, ptPlace.y + 10));
    WaitUntilHandled(hwndBar);
}

void WaitUntilHandled(HWND hwnd) {
    // A button's command runs while its thread handles the release; a message sent after it
    // comes back once that is done (a sent message may overtake the release once, not thrice).
    for (int i = 0; i < 3; ++i) {
        DWORD_PTR nResult = 0;
        SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &nResult);
        Pause(20);
    }
}
