#include "ImageProbe.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

std::uint32_t Be16(const std::vector<std::uint8_t>& d, size_t i) {
    return (static_cast<std::uint32_t>(d[i]) << 8) | d[i + 1];
}
std::uint32_t Be32(const std::vector<std::uint8_t>& d, size_t i) {
    return (Be16(d, i) << 16) | Be16(d, i + 2);
}
std::uint32_t Le16(const std::vector<std::uint8_t>& d, size_t i) {
    return (static_cast<std::uint32_t>(d[i + 1]) << 8) | d[i];
}
std::uint32_t Le32(const std::vector<std::uint8_t>& d, size_t i) {
    return (Le16(d, i + 2) << 16) | Le16(d, i);
}

// Walks the marker segments up to the first start-of-frame marker, which holds the size.
bool ProbeJpeg(const std::vector<std::uint8_t>& d, std::uint32_t& w, std::uint32_t& h) {
    size_t i = 2;
    while (i + 1 < d.size()) {
        if (d[i] != 0xFF)
            return false;
        const std::uint8_t m = d[i + 1];
        if (m == 0xFF) { // fill byte
            ++i;
            continue;
        }
        if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) { // markers without a length
            i += 2;
            continue;
        }
        if (m == 0xD9 || m == 0xDA || i + 4 > d.size()) // image end or scan data before a frame
            return false;
        const size_t nLen = Be16(d, i + 2);
        if (nLen < 2)
            return false;
        const bool bFrame = m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
        if (bFrame) {
            if (nLen < 7 || i + 9 > d.size())
                return false;
            h = Be16(d, i + 5);
            w = Be16(d, i + 7);
            return true;
        }
        i += 2 + nLen;
    }
    return false;
}

} // namespace

bool ProbeImageSize(const std::vector<std::uint8_t>& d, std::uint32_t& w, std::uint32_t& h) {
    w = h = 0;
    if (d.size() >= 4 && d[0] == 0xFF && d[1] == 0xD8)
        return ProbeJpeg(d, w, h);
    static const std::uint8_t png[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (d.size() >= 24 && std::equal(png, png + 8, d.begin())) {
        w = Be32(d, 16);
        h = Be32(d, 20);
        return true;
    }
    if (d.size() >= 10 && d[0] == 'G' && d[1] == 'I' && d[2] == 'F' && d[3] == '8') {
        w = Le16(d, 6);
        h = Le16(d, 8);
        return true;
    }
    if (d.size() >= 26 && d[0] == 'B' && d[1] == 'M') {
        if (Le32(d, 14) == 12) { // the old core header with 16-bit sizes
            w = Le16(d, 18);
            h = Le16(d, 20);
            return true;
        }
        const auto nW = static_cast<std::int32_t>(Le32(d, 18));
        const auto nH = static_cast<std::int32_t>(Le32(d, 22));
        if (nW <= 0 || nH == 0 || nH == INT32_MIN)
            return false;
        w = static_cast<std::uint32_t>(nW);
        h = static_cast<std::uint32_t>(std::abs(nH));
        return true;
    }
    return false;
}
