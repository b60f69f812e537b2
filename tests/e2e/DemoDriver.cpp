// The headless demo: starts KVOmail.exe on an empty note with the virtual tablet, writes with
// the pen (words of loops with the pencil, one word with the brush, a marker underline), captures
// the window into a BMP file and closes the program again.
// Usage: quillet_demo.exe <screenshot.bmp>
#include <windows.h>

#include <cstdio>
#include <string>

#include "Handwriting.h"
#include "PenSession.h"
#include "ScreenShot.h"

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
            (bBrush ? strBrush : strPencil) += LoopWord(x, 175 + 90 * nLine, nLoops, nSize, bBrush);
            x += LoopWordWidth(nLoops, nSize);
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
    session.ClickPanel(LetterPanel::kBrush);
    bWritten = bWritten && session.RunChapter(1);
    session.ClickPanel(LetterPanel::kMarker);
    bWritten = bWritten && session.RunChapter(2);
    if (!bWritten)
        std::printf("The pen script did not finish.\n");
    RedrawWindow(session.m_hFrame, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitUntil([] { return false; }, 1000);
    std::printf("Window: %ls\n", WindowText(session.m_hFrame).c_str());
    wchar_t szPath[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, argv[1], -1, szPath, MAX_PATH);
    const bool bShot = SaveWindowBitmap(session.m_hFrame, szPath);
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
