#include "StrokeBands.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <numeric>
#include <utility>
#include <thread>

namespace {

constexpr int kMaxThreads = 4;
// Each thread takes the next band not yet drawn until none is left. More bands per thread would
// let threads of unequal speed even out, but a stroke that crosses a cut is read by both bands
// (each passes the curves outside it): on a quiet two-core machine two bands per thread drew the
// page in 56-78 ms against 53-55 ms with one.
constexpr int kBandsPerThread = 1;
// A run of fewer samples is drawn on the calling thread alone: handing bands to other threads
// would cost more than it saves.
constexpr std::size_t kMinSamplesForBands = 4000;
// Rows a cut may move to one that fewer strokes cross: more than the highest ruled line (40), so
// that handwriting on the lines leaves a gap within reach.
constexpr long long kCutLeeway = 48;

} // namespace

CStrokeBands::CStrokeBands(std::span<const std::unique_ptr<CLine>> lines) : m_lines(lines) {
    m_rows.reserve(lines.size());
    for (const auto& pLine : lines) {
        // The curves run inside the hull of the samples, so their rows bound the stamps'.
        long long nTop = 0, nBottom = -1;
        for (int i = 0; i < pLine->GetPointCount(); ++i) {
            const long long y = pLine->GetPoint(i).y;
            nTop = i == 0 ? y : std::min(nTop, y);
            nBottom = i == 0 ? y : std::max(nBottom, y);
        }
        m_rows.push_back({nTop - CSMLine::kStampReach, nBottom + CSMLine::kStampReach + 1});
        m_nSamples += static_cast<std::size_t>(pLine->GetPointCount());
    }
}

int CStrokeBands::ThreadCount() {
    return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxThreads);
}

// Of the rows within kCutLeeway of nRow, the one that the fewest strokes reach across (both bands
// step through such a stroke), the nearest on a tie.
long long CStrokeBands::LeastCrossedRow(long long nRow) const {
    const long long nFirst = nRow - kCutLeeway, nLast = nRow + kCutLeeway;
    // A stroke reaches across row y when nTop < y < nBottom: counted up where that begins and
    // down where it ends.
    std::vector<int> changes(static_cast<std::size_t>(nLast - nFirst + 2));
    for (const Rows& rows : m_rows) {
        const long long y0 = std::max(rows.nTop + 1, nFirst),
                        y1 = std::min(rows.nBottom, nLast + 1);
        if (y0 < y1) {
            ++changes[static_cast<std::size_t>(y0 - nFirst)];
            --changes[static_cast<std::size_t>(y1 - nFirst)];
        }
    }
    long long nBest = nRow;
    int nBestCount = INT_MAX, nCount = 0;
    for (long long y = nFirst; y <= nLast; ++y) {
        nCount += changes[static_cast<std::size_t>(y - nFirst)];
        if (nCount < nBestCount ||
            (nCount == nBestCount && std::abs(y - nRow) < std::abs(nBest - nRow))) {
            nBestCount = nCount;
            nBest = y;
        }
    }
    return nBest;
}

// The first row of each band and, last, the end of the clip box: each band's strokes, counted
// by the middle of their rows, hold an equal share of the samples; each cut then moves to the
// row near it that the fewest strokes reach across.
std::vector<LONG> CStrokeBands::CutBands(const RECT& rcClip, int nBands) const {
    std::vector<std::size_t> order(m_rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto middle = [this](std::size_t i) { return m_rows[i].nTop + m_rows[i].nBottom; };
    std::sort(order.begin(), order.end(),
              [&middle](std::size_t a, std::size_t b) { return middle(a) < middle(b); });
    std::vector<LONG> cuts = {rcClip.top};
    std::size_t nCounted = 0;
    for (std::size_t i : order) {
        nCounted += static_cast<std::size_t>(m_lines[i]->GetPointCount());
        if (static_cast<int>(cuts.size()) < nBands &&
            nCounted * static_cast<std::size_t>(nBands) >= m_nSamples * cuts.size())
            cuts.push_back(static_cast<LONG>(
                std::clamp<long long>(LeastCrossedRow(middle(i) / 2), cuts.back(), rcClip.bottom)));
    }
    while (static_cast<int>(cuts.size()) < nBands)
        cuts.push_back(rcClip.bottom);
    cuts.push_back(rcClip.bottom);
    return cuts;
}

void CStrokeBands::DrawBand(const CPixelTarget& target, LONG nTop, LONG nBottom) const {
    if (nTop >= nBottom)
        return;
    const CPixelTarget band(target, {target.ClipBox().left, nTop, target.ClipBox().right, nBottom});
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (m_rows[i].nTop < nBottom && m_rows[i].nBottom > nTop)
            m_lines[i]->Draw(band);
}

// Draws bands, each the next one that no thread has taken, until none is left.
void CStrokeBands::CQueue::DrawAll() {
    for (int b = m_nNext++; b + 1 < static_cast<int>(m_cuts.size()); b = m_nNext++)
        m_bands.DrawBand(m_target, m_cuts[b], m_cuts[b + 1]);
}

void CALLBACK CStrokeBands::DrawAllOfPool(PTP_CALLBACK_INSTANCE, void* pQueue, PTP_WORK) {
    static_cast<CQueue*>(pQueue)->DrawAll();
}

// The calling thread takes bands as the threads of the system's thread pool do, which stay ready
// between pages (starting a thread of its own took milliseconds).
void CStrokeBands::Draw(const CPixelTarget& target, int nThreads) const {
    nThreads = m_nSamples < kMinSamplesForBands ? 1 : std::clamp(nThreads, 1, kMaxThreads);
    const int nBands = nThreads == 1 ? 1 : nThreads * kBandsPerThread;
    CQueue queue(*this, target, CutBands(target.ClipBox(), nBands));
    // Whatever GDI still holds for the section lands before any thread paints its memory.
    target.Flush();
    std::vector<PTP_WORK> submitted;
    for (int t = 1; t < nThreads; ++t) {
        // Without a pool the calling thread draws every band.
        if (PTP_WORK pWork = CreateThreadpoolWork(&DrawAllOfPool, &queue, nullptr)) {
            SubmitThreadpoolWork(pWork);
            submitted.push_back(pWork);
        }
    }
    queue.DrawAll();
    for (PTP_WORK pWork : submitted) {
        WaitForThreadpoolWorkCallbacks(pWork, FALSE);
        CloseThreadpoolWork(pWork);
    }
}
