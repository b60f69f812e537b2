#include "TabletPressure.h"

#include <algorithm>

namespace {

// The axis maximum assumed when no tablet answers: 512 levels, normalised 0 to 511.
constexpr int kDefaultAxisMax = 511;

PressureAxisSource& Source() {
    static PressureAxisSource s_source;
    return s_source;
}

} // namespace

void SetPressureAxisSource(PressureAxisSource source) {
    Source() = std::move(source);
}

CPressureRange PressureRangeFromAxis(int nAxisMax) {
    // A driver may report nonsense; keep the levels within 1 and 2^24 so that the division
    // below never sees zero and the sum never overflows.
    const long long nLevels =
        std::clamp<long long>(static_cast<long long>(nAxisMax) + 1, 1, 1 << 24);
    const int nScale = std::max<int>(1, static_cast<int>(nLevels / 512));
    return {static_cast<int>(nLevels / nScale) - 1, nScale};
}

CPressureRange QueryPressureRange() {
    std::optional<int> axis;
    if (Source())
        axis = Source()();
    return PressureRangeFromAxis(axis.value_or(kDefaultAxisMax));
}
