// The headless demo: writes a note with some handwriting, starts KVOmail.exe on it, waits for
// the letter window, captures the window into a BMP file and closes the program again.
// Usage: quillet_demo.exe <screenshot.bmp> [width height]
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "NoteBytes.h"
#include "ProgramRunner.h"

namespace {
struct CStroke {
    std::vector<POINT> pts;
    std::vector<short> weights;
    COLORREF cr;
    short nTool;
};

// Cursive-looking loops along a ruled line: a prolate cycloid.
CStroke Loops(int x0, int nBase, int nLoops, int nSize, COLORREF cr, short nTool) {
    CStroke s{{}, {}, cr, nTool};
    const double a = nSize * 0.25, b = nSize * 0.6;
    for (double t = 0; t <= nLoops * 2 * 3.14159; t += 0.12) {
        s.pts.push_back({static_cast<LONG>(x0 + a * t - b * std::sin(t)),
                         static_cast<LONG>(nBase - b * (1 + std::cos(t)))});
        s.weights.push_back(static_cast<short>(nTool == 3 ? 200 + 150 * std::sin(t / 3) : 160));
    }
    return s;
}

CStroke Line(int x0, int y0, int x1, int y1, COLORREF cr, short nTool, short nWeight) {
    CStroke s{{}, {}, cr, nTool};
    for (int i = 0; i <= 40; ++i) {
        s.pts.push_back({x0 + (x1 - x0) * i / 40, y0 + (y1 - y0) * i / 40});
        s.weights.push_back(nWeight);
    }
    return s;
}

std::vector<std::uint8_t> NoteOf(const std::vector<CStroke>& strokes) {
    std::vector<std::uint8_t> d;
    for (std::uint32_t n : {13427429u, 11321541u, 90u, 0u, 0u, 1280u, 2560u})
        PutU32(d, n);
    PutU32(d, static_cast<std::uint32_t>(strokes.size()));
    for (const CStroke& s : strokes) {
        RECT rc = {s.pts[0].x, s.pts[0].y, s.pts[0].x, s.pts[0].y};
        for (POINT pt : s.pts) {
            rc.left = std::min(rc.left, pt.x);
            rc.top = std::min(rc.top, pt.y);
            rc.right = std::max(rc.right, pt.x);
            rc.bottom = std::max(rc.bottom, pt.y);
        }
        PutU32(d, static_cast<std::uint32_t>(s.pts.size()));
        for (LONG n : {rc.left - 10, rc.top - 10, rc.right + 10, rc.bottom + 10})
            PutU32(d, static_cast<std::uint32_t>(n));
        PutU32(d, s.cr);
        PutU16(d, s.nTool == 4 ? 1 : 0);
        PutU16(d, static_cast<std::uint16_t>(s.nTool));
        PutU32(d, s.nTool == 4 ? 0 : 1);
        for (std::size_t i = 0; i < s.pts.size(); ++i) {
            PutU32(d, static_cast<std::uint32_t>(s.pts[i].x));
            PutU32(d, static_cast<std::uint32_t>(s.pts[i].y));
            PutU16(d, static_cast<std::uint16_t>(s.weights[i]));
        }
    }
    PutU32(d, 0);
    return d;
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
        std::printf("usage: quillet_demo <screenshot.bmp> [width height]\n");
        return 2;
    }
    const int cx = argc > 3 ? std::atoi(argv[2]) : 1024, cy = argc > 3 ? std::atoi(argv[3]) : 700;
    CTestFolder folder;
    if (!InstallProgram(folder.Path()))
        return 3;
    const COLORREF crNavy = RGB(0, 0, 128);
    // Words of loops on the ruled lines, a brush line in green and a marker underline.
    std::vector<CStroke> strokes;
    const int words[4][4] = {{4, 3, 6, 2}, {5, 2, 4, 3}, {3, 6, 2, 4}, {6, 3, 3, 0}};
    for (int nLine = 0; nLine < 4; ++nLine) {
        int x = 60;
        for (int nLoops : words[nLine]) {
            if (nLoops == 0)
                continue;
            bool bBrush = nLine == 2 && nLoops == 6;
            strokes.push_back(Loops(x, 175 + 90 * nLine, nLoops, bBrush ? 34 : 30,
                                    bBrush ? RGB(0, 110, 0) : crNavy, bBrush ? 3 : 2));
            x += static_cast<int>(nLoops * 2 * 3.14159 * 0.25 * 30) + 60;
        }
    }
    strokes.push_back(Line(60, 190, 260, 190, RGB(255, 255, 0), 4, 14));
    const std::wstring strNote = folder / L"Welcome.Qzn";
    if (!CTestFolder::WriteBytes(strNote, NoteOf(strokes)))
        return 4;
    std::printf("Starting KVOmail.exe on a demo note...\n");
    CProgram program;
    if (!program.Start(folder.Path(), L"\"" + strNote + L"\""))
        return 5;
    HWND hwnd = program.WaitForWindow(L"LETTER", 30000);
    if (!hwnd) {
        std::printf("The letter window did not appear.\n");
        return 6;
    }
    // Without a window manager a maximised window keeps its first size on the X display, so
    // the demo shows the window at a fixed size.
    ShowWindow(hwnd, SW_RESTORE);
    SetWindowPos(hwnd, HWND_TOP, 0, 0, cx, cy, SWP_SHOWWINDOW);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitUntil([] { return false; }, 1500);
    std::printf("Window: %ls\n", WindowText(hwnd).c_str());
    bool bShot = SaveWindowBitmap(hwnd, argv[1]);
    std::printf(bShot ? "Screenshot written to %s\n" : "No screenshot at %s\n", argv[1]);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    int nExit = program.WaitForExit(30000);
    std::printf("KVOmail ended with exit code %d.\n", nExit);
    return nExit == 0 && bShot ? 0 : 1;
}
