// CStrokeBands: draws a run of brush strokes into a DIB section in horizontal bands, shared out
// among one thread per processor, so that redrawing a whole page uses every processor. The
// thread that draws a band draws, in the strokes' order, every stroke whose samples come near its
// rows, clipped to those rows. A pixel is then painted only by one thread and by the same stamps
// in the same order as on one thread, so the page comes out the same, byte for byte. The bands are
// cut so that each holds about as many samples, at rows that few strokes reach across.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <span>
#include <vector>

#include "Line.h"

class CStrokeBands {
public:
    // Strokes, all smoothed, in drawing order.
    explicit CStrokeBands(std::span<const std::unique_ptr<CLine>> lines);

    // The threads a page is drawn on: one per processor, at most four.
    static int ThreadCount();
    // Draws the strokes on a direct target (CPixelTarget::IsDirect) in bands, on nThreads
    // threads including the calling one; strokes of too few samples to be worth the threads are
    // drawn on the calling thread alone.
    void Draw(const CPixelTarget& target, int nThreads) const;

private:
    struct Rows {
        long long nTop, nBottom; // the rows a stroke may paint, nBottom excluded
    };
    // The bands of one page, taken by the threads one at a time.
    class CQueue {
    public:
        CQueue(const CStrokeBands& bands, const CPixelTarget& target, std::vector<LONG> cuts)
            : m_bands(bands), m_target(target), m_cuts(std::move(cuts)) {}
        void DrawAll();

    private:
        const CStrokeBands& m_bands;
        const CPixelTarget& m_target;
        const std::vector<LONG> m_cuts; // each band's first row, then the end of the last
        std::atomic<int> m_nNext{0};
    };
    long long LeastCrossedRow(long long nRow) const;
    std::vector<LONG> CutBands(const RECT& rcClip, int nBands) const;
    void DrawBand(const CPixelTarget& target, LONG nTop, LONG nBottom) const;
    static void CALLBACK DrawAllOfPool(PTP_CALLBACK_INSTANCE, void* pQueue, PTP_WORK);

    std::span<const std::unique_ptr<CLine>> m_lines;
    std::vector<Rows> m_rows; // per stroke
    std::size_t m_nSamples = 0;
};
