#include "UserInput.h"

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
