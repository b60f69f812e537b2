// EFrameMode: the main frame's modes, where the pen writes: on the note paper, over the frozen
// desktop, or over an Office window for inking.
#pragma once

enum EFrameMode : int {
    kModeLetter = 0,
    kModeDesktop = 1,
    kModeInking = 2,
};

constexpr int kModeCount = 3;
