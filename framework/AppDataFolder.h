// The user's local application-data folder, where the program keeps what belongs to this user
// and this machine (recovery copies of unsaved notes, mail attachments being sent).
#pragma once
#include <string>

// %LOCALAPPDATA%, else the shell's folder of that kind; empty when neither is known.
std::wstring LocalAppDataFolder();
