// CStrokeBands: draws a run of brush strokes into a DIB section in horizontal bands, one thread
// per band, so that redrawing a whole page uses every processor. Each band's thread draws, in
// the strokes' order, every stroke whose samples come near its rows, clipped to those rows. A
// pixel is then painted only by its own band's thread and by the same stamps in the same order
// as on one thread, so the page comes out the same, byte for byte. The bands are cut so that
// each holds about as many samples, at rows that few strokes reach across.
#pragma once
#include <windows.h>

#include <memory>
#include <span>
#include <vector>

#include "Line.h"

class CStrokeBands {
public:
    // Strokes, all smoothed, in drawing order.
    explicit CStrokeBands(std::span<const std::unique_ptr<CLine>> lines);

    // The bands a page is drawn in: one per processor, at most four.
    static int BandCount();
    // Draws the strokes on a direct target (CPixelTarget::IsDirect) in nBands bands, the first
    // on the calling thread; strokes of too few samples to be worth the threads are drawn on
    // the calling thread alone.
    void Draw(const CPixelTarget& target, int nBands) const;

private:
    struct Rows {
        long long nTop, nBottom; // the rows a stroke may paint, nBottom excluded
    };
    // A band handed to the thread pool.
    struct BandWork {
        const CStrokeBands* pBands;
        const CPixelTarget* pTarget;
        LONG nTop, nBottom;
    };
    long long LeastCrossedRow(long long nRow) const;
    std::vector<LONG> CutBands(const RECT& rcClip, int nBands) const;
    void DrawBand(const CPixelTarget& target, LONG nTop, LONG nBottom) const;
    static void CALLBACK DrawBandOfPool(PTP_CALLBACK_INSTANCE, void* pContext, PTP_WORK);

    std::span<const std::unique_ptr<CLine>> m_lines;
    std::vector<Rows> m_rows; // per stroke
    std::size_t m_nSamples = 0;
};
