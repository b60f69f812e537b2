// Damaged notes through the real open path: a few thousand mutations of notes the program wrote
// itself. Each is opened in time and within bounded memory, and either opens or is refused with
// the framework's message, leaving the open note as it was; none crashes the program. A picture
// record whose pixels fall short may be announced on the way ("Too small buffer size").
#include "AppFixture.h"
#include "DibFormat.h"
#include "FrameworkIds.h"

#include <psapi.h>

#include <algorithm>
#include <array>
#include <random>

namespace {
constexpr int kMutationsPerNote = 700;
constexpr ULONGLONG kOpenMs = 2000;
// What an open may take beyond the page bitmaps of the note before and after it.
constexpr SIZE_T kExtraBytes = SIZE_T(64) << 20;

std::unique_ptr<CLine> Stroke(short nTool, bool bSmooth, int y, short nWeight, COLORREF cr) {
    auto pLine = std::make_unique<CLine>();
    pLine->SetColor(cr);
    pLine->SetTool(nTool, bSmooth);
    for (int i = 0; i < 12; ++i)
        pLine->AddPoint(20 + 15 * i, y + (i % 3) * 4, nWeight);
    return pLine;
}

std::unique_ptr<CPicture> SmallPicture() {
    CWindowDC screen(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(screen.Get(), 6, 4);
    {
        CMemoryDC dc(screen.Get());
        CSelectScope select(dc.Get(), hbm);
        const RECT rc{0, 0, 6, 4};
        COwnedBrush brush(CreateSolidBrush(RGB(10, 200, 30)));
        FillRect(dc.Get(), &rc, brush.Get());
    }
    auto p = std::make_unique<CPicture>();
    p->SetImage(hbm, 6, 4);
    p->SetRect({40, 50, 52, 58});
    return p;
}

// One to three changes: a flipped bit, a byte or a 32-bit word set to a value that often breaks
// readers, a cut, or bytes inserted.
std::vector<std::uint8_t> Mutated(std::vector<std::uint8_t> d, std::mt19937& rng) {
    static const std::uint32_t kWords[] = {0,          1,          0x7FFFFFFF, 0x80000000,
                                           0xFFFFFFFF, 0x00010000, 0x04000000, 100000};
    const int nChanges = 1 + int(rng() % 3);
    for (int n = 0; n < nChanges && !d.empty(); ++n) {
        const size_t nPos = rng() % d.size();
        switch (rng() % 5) {
        case 0:
            d[nPos] ^= std::uint8_t(1u << (rng() % 8));
            break;
        case 1:
            d[nPos] = std::uint8_t(std::array<int, 4>{0, 0xFF, 0x7F, 0x80}[rng() % 4]);
            break;
        case 2: {
            const std::uint32_t w = kWords[rng() % std::size(kWords)];
            for (size_t i = 0; i < 4 && (nPos & ~size_t(3)) + i < d.size(); ++i)
                d[(nPos & ~size_t(3)) + i] = std::uint8_t(w >> (8 * i));
            break;
        }
        case 3:
            d.resize(nPos);
            break;
        default:
            d.insert(d.begin() + std::ptrdiff_t(nPos), 1 + rng() % 8, std::uint8_t(rng()));
            break;
        }
    }
    return d;
}

// The process's committed memory now, and the most it has held in memory so far (Wine reports
// no private bytes and no peak commit, but both of these).
struct CMemory {
    SIZE_T nCommitted = 0;
    SIZE_T nPeakResident = 0;
};

CMemory Memory() {
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc));
    return {pmc.PagefileUsage, pmc.PeakWorkingSetSize};
}

// The bytes of the 24-bit page bitmap for the paper.
SIZE_T PageBytes(const CNotePaper& paper) {
    const RECT& rc = paper.rcPage;
    return SIZE_T(DibStride(rc.right - rc.left, 24) * (rc.bottom - rc.top));
}

class NoteFuzz : public CAppFixture {
protected:
    // A small screen keeps the page of a new note, and the page bitmap, small.
    SIZE ScreenSize() const override { return {320, 240}; }

