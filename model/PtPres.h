// CPtPres: the brush renderer's memory of its most recent stamps, a ring of 20 entries. The
// corner repair looks back at the last three of them to restamp the heavy ones near a corner.
#pragma once
#include <windows.h>

#include <optional>

class CPtPres {
public:
    static constexpr int kSize = 20;

    struct Entry {
        POINT pt{};    // stamp position in whole pixels
        POINT ptFix{}; // the same position in 1/256 pixel
        int nPressure = 0;
    };

    CPtPres() = default;
    virtual ~CPtPres() = default;

    // Advances the newest index (wrapping to 0 after 19, and from -1) and stores the entry.
    void Push(POINT pt, POINT ptFix, int nPressure);
    // The entry at nOffset (-1 the newest, -2 the one before, ...), or nothing when that entry
    // was never filled.
    std::optional<Entry> Get(int nOffset) const;
    // The index of the newest entry, -1 while the ring is empty.
    int GetNewest() const { return m_nNewest; }

private:
    Entry m_entries[kSize];
    int m_nNewest = -1;
    int m_nFilled = 0;
};
