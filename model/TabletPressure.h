// The pressure range of the tablet in use. A stroke asks for it when it is constructed; the
// model cannot reach the tablet library itself, so the application's tablet binding installs a
// source that reports the normal-pressure axis maximum. Without a source (or without a tablet)
// strokes assume a 512-level tablet.
#pragma once
#include <functional>
#include <optional>

struct CPressureRange {
    int nMax;   // normalised maximum pressure (m_nPressureMax)
    int nScale; // divisor from raw to normalised pressure, at least 1 (m_nPressureScale)
};

// The axis maximum (axMax) of the tablet's normal-pressure axis, or nothing without a tablet.
using PressureAxisSource = std::function<std::optional<int>()>;

// Installs the source that strokes query; an empty function restores the default.
void SetPressureAxisSource(PressureAxisSource source);

// The range for a tablet whose pressure axis ends at nAxisMax: scale = (axMax + 1) / 512,
// at least 1, and maximum = (axMax + 1) / scale - 1.
CPressureRange PressureRangeFromAxis(int nAxisMax);

// The range of the current tablet, as a new stroke takes it.
CPressureRange QueryPressureRange();
