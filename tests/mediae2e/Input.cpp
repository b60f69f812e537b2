#include "Input.h"

namespace {

BOOL CALLBACK FindView(HWND hwnd, LPARAM lParam) {
    wchar_t sz[64] = {};
    GetClassNameW(hwnd, sz, 64);
    if (lstrcmpW(sz, L"ScrivoView") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hwnd;
    return FALSE;
}

void SendMouse(DWORD dwFlags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = dwFlags;
    SendInput(1, &in, sizeof(in));
}

// Moves the cursor to a client point and lets the program take the move in.
void MoveTo(HWND hwnd, POINT pt) {
    ClientToScreen(hwnd, &pt);
    SetCursorPos(pt.x, pt.y);
    SendMouse(MOUSEEVENTF_MOVE);
    Sleep(60);
}

// Waits until the program has handled what was sent so far.
void Settle(HWND hwnd) {
    DWORD_PTR n = 0;
    SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &n);
    Sleep(60);
}

} // namespace

HWND FindViewOf(HWND hwndFrame) {
    HWND hwndView = nullptr;
    EnumChildWindows(hwndFrame, FindView, reinterpret_cast<LPARAM>(&hwndView));
    return hwndView;
}

bool WaitForSteadyWindow(HWND hwnd) {
    RECT rcLast{};
    DWORD nSince = GetTickCount();
    return WaitUntil(
        [&] {
            RECT rc{};
            GetWindowRect(hwnd, &rc);
            if (!EqualRect(&rc, &rcLast)) {
                rcLast = rc;
                nSince = GetTickCount();
            }
            return GetTickCount() - nSince > 700;
        },
        30000);
}

void BringToFront(HWND hwnd) {
    SetForegroundWindow(hwnd);
    WaitUntil([&] { return GetForegroundWindow() == hwnd; }, 5000);
}

void MouseClick(HWND hwnd, POINT pt) {
    MoveTo(hwnd, pt);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Settle(hwnd);
}

void MouseRightClick(HWND hwnd, POINT pt) {
    MoveTo(hwnd, pt);
    SendMouse(MOUSEEVENTF_RIGHTDOWN);
    SendMouse(MOUSEEVENTF_RIGHTUP);
    Sleep(200);
}

void MouseDrag(HWND hwnd, POINT ptFrom, POINT ptTo) {
    MoveTo(hwnd, ptFrom);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Settle(hwnd);
    for (int i = 1; i <= 4; ++i)
        MoveTo(hwnd,
               {ptFrom.x + (ptTo.x - ptFrom.x) * i / 4, ptFrom.y + (ptTo.y - ptFrom.y) * i / 4});
    SendMouse(MOUSEEVENTF_LEFTUP);
    Settle(hwnd);
}

bool AnswerFileDialog(HWND hwndDialog, const std::wstring& strPath) {
    HWND hwndEdit = nullptr;
    if (!WaitUntil([&] { return (hwndEdit = FileNameEdit(hwndDialog)) != nullptr; }, 10000))
        return false;
    SendMessageW(hwndEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strPath.c_str()));
    PostMessageW(hwndDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hwndDialog, IDOK)));
    return true;
}

bool SaveThroughDialog(const CProgram& program, HWND hwndFrame, const std::wstring& strPath) {
    BringToFront(hwndFrame);
    PressCtrlKey('S');
    HWND hwndDialog = program.WaitForWindow(L"#32770", 30000);
    if (!hwndDialog || !AnswerFileDialog(hwndDialog, strPath))
        return false;
    return WaitUntil(
        [&] { return !CTestFolder::ReadBytes(strPath).empty() && !IsWindow(hwndDialog); }, 30000);
}

std::string RunUnix(const std::string& strCommand) {
    wchar_t szTemp[MAX_PATH] = {}, szFile[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, szTemp);
    GetTempFileNameW(szTemp, L"out", 0, szFile);
    const std::wstring strDone = std::wstring(szFile) + L".done";
    // Wine does not hand back the life of a program of the machine through the process handle:
    // the shell says when the command is over by writing a second file.
    const std::string strLine = "Z:\\bin\\sh -c \"" + strCommand + " > '" + UnixPath(szFile) +
                                "' 2>/dev/null; echo > '" + UnixPath(strDone) + "'\"";
    std::wstring strWide(strLine.begin(), strLine.end());
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string strOut;
    if (CreateProcessW(nullptr, strWide.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi)) {
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        WaitUntil([&] { return GetFileAttributesW(strDone.c_str()) != INVALID_FILE_ATTRIBUTES; },
                  60000);
        const std::vector<std::uint8_t> bytes = CTestFolder::ReadBytes(szFile);
        strOut.assign(bytes.begin(), bytes.end());
    }
    DeleteFileW(szFile);
    DeleteFileW(strDone.c_str());
    return strOut;
}