    // The notes the program writes: empty, strokes of every tool, and a picture under strokes.
    std::vector<std::vector<std::uint8_t>> WriteNotes() {
        std::vector<std::vector<std::uint8_t>> notes;
        const std::wstring strPath = m_folder / L"written.Qzn";
        for (int nNote = 0; nNote < 3; ++nNote) {
            m_pFrame->RouteCommand(ID_FILE_NEW);
            if (nNote >= 1) {
                m_pDoc->m_lines.Add(Stroke(kToolPencil, true, 30, 160, RGB(0, 0, 128)));
                m_pDoc->m_lines.Add(Stroke(kToolMarker, false, 70, 8, RGB(255, 255, 0)));
            }
            if (nNote == 2) {
                m_pDoc->m_pictures.Add(SmallPicture());
                m_pDoc->m_lines.Add(Stroke(kToolBrush, true, 110, 300, RGB(200, 0, 0)));
            }
            EXPECT_TRUE(m_pDoc->OnSaveDocument(strPath.c_str()));
            notes.push_back(CTestFolder::ReadBytes(strPath));
        }
        return notes;
    }
};
} // namespace

TEST_F(NoteFuzz, DamagedNotesOpenOrAreRefusedInTimeAndLeaveTheOpenNoteAlone) {
    const std::vector<std::vector<std::uint8_t>> notes = WriteNotes();
    ASSERT_EQ(notes.size(), 3u);
    m_messages.clear();
    const std::wstring strPath = m_folder / L"damaged.Qzn";
    const CMemory start = Memory();
    SIZE_T nPeakAllowed = 0;
    std::mt19937 rng(20261208);
    int nOpened = 0, nRefused = 0;
    for (size_t nNote = 0; nNote < notes.size(); ++nNote) {
        for (int nMutation = 0; nMutation < kMutationsPerNote; ++nMutation) {
            const std::string strCase =
                "note " + std::to_string(nNote) + ", mutation " + std::to_string(nMutation);
            ASSERT_TRUE(CTestFolder::WriteBytes(strPath, Mutated(notes[nNote], rng)));
            const int nStrokes = m_pDoc->m_lines.GetCount();
            const RECT rcBound = m_pDoc->m_lines.GetBound();
            const SIZE_T nPageBefore = PageBytes(m_pView->GetPaper());
            const ULONGLONG nStart = GetTickCount64();
            const BOOL bOpened = m_pDoc->OnOpenDocument(strPath.c_str());
            const ULONGLONG nMs = GetTickCount64() - nStart;
            ASSERT_LT(nMs, kOpenMs) << strCase;
            // Memory grows by the page bitmap a note asks for, never by what its strokes say.
            const SIZE_T nPageAfter = PageBytes(m_pView->GetPaper());
            nPeakAllowed = std::max(nPeakAllowed,
                                    start.nPeakResident + nPageBefore + nPageAfter + kExtraBytes);
            const CMemory memory = Memory();
            ASSERT_LT(memory.nCommitted, start.nCommitted + nPageAfter + kExtraBytes) << strCase;
            ASSERT_LT(memory.nPeakResident, nPeakAllowed) << strCase;
            // A picture whose pixels fall short is announced and left without an image.
            std::erase_if(m_messages, [](const CShownMessage& m) {
                return m.strText == L"Too small buffer size" && m.strCaption == L"OpenPicture";
            });
            if (bOpened) {
                ++nOpened;
                ASSERT_TRUE(m_messages.empty())
                    << strCase << ": " << testing::PrintToString(m_messages[0].strText);
                continue;
            }
            ++nRefused;
            ASSERT_EQ(m_messages.size(), 1u) << strCase;
            EXPECT_TRUE(m_messages[0].strText == L"Unexpected file format." ||
                        m_messages[0].strText == L"Failed to open document.")
                << strCase << ": " << testing::PrintToString(m_messages[0].strText);
            m_messages.clear();
            const RECT rcNow = m_pDoc->m_lines.GetBound();
            ASSERT_EQ(m_pDoc->m_lines.GetCount(), nStrokes) << strCase << ": the open note changed";
            ASSERT_TRUE(EqualRect(&rcNow, &rcBound)) << strCase << ": the open note changed";
        }
    }
    // Both outcomes occur: the mutations reach past the checks as well as into them.
    EXPECT_GT(nOpened, 100);
    EXPECT_GT(nRefused, 100);
}
