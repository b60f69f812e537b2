// The headless demo: starts KVOmail.exe on an empty note with the virtual tablet, writes with
// the pen (words of loops with the pencil, one word with the brush, a marker underline), captures
// the window into a BMP file and closes the program again.
// Usage: quillet_demo.exe <screenshot.bmp>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "PenSession.h"

namespace {
constexpr UINT kBrush = 1039, kMarker = 1041;

std::string Sample(const char* pszCmd, long x, long y, long nPressure) {
    return std::string(pszCmd) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
           std::to_string(nPressure) + "\n";
}

// Cursive-looking loops along a ruled line (a prolate cycloid) as one pen stroke; the brush
// swells and thins with the pressure.
std::string Loops(int x0, int nBase, int nLoops, int nSize, bool bSwell) {
    const double a = nSize * 0.25, b = nSize * 0.6, kTwoPi = 2 * 3.14159;
    std::string str;
    long x = 0, y = 0;
    for (int i = 0; i * 0.3 <= nLoops * kTwoPi; ++i) {
        const double t = i * 0.3;
        x = std::lround(x0 + a * t - b * std::sin(t));
        y = std::lround(nBase - b * (1 + std::cos(t)));
        const long nPressure = bSwell ? std::lround(880 + 140 * std::sin(t / 3)) : 700;
        str += Sample(i == 0 ? "down" : "move", x, y, nPressure);
    }
    return str + "up " + std::to_string(x) + " " + std::to_string(y) + "\n";
}

// The width of a word of nLoops loops of this size, with the gap to the next word.
int WordWidth(int nLoops, int nSize) {
    return static_cast<int>(nLoops * 2 * 3.14159 * 0.25 * nSize) + 60;
}

bool SaveWindowBitmap(HWND hwnd, const char* pszPath) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    const int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    HDC hdcScreen = GetDC(nullptr);
    HDC hdcMem = CreateCompatibleDC(hdcScreen);
    BITMAPINFO bmi{};
    bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, cy, 1, 24, BI_RGB};
    void* pBits = nullptr;
    HBITMAP hbm = CreateDIBSection(hdcScreen, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hdcMem, hbm);
    BitBlt(hdcMem, 0, 0, cx, cy, hdcScreen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    const DWORD nStride = ((cx * 3 + 3) / 4) * 4, nSize = nStride * cy;
    BITMAPFILEHEADER bf{0x4D42, static_cast<DWORD>(sizeof(bf) + sizeof(bmi.bmiHeader) + nSize), 0,
                        0, static_cast<DWORD>(sizeof(bf) + sizeof(bmi.bmiHeader))};
    FILE* f = std::fopen(pszPath, "wb");
    bool bOk = f != nullptr;
    if (f) {
        std::fwrite(&bf, sizeof(bf), 1, f);
        std::fwrite(&bmi.bmiHeader, sizeof(bmi.bmiHeader), 1, f);
        std::fwrite(pBits, 1, nSize, f);
        std::fclose(f);
    }
    SelectObject(hdcMem, hOld);
    DeleteObject(hbm);
    DeleteDC(hdcMem);
    ReleaseDC(nullptr, hdcScreen);
    return bOk;
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: quillet_demo <screenshot.bmp>\n");
        return 2;
    }
    // Chapter 0: words of loops with the pencil on four ruled lines; chapter 1: one larger word
    // with the brush on the third line; chapter 2: a marker stroke under the first word.
    CPenSession session(L"Welcome.Qzn");
    std::string strPencil, strBrush;
    const int words[4][4] = {{4, 3, 6, 2}, {5, 2, 4, 3}, {3, 6, 2, 3}, {6, 3, 3, 0}};
    for (int nLine = 0; nLine < 4; ++nLine) {
        int x = 60;
        for (int nLoops : words[nLine]) {
            if (nLoops == 0)
                continue;
            const bool bBrush = nLine == 2 && nLoops == 6;
            const int nSize = bBrush ? 34 : 30;
            (bBrush ? strBrush : strPencil) += Loops(x, 175 + 90 * nLine, nLoops, nSize, bBrush);
            x += WordWidth(nLoops, nSize);
        }
    }
    session.AddChapter(strPencil);
    session.AddChapter(strBrush);
    session.AddChapter("down 60 190 500\nline 60 190 260 190 25 500\nup 260 190");
    std::printf("Starting KVOmail.exe on an empty note with the virtual tablet...\n");
    if (!session.Start(L"native,builtin")) {
        std::printf("The letter window did not appear.\n");
        return 6;
    }
    std::printf("Writing with the pen...\n");
    bool bWritten = session.RunChapter(0);
    session.Command(kBrush);
    bWritten = bWritten && session.RunChapter(1);
    session.Command(kMarker);
    bWritten = bWritten && session.RunChapter(2);
    if (!bWritten)
        std::printf("The pen script did not finish.\n");
    RedrawWindow(session.m_hFrame, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitUntil([] { return false; }, 1000);
    std::printf("Window: %ls\n", WindowText(session.m_hFrame).c_str());
    const bool bShot = SaveWindowBitmap(session.m_hFrame, argv[1]);
    std::printf(bShot ? "Screenshot written to %s\n" : "No screenshot at %s\n", argv[1]);
    // The note has changed: closing asks whether to save it, and the demo keeps nothing.
    PostMessageW(session.m_hFrame, WM_CLOSE, 0, 0);
    int nExit = -1;
    for (int i = 0; i < 100 && nExit == -1; ++i) {
        if (HWND hAsk = session.m_program.FindWindowOfClass(L"#32770"))
            PostMessageW(hAsk, WM_COMMAND, IDNO, 0);
        nExit = session.m_program.WaitForExit(300);
    }
    std::printf("KVOmail ended with exit code %d.\n", nExit);
    return nExit == 0 && bShot && bWritten ? 0 : 1;
}
