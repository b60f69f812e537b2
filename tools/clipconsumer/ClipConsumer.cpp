// clipconsumer.exe: a small application that pastes like a real one, for the bridge's tests.
//
//   clipconsumer.exe <dib|html|both|none> <result path> <ready event name>
//
// It shows a frame window (class "ClipConsumerFrame", title "Clip Consumer") with one child
// window (class "ClipConsumerEdit") that holds the keyboard focus, sets the named event when it is
// ready, and records every key the child receives. On Ctrl+V it opens the clipboard and asks for
// the formats it was told to, then writes:
//   <result path>.keys  one line per key: "down|up <virtual key> <scan code>"
//   <result path>.dib   the CF_DIB memory as received (when asked for and given)
//   <result path>.html  the "HTML Format" text as received (when asked for and given)
//   <result path>.avail "dib html" availability seen before asking, as 0/1 words
// and exits after the key up of Ctrl. It exits by itself after 15 seconds without a paste.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr UINT_PTR kGiveUpTimer = 1;

std::string g_strAsk;
std::string g_strResult;
std::string g_strKeys;
bool g_bPasted = false;

void WriteFile(const std::string& strPath, const void* p, std::size_t n) {
    if (FILE* f = std::fopen(strPath.c_str(), "wb")) {
        std::fwrite(p, 1, n, f);
        std::fclose(f);
    }
}

void SaveFormat(UINT uFormat, const char* pszSuffix) {
    HANDLE hData = GetClipboardData(uFormat);
    if (!hData)
        return;
    const void* p = GlobalLock(hData);
    if (!p)
        return;
    WriteFile(g_strResult + pszSuffix, p, GlobalSize(hData));
    GlobalUnlock(hData);
}

void Paste(HWND hwnd) {
    g_bPasted = true;
    const UINT cfHtml = RegisterClipboardFormatA("HTML Format");
    char szAvail[32];
    std::snprintf(szAvail, sizeof(szAvail), "%d %d", IsClipboardFormatAvailable(CF_DIB) ? 1 : 0,
                  IsClipboardFormatAvailable(cfHtml) ? 1 : 0);
    WriteFile(g_strResult + ".avail", szAvail, std::strlen(szAvail));
    if (g_strAsk == "none" || !OpenClipboard(hwnd))
        return;
    if (g_strAsk == "html" || g_strAsk == "both")
        SaveFormat(cfHtml, ".html");
    if (g_strAsk == "dib" || g_strAsk == "both")
        SaveFormat(CF_DIB, ".dib");
    CloseClipboard();
}

void RecordKey(const char* pszWhat, WPARAM wParam, LPARAM lParam) {
    char szLine[64];
    std::snprintf(szLine, sizeof(szLine), "%s %u %u\n", pszWhat, static_cast<unsigned>(wParam),
                  static_cast<unsigned>((lParam >> 16) & 0xFF));
    g_strKeys += szLine;
    WriteFile(g_strResult + ".keys", g_strKeys.data(), g_strKeys.size());
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_KEYDOWN:
        RecordKey("down", wParam, lParam);
        if (wParam == 'V' && GetKeyState(VK_CONTROL) < 0)
            Paste(hwnd);
        return 0;
    case WM_KEYUP:
        RecordKey("up", wParam, lParam);
        if (wParam == VK_CONTROL && g_bPasted)
            PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, uMsg, wParam, lParam);
    }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_SETFOCUS:
        if (HWND hwndEdit = FindWindowExA(hwnd, nullptr, "ClipConsumerEdit", nullptr))
            SetFocus(hwndEdit);
        return 0;
    case WM_TIMER:
        PostQuitMessage(1);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, uMsg, wParam, lParam);
    }
}

bool RegisterClasses(HINSTANCE hInstance) {
    WNDCLASSA wc{};
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = "ClipConsumerFrame";
    if (!RegisterClassA(&wc))
        return false;
    wc.lpfnWndProc = EditProc;
    wc.lpszClassName = "ClipConsumerEdit";
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    return RegisterClassA(&wc) != 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    if (__argc < 4)
        return 2;
    g_strAsk = __argv[1];
    g_strResult = __argv[2];
    HANDLE hReady = OpenEventA(EVENT_MODIFY_STATE, FALSE, __argv[3]);
    if (!hReady || !RegisterClasses(hInstance))
        return 3;

    HWND hwnd =
        CreateWindowExA(0, "ClipConsumerFrame", "Clip Consumer", WS_POPUP | WS_VISIBLE | WS_BORDER,
                        200, 200, 400, 300, nullptr, nullptr, hInstance, nullptr);
    HWND hwndEdit = CreateWindowExA(0, "ClipConsumerEdit", "", WS_CHILD | WS_VISIBLE, 20, 20, 200,
                                    150, hwnd, nullptr, hInstance, nullptr);
    if (!hwnd || !hwndEdit)
        return 4;
    SetTimer(hwnd, kGiveUpTimer, 15000, nullptr);
    SetForegroundWindow(hwnd);
    SetFocus(hwndEdit);
    SetEvent(hReady);
    CloseHandle(hReady);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The windows go with the process: destroying the active window first makes Wine wait for the
    // display.
    return static_cast<int>(msg.wParam);
}
