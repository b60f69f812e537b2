// Playing a script of the Windows Ink stand-in in the test's own process: the stand-in library
// loaded from the build's folder and bound as the program binds user32, and a script that it plays
// once a client asks for the pointer devices, while this thread handles its messages.
#pragma once
#include "PointerApi.h"

#include <functional>
#include <string>

// Binds api to the stand-in, which stays loaded; false when it cannot be loaded or bound.
bool BindInkStandIn(CPointerApi& api);

// Writes the script lines to a file in strFolder, names it to the stand-in, runs start (which
// makes a client take its pen) and handles this thread's messages until the script has ended;
// false after 20 s.
bool PlayInkScript(const std::wstring& strFolder, const std::string& strLines,
                   const std::function<void()>& start);
