// The README's pictures of the shell: the letter window with its tool bar and panel in the
// program's own look and in the look of QznRes.dll, and the pen-width popup open. Each run
// writes a few words with the virtual pen first.
// Usage: quillet_shots.exe <folder for the .bmp files>
#include <windows.h>

#include <cstdio>
#include <string>

#include "Handwriting.h"
#include "PenSession.h"
#include "ScreenShot.h"
#include "ShellDriver.h"

namespace {
constexpr UINT kPencilWidth = 1132;

std::string Words() {
    std::string str;
    const int words[3][3] = {{4, 3, 5}, {3, 5, 2}, {5, 2, 3}};
    for (int nLine = 0; nLine < 3; ++nLine) {
        int x = 60;
        for (int nLoops : words[nLine]) {
            str += LoopWord(x, 175 + 90 * nLine, nLoops, 30, false);
            x += LoopWordWidth(nLoops, 30);
        }
    }
    return str;
}

void CloseWithoutSaving(CPenSession& session) {
    PostMessageW(session.m_hFrame, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && session.m_program.WaitForExit(300) == -1; ++i)
        if (HWND hAsk = session.m_program.FindWindowOfClass(L"#32770"))
            PostMessageW(hAsk, WM_COMMAND, IDNO, 0);
}

bool Shoot(const std::wstring& strFolder, bool bAlternative) {
    CPenSession session;
    if (bAlternative) {
        wchar_t szExe[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, szExe, MAX_PATH);
        std::wstring strDir = szExe;
        strDir = strDir.substr(0, strDir.find_last_of(L'\\'));
        CopyFileW((strDir + L"\\QznRes.dll").c_str(), (session.m_folder / L"QznRes.dll").c_str(),
                  FALSE);
        WritePrivateProfileStringW(L"UI", L"New", L"1", (session.m_folder / L"ZLNKVO.ini").c_str());
    }
    session.AddChapter(Words());
    if (!session.Start(L"native,builtin") || !session.RunChapter(0))
        return false;
    CShellDriver driver(session,
                        session.m_folder / (bAlternative ? L"QznRes.dll" : L"KVOmail.exe"));
    MouseTo(ClientPoint(session.m_hView, 700, 500));
    RedrawWindow(session.m_hFrame, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    WaitUntil([] { return false; }, 800);
    const wchar_t* pszName =
        bAlternative ? L"\\letter-window-alt.bmp" : L"\\letter-window-shell.bmp";
    bool bOk = SaveWindowBitmap(session.m_hFrame, (strFolder + pszName).c_str());
    if (!bAlternative) {
        HWND hwndWidth = CShellDriver::ButtonOf(driver.Panel(), kPencilWidth);
        RECT rc{};
        GetWindowRect(hwndWidth, &rc);
        MouseClick({(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
        HWND hwndPopup = nullptr;
        WaitUntil([&] { return (hwndPopup = driver.Popup()) && IsWindowVisible(hwndPopup); }, 5000);
        WaitUntil([] { return false; }, 500);
        // Over a button of the popup, so that its highlight shows too.
        RECT rcPopup{};
        GetWindowRect(hwndPopup, &rcPopup);
        MouseTo({rcPopup.left + 20, rcPopup.top + 52});
        WaitUntil([] { return false; }, 400);
        RECT rcShot{rcPopup.left - 140, rcPopup.top - 20, rcPopup.right + 300, rc.bottom + 70};
        bOk = SaveScreenBitmap(rcShot, (strFolder + L"\\pen-width-popup.bmp").c_str()) && bOk;
    }
    CloseWithoutSaving(session);
    return bOk;
}

// The inking strip, shaped, with its "Start to write" balloon.
bool ShootInking(const std::wstring& strFolder) {
    CTestFolder folder;
    CProgram program;
    if (!InstallProgram(folder.Path()) || !program.Start(folder.Path(), L"INKING"))
        return false;
    HWND hwnd = program.WaitForWindow(L"INKING", 30000);
    RECT rc{};
    WaitUntil([&] { return hwnd && GetWindowRect(hwnd, &rc) && rc.right - rc.left == 629; }, 10000);
    WaitUntil([] { return false; }, 1500);
    const bool bOk = SaveScreenBitmap({rc.left - 200, rc.top - 70, rc.right, rc.bottom},
                                      (strFolder + L"\\inking-strip.bmp").c_str());
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    program.WaitForExit(10000);
    return bOk;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::printf("usage: quillet_shots <folder>\n");
        return 2;
    }
    const bool bOwn = Shoot(argv[1], false);
    const bool bAlternative = Shoot(argv[1], true);
    const bool bInking = ShootInking(argv[1]);
    std::printf("own look: %s, alternative look: %s, inking strip: %s\n", bOwn ? "ok" : "failed",
                bAlternative ? "ok" : "failed", bInking ? "ok" : "failed");
    return bOwn && bAlternative && bInking ? 0 : 1;
}
