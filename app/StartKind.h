// How KVOmail was started, from the words on its command line, and what a start of each kind
// does when an instance of the same kind already runs.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

enum class EStartKind {
    Plain,  // none of the words: any number of instances, the file on the command line opens
    Jxm,    // "JXM": no single-instance check, the command line is used unchanged
    Letter, // "LETTER": one letter instance (event "Quillet", window class "LETTER")
    Inking  // "INKING": one inking instance (event "Scribola", window class "INKING")
};

// The kind of start from the arguments that follow the program's path (never from the path: a
// program kept in a folder named "Letters" is no letter start). "JXM" counts anywhere in an
// argument, as in a mail file's name; "LETTER" and "INKING" count only as a whole argument, as
// the launcher and the shell pass them. Any case; tested in the order JXM, LETTER, INKING (both
// LETTER and INKING make a letter start).
EStartKind ClassifyStart(const std::vector<std::wstring>& args);

// Creates the start event of a letter or inking start and keeps it for the life of the process.
// False when another instance of the same kind holds it already.
bool ClaimStartEvent(EStartKind nKind);

// Brings the running letter instance forward (and minimises a running inking instance).
void ActivateRunningLetter();
// Waits for the running inking instance's window and raises it top-most; false when it did not
// appear within nTimeoutMs.
bool ActivateRunningInking(DWORD nTimeoutMs);
