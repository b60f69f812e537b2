// The HTML side of the clipboard insertion: the ink is written as a GIF into a new temporary file
// ("aan" prefix) through kvofunc.dll, and an "HTML Format" text whose fragment shows that file is
// offered for delayed rendering.
#pragma once
#include <windows.h>

#include <string>

// The fragment that shows the image file: <IMG SRC="path">. The whole path is kept.
std::string BuildHtmlFragment(const char* pszPath);

// The "HTML Format" clipboard text around a fragment, with its four offsets filled in as eight
// decimal digits: StartHTML 97, StartFragment 111, EndFragment 136 + n and EndHTML 172 + n for a
// fragment of n characters.
std::string BuildHtmlClipText(const std::string& strFragment);

// Writes the ink into a new temporary file, named in g_szTempFile, and announces the HTML text
// naming it (bDelayed) or hands it over at once. The text waits in g_hPendingHtml. Returns false
// when nothing was offered: the file is then removed again. An older pending text is discarded
// first, with its file.
bool OfferInkHtml(HWND hwndOwner, HDC hdc, HBITMAP hbm, bool bDelayed);
