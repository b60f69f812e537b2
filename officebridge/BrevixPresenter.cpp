#include "Brevix.h"

// Not yet built: PowerPoint is never found running.
int WINAPI Brevix_PP_Action(int) {
    return 0;
}
int WINAPI Brevix_PP_SetPointerColor(COLORREF) {
    return 0;
}
int WINAPI Brevix_PP_GetSlideShowActive() {
    return 0;
}
int WINAPI Brevix_PP_SetPointerType(int) {
    return 0;
}
int WINAPI Brevix_PP_GetCurrentPage() {
    return 0;
}
int WINAPI Brevix_PP_AddCommandBar() {
    return 0;
}
int WINAPI Brevix_PP_SlideGotoMenu(void*, int) {
    return 0;
}
int WINAPI Brevix_PP_SlideGoto(int) {
    return 0;
}
int WINAPI Brevix_PP_EndOle() {
    return 1;
}
