#include <windows.h>

#include "ScrivoApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    try {
        CScrivoApp app;
        return app.Run(hInstance);
    } catch (...) {
        return 1;
    }
}
