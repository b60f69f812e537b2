#include "PtPres.h"

void CPtPres::Push(POINT pt, POINT ptFix, int nPressure) {
    m_nNewest = (m_nNewest + 1) % kSize;
    m_entries[m_nNewest] = {pt, ptFix, nPressure};
    if (m_nFilled < kSize)
        ++m_nFilled;
}

std::optional<CPtPres::Entry> CPtPres::Get(int nOffset) const {
    // -1 is the newest entry itself; older entries exist only once that many have been pushed.
    const int nBack = -nOffset - 1;
    if (m_nNewest < 0 || nBack < 0 || nBack >= m_nFilled)
        return std::nullopt;
    return m_entries[((m_nNewest - nBack) % kSize + kSize) % kSize];
}
