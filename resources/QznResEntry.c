// The entry point of QznRes.dll, a library that holds resources only.
#include <windows.h>

BOOL WINAPI QznResEntry(HINSTANCE hInstance, DWORD dwReason, LPVOID pReserved) {
    (void)hInstance;
    (void)dwReason;
    (void)pReserved;
    return TRUE;
}
