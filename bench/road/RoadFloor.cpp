// The floor of the pen's road: a window of the benchmark's own that opens the tablet context as
// the program does and does nothing with a packet message but fetch its packets. What the system
// and the tablet take for a packet's round trip shows here; what the program takes beyond that is
// its own. Never shipped. road_floor.exe X Y CX CY: the window at that screen rectangle, until it
// is closed.
#include <windows.h>

#include <cstdlib>

#include "TabletClient.h"
#include "Wintab.h"

namespace {

constexpr wchar_t kClass[] = L"RoadFloor";

class CFloorWindow : public CTabletClient {
public:
    bool Create(const RECT& rc) {
        if (!LoadWintab(m_api, true) || !m_api.m_bWintab)
            return false;
        m_pWintab = &m_api;
        // Shown without taking the activation: a program that waits meanwhile keeps its own.
        m_hWnd = CreateWindowExW(WS_EX_NOACTIVATE, kClass, kClass, WS_POPUP, rc.left, rc.top,
                                 rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), this);
        if (!m_hWnd)
            return false;
        ShowWindow(m_hWnd, SW_SHOWNA);
        m_hCtx = OpenTabletContext(m_hWnd, TRUE);
        return m_hCtx != nullptr;
    }
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
        if (uMsg == WM_NCCREATE)
            SetWindowLongPtrW(hWnd, GWLP_USERDATA,
                              LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* pThis = reinterpret_cast<CFloorWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        switch (uMsg) {
        case WT_PACKET:
            pThis->m_api.WTPacketsGet(reinterpret_cast<HCTX>(lParam), kPacketBatchMax,
                                      pThis->m_packets);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hWnd, uMsg, wParam, lParam);
        }
    }

protected:
    HWND TabletWindow() const override { return m_hWnd; }
    int TabletMode() const override { return kModeLetter; }
    int TabletTool() const override { return 0; }
    BOOL OnLetterPacket(DWORD, DWORD, LONG, LONG, UINT) override { return FALSE; }

private:
    CWintabApi m_api;
    HWND m_hWnd = nullptr;
    PenPacket m_packets[2 * kPacketBatchMax]{};
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        MessageBoxW(nullptr, L"road_floor.exe X Y CX CY", kClass, MB_ICONHAND);
        return 2;
    }
    const int x = std::atoi(argv[1]), y = std::atoi(argv[2]);
    const RECT rc{x, y, x + std::atoi(argv[3]), y + std::atoi(argv[4])};
    WNDCLASSW wc{};
    wc.lpfnWndProc = CFloorWindow::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClass;
    CFloorWindow floor;
    if (!RegisterClassW(&wc) || !floor.Create(rc))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
