// Every message the program shows the user goes through ShowMessage, so that tests can capture
// the text and caption instead of blocking on a modal box.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Shows a message box (owner may be null) and returns the button the user chose. An empty
// caption is shown empty.
int ShowMessage(HWND hwndOwner, const std::wstring& strText, const std::wstring& strCaption,
                UINT uType);

// Replaces the message box for tests; the hook returns the button to report. Pass an empty
// function to restore the real message box.
using MessageHook =
    std::function<int(const std::wstring& strText, const std::wstring& strCaption, UINT uType)>;
void SetMessageHook(MessageHook hook);
