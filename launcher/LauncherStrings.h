// The launcher's warnings in the user's interface language. The strings are looked up in one
// language's string table exactly, so that a text's trailing blanks and the choice of language do
// not depend on the thread's own language settings.
#pragma once
#include <windows.h>

#include <string>

// The language of the launcher's string table that serves an interface language: the two Chinese
// scripts, German, French, Italian, Japanese, Dutch, Polish, Portuguese and Spanish in any of their
// regional forms; English for every other language.
LANGID ChooseStringLanguage(LANGID langUi);

// The string with this id in the string table of exactly this language, or an empty string when
// the module has no such string in that language.
std::wstring LoadLanguageString(HMODULE hModule, UINT nId, LANGID lang);

// The string with this id in the user's interface language, falling back to English.
std::wstring LoadUserString(HMODULE hModule, UINT nId);
