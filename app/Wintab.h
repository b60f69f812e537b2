// Binding of the tablet library. The program does not link "wintab32.dll": it loads it by name
// at start-up and binds the eight entry points it calls, so that it runs without pen input on a
// machine that has no tablet driver.
#pragma once
#include "WintabApi.h"

// Loads the library pszLibrary into api and, when bBind is true, binds the entry points.
// Returns 1 when the library loaded, 0 otherwise. api.m_bWintab is set only when all eight entry
// points exist: a library that lacks one counts as no tablet library at all, since a caller would
// otherwise call through a null pointer.
int LoadWintab(CWintabApi& api, bool bBind, const wchar_t* pszLibrary = L"wintab32.dll");

// Binds the process-wide library (Wintab()); called first thing at start-up.
int LoadWintab(bool bBind);
