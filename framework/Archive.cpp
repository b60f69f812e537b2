#include "Archive.h"

#include <cstring>

void CArchive::WriteLE(std::uint32_t n, int nBytes) {
    for (int i = 0; i < nBytes; ++i)
        m_data.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    FlushWhenFull();
}

std::uint32_t CArchive::ReadLE(int nBytes) {
    if (Remaining() < static_cast<std::size_t>(nBytes))
        throw CArchiveException("end of file");
    std::uint32_t n = 0;
    for (int i = 0; i < nBytes; ++i)
        n |= static_cast<std::uint32_t>(m_data[m_nPos++]) << (8 * i);
    return n;
}

void CArchive::WriteBytes(const void* p, std::size_t n) {
    const auto* pb = static_cast<const std::uint8_t*>(p);
    if (m_sink && n >= kPieceSize) {
        // A block as large as a piece goes on as it is, after what came before it.
        Flush();
        m_sink(pb, n);
        return;
    }
    m_data.insert(m_data.end(), pb, pb + n);
    FlushWhenFull();
}

void CArchive::Flush() {
    if (!m_sink || m_data.empty())
        return;
    m_sink(m_data.data(), m_data.size());
    m_data.clear();
}

void CArchive::ReadBytes(void* p, std::size_t n) {
    if (Remaining() < n)
        throw CArchiveException("end of file");
    if (n != 0)
        std::memcpy(p, m_data.data() + m_nPos, n);
    m_nPos += n;
}

void CArchive::CheckCount(std::int64_t nCount, std::size_t nMinRecordSize) const {
    if (nCount < 0)
        throw CArchiveException("negative count");
    if (nMinRecordSize != 0 && static_cast<std::uint64_t>(nCount) > Remaining() / nMinRecordSize)
        throw CArchiveException("count larger than the file");
}
