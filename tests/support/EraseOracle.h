// The eraser's touch test as it was before the mask was read into memory: every stroke drawn
// into a screen-compatible bitmap of its own, the mask laid over it with a bitwise OR and the
// result read back. Kept as the oracle that the fast erase must agree with, stroke for stroke.
#pragma once
#include <windows.h>

#include <vector>

#include "Lines.h"

// What erasing with the newest stroke of a list takes away.
struct COracleErase {
    RECT rcErased{};         // the union of the touched strokes' reach bounds
    std::vector<int> erased; // indexes of the touched strokes, newest first
};

// The touch test of one stroke against a mask made by CLine::MakeEraseMask.
RECT OracleHitByMask(const CLine& stroke, HDC hdcMask, const RECT& rcMask);
// Takes the newest stroke of lines as an eraser path and finds the strokes it touches, as
// CLines::EraseByLast did; the list is not changed.
COracleErase OracleEraseByLast(const CLines& lines);
