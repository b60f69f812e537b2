#include "Handwriting.h"

#include <cmath>

namespace {
std::string Sample(const char* pszCmd, long x, long y, long nPressure) {
    return std::string(pszCmd) + " " + std::to_string(x) + " " + std::to_string(y) + " " +
           std::to_string(nPressure) + "\n";
}
} // namespace

// The loops are a prolate cycloid.
std::string LoopWord(int x0, int nBase, int nLoops, int nSize, bool bSwell) {
    const double a = nSize * 0.25, b = nSize * 0.6, kTwoPi = 2 * 3.14159;
    std::string str;
    long x = 0, y = 0;
    for (int i = 0; i * 0.3 <= nLoops * kTwoPi; ++i) {
        const double t = i * 0.3;
        x = std::lround(x0 + a * t - b * std::sin(t));
        y = std::lround(nBase - b * (1 + std::cos(t)));
        const long nPressure = bSwell ? std::lround(880 + 140 * std::sin(t / 3)) : 700;
        str += Sample(i == 0 ? "down" : "move", x, y, nPressure);
    }
    return str + "up " + std::to_string(x) + " " + std::to_string(y) + "\n";
}

int LoopWordWidth(int nLoops, int nSize) {
    return static_cast<int>(nLoops * 2 * 3.14159 * 0.25 * nSize) + 60;
}
