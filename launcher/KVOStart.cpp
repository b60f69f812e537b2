// KVOStart.exe: starts KVOmail for inking. It has no window of its own; its only user interface
// is a warning box, and it ends as soon as its work is done.
#include <windows.h>

#include "Launcher.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    try {
        CLauncher launcher(hInstance, GetModuleDir(nullptr));
        launcher.Run(GetArguments(GetCommandLineW()));
    } catch (...) {
        // Out of memory: there is nothing the launcher could still show.
    }
    return 0;
}
