// A tablet library with seven of the eight entry points the program binds: WTEnable is missing.
#include <windows.h>

extern "C" {
UINT WINAPI WTInfoA(UINT, UINT, LPVOID) {
    return 0;
}
HANDLE WINAPI WTOpenA(HWND, LPVOID, BOOL) {
    return nullptr;
}
BOOL WINAPI WTClose(HANDLE) {
    return FALSE;
}
int WINAPI WTPacketsGet(HANDLE, int, LPVOID) {
    return 0;
}
BOOL WINAPI WTOverlap(HANDLE, BOOL) {
    return FALSE;
}
BOOL WINAPI WTGetA(HANDLE, LPVOID) {
    return FALSE;
}
BOOL WINAPI WTQueueSizeSet(HANDLE, int) {
    return FALSE;
}
}
