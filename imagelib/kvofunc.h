// kvofunc.dll: image files from bitmaps and bitmaps from image files, through the Windows Imaging
// Component. Neither function throws or shows anything; each reports failure by its result.
#pragma once
#include <windows.h>

extern "C" {
// Writes the bitmap hbm as an image file at pszPath (an ANSI path): nFormat 0 GIF, 1 JPEG, 2 PNG.
// hdc is the memory device context that hbm is selected into; the pixels are copied out of it.
// When hdc is null or holds another bitmap, hbm is selected into a context of the library's own
// for the copy (which fails if hbm is selected elsewhere).
// An existing file is replaced only when the new one has been written completely: the image is
// encoded in memory, written to a new file beside the target and moved over it at the end, so a
// failure at any step (a full disk, a file in use) leaves an existing file as it was and no
// partial file behind.
//
// The two colours: crPaper and crLine are the note's paper and ruled-line colours, the colours
// that cover most of a page. A GIF holds at most 256 colours, so its palette is built from the
// image with both colours reserved as exact entries: the paper and the ruled lines keep their
// exact colours instead of the nearest colour the rest of the image happens to pick. JPEG and PNG
// keep every colour anyway and ignore the two arguments.
//
// Returns nonzero when the file was written; 0 for a null bitmap or path, an unknown format, an
// empty or oversized bitmap (more than 64 Mi pixels), or a failure to encode or write.
BOOL WINAPI CreateAttachment(HDC hdc, HBITMAP hbm, LPCSTR pszPath, int nFormat, COLORREF crPaper,
                             COLORREF crLine);
// The same with a Unicode path, for folders whose names the ANSI code page cannot spell.
BOOL WINAPI CreateAttachmentW(HDC hdc, HBITMAP hbm, LPCWSTR pszPath, int nFormat, COLORREF crPaper,
                              COLORREF crLine);

// Reads a JPEG, PNG, GIF or BMP file (first frame) into a bitmap compatible with the screen and
// stores its width and height in *pnWidth and *pnHeight (either pointer may be null). Transparent
// parts are laid over white. Returns null, with both sizes set to 0, when the file cannot be opened
// or decoded or its image is larger than 64 Mi pixels; for an image that is too large the thread's
// last error is ERROR_NOT_ENOUGH_MEMORY. The caller owns the bitmap (DeleteObject).
HBITMAP WINAPI CreateBitmapFromFile(LPCSTR pszPath, int* pnWidth, int* pnHeight);
// The same with a Unicode path.
HBITMAP WINAPI CreateBitmapFromFileW(LPCWSTR pszPath, int* pnWidth, int* pnHeight);
}

// The largest image, in pixels, that either function accepts (8192 x 8192): a bound on what a
// damaged or hostile image header can make the library allocate.
constexpr long long KVOFUNC_MAX_PIXELS = 64LL * 1024 * 1024;
