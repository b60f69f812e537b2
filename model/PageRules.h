// The sizes the canvas gives its page, kept in one place so that opening a note accepts exactly
// the pages the program can write. The page is as wide as the screen; it is made twice as tall
// as wide on a wide screen and five times on a tall one, a new note's page twice the longer
// side of the screen, and Add Line grows a page by twice its width while its bottom is at most
// 4900. Screens are taken as at most kMaxScreenSide pixels on either side, and no page holds
// more than kMaxPixels pixels: its bitmap (3 bytes a pixel) and a picture export of it (4 bytes a
// pixel) must fit in memory together, and GDI counts a bitmap's bytes in 32 bits.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdint>

namespace page {

constexpr LONG kMaxScreenSide = 16384;
constexpr LONG kAddLineLimit = 4900;
// 128 Mi pixels: a page bitmap of 384 MiB, an 8K screen's page (7680 x 15360) with room to spare.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 27;

// The page's bottom cut to what kMaxPixels allows at its width.
inline RECT WithinPixels(RECT rcPage) {
    const LONG nWidth = std::max<LONG>(rcPage.right - rcPage.left, 1);
    rcPage.bottom = static_cast<LONG>(std::min<std::int64_t>(rcPage.bottom, kMaxPixels / nWidth));
    return rcPage;
}

inline SIZE ScreenForPage(SIZE screen) {
    return {std::clamp<LONG>(screen.cx, 1, kMaxScreenSide),
            std::clamp<LONG>(screen.cy, 1, kMaxScreenSide)};
}

// The page of a newly made canvas.
inline RECT InitialPage(SIZE screen) {
    const SIZE s = ScreenForPage(screen);
    return WithinPixels({0, 0, s.cx, s.cx > s.cy ? 2 * s.cx : 5 * s.cx});
}

// The page of a new note.
inline RECT ClearedPage(SIZE screen) {
    const SIZE s = ScreenForPage(screen);
    return WithinPixels({0, 0, s.cx, 2 * std::max(s.cx, s.cy)});
}

inline RECT WithAddedLines(RECT rcPage) {
    rcPage.bottom += 2 * (rcPage.right - rcPage.left);
    return rcPage;
}

inline bool CanAddLine(const RECT& rcPage) {
    const RECT rcAdded = WithAddedLines(rcPage);
    return rcPage.bottom <= kAddLineLimit && WithinPixels(rcAdded).bottom == rcAdded.bottom;
}

// The tallest page of a given width that the rules above can make: the first page on a tall
// screen, a new note's page on the tallest screen, or the last Add Line, each within kMaxPixels.
inline LONG MaxBottom(LONG nWidth) {
    const LONG nBottom = std::max({5 * nWidth, 2 * kMaxScreenSide, kAddLineLimit + 2 * nWidth});
    return WithinPixels({0, 0, nWidth, nBottom}).bottom;
}

// True for a page that the program can have written into a note.
inline bool IsWritablePage(const RECT& rc) {
    return rc.left == 0 && rc.top == 0 && rc.right > 0 && rc.right <= kMaxScreenSide &&
           rc.bottom > 0 && rc.bottom <= MaxBottom(rc.right);
}

} // namespace page
