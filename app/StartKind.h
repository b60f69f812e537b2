// How KVOmail was started, from the words on its command line, and what a start of each kind
// does when an instance of the same kind already runs.
#pragma once
#include <windows.h>

#include <string>

enum class EStartKind {
    Plain,  // none of the words: any number of instances, the file on the command line opens
    Jxm,    // "JXM": no single-instance check, the command line is used unchanged
    Letter, // "LETTER": one letter instance (event "Quillet", window class "LETTER")
    Inking  // "INKING": one inking instance (event "Scribola", window class "INKING")
};

// The words are found anywhere in the command line, in any case, in the order JXM, LETTER,
// INKING (a line with both LETTER and INKING is a letter start).
EStartKind ClassifyStart(const std::wstring& strCommandLine);

// Creates the start event of a letter or inking start and keeps it for the life of the process.
// False when another instance of the same kind holds it already.
bool ClaimStartEvent(EStartKind nKind);

// Brings the running letter instance forward (and minimises a running inking instance).
void ActivateRunningLetter();
// Waits for the running inking instance's window and raises it top-most; false when it did not
// appear within nTimeoutMs.
bool ActivateRunningInking(DWORD nTimeoutMs);
