// The sizes the canvas gives its page, kept in one place so that opening a note accepts exactly
// the pages the program can write. The page is as wide as the screen; it is made twice as tall
// as wide on a wide screen and five times on a tall one, a new note's page twice the longer
// side of the screen, and Add Line grows a page by twice its width while its bottom is at most
// 4900. Screens are taken as at most kMaxScreenSide pixels on either side.
#pragma once
#include <windows.h>

#include <algorithm>

namespace page {

constexpr LONG kMaxScreenSide = 16384;
constexpr LONG kAddLineLimit = 4900;

inline SIZE ScreenForPage(SIZE screen) {
    return {std::clamp<LONG>(screen.cx, 1, kMaxScreenSide),
            std::clamp<LONG>(screen.cy, 1, kMaxScreenSide)};
}

// The page of a newly made canvas.
inline RECT InitialPage(SIZE screen) {
    const SIZE s = ScreenForPage(screen);
    return {0, 0, s.cx, s.cx > s.cy ? 2 * s.cx : 5 * s.cx};
}

// The page of a new note.
inline RECT ClearedPage(SIZE screen) {
    const SIZE s = ScreenForPage(screen);
    return {0, 0, s.cx, 2 * std::max(s.cx, s.cy)};
}

inline bool CanAddLine(const RECT& rcPage) {
    return rcPage.bottom <= kAddLineLimit;
}

inline RECT WithAddedLines(RECT rcPage) {
    rcPage.bottom += 2 * (rcPage.right - rcPage.left);
    return rcPage;
}

// The tallest page of a given width that the rules above can make: the first page on a tall
// screen, a new note's page on the tallest screen, or the last Add Line.
inline LONG MaxBottom(LONG nWidth) {
    return std::max({5 * nWidth, 2 * kMaxScreenSide, kAddLineLimit + 2 * nWidth});
}

// True for a page that the program can have written into a note.
inline bool IsWritablePage(const RECT& rc) {
    return rc.left == 0 && rc.top == 0 && rc.right > 0 && rc.right <= kMaxScreenSide &&
           rc.bottom > 0 && rc.bottom <= MaxBottom(rc.right);
}

} // namespace page
