// CArchive: a little-endian binary stream that model objects store themselves into, field by
// field, with no tags. Loading works on the whole file's bytes in memory, so a reader always
// knows how many bytes remain and can refuse a count that the file cannot hold before it
// allocates anything. Storing collects the bytes in memory, or hands them on to a sink (the
// file being written) in pieces, so that a large note needs no buffer of the file's size.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

// Thrown when a load runs past the end of the data or meets a value the file cannot hold.
class CArchiveException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CArchive {
public:
    // Takes each piece of stored bytes; it throws to stop the storing.
    using Sink = std::function<void(const std::uint8_t*, std::size_t)>;
    // The bytes a storing archive with a sink gathers before it hands them on.
    static constexpr std::size_t kPieceSize = 1 << 18;

    // A storing archive that collects bytes.
    CArchive() = default;
    // A storing archive that hands its bytes on to sink; Flush hands on the last ones.
    explicit CArchive(Sink sink) : m_sink(std::move(sink)) { m_data.reserve(kPieceSize); }
    // A loading archive over bytes read from a file.
    explicit CArchive(std::vector<std::uint8_t> data) : m_data(std::move(data)), m_bLoading(true) {}

    bool IsStoring() const { return !m_bLoading; }
    bool IsLoading() const { return m_bLoading; }

    void WriteInt32(std::int32_t n) { WriteLE(static_cast<std::uint32_t>(n), 4); }
    void WriteUInt32(std::uint32_t n) { WriteLE(n, 4); }
    void WriteInt16(std::int16_t n) { WriteLE(static_cast<std::uint16_t>(n), 2); }
    void WriteBytes(const void* p, std::size_t n);

    std::int32_t ReadInt32() { return static_cast<std::int32_t>(ReadLE(4)); }
    std::uint32_t ReadUInt32() { return static_cast<std::uint32_t>(ReadLE(4)); }
    std::int16_t ReadInt16() { return static_cast<std::int16_t>(ReadLE(2)); }
    void ReadBytes(void* p, std::size_t n);
    // Makes room for n more bytes at once (storing), so that a large note grows its buffer once.
    void Reserve(std::size_t n) {
        if (!m_sink)
            m_data.reserve(m_data.size() + n);
    }
    // Hands the bytes gathered so far to the sink.
    void Flush();

    // A quiet archive stores in the background, unasked: what it stores shows no message, and
    // what cannot be stored is stored as empty.
    void SetQuiet(bool bQuiet) { m_bQuiet = bQuiet; }
    bool IsQuiet() const { return m_bQuiet; }

    // Bytes not yet read (loading).
    std::size_t Remaining() const { return m_data.size() - m_nPos; }
    // Throws unless at least nCount records of nMinRecordSize bytes can still follow.
    void CheckCount(std::int64_t nCount, std::size_t nMinRecordSize) const;

    // The bytes written so far and not handed on (storing), or the whole input (loading).
    const std::vector<std::uint8_t>& Data() const { return m_data; }

private:
    void WriteLE(std::uint32_t n, int nBytes);
    std::uint32_t ReadLE(int nBytes);
    void FlushWhenFull() {
        if (m_sink && m_data.size() >= kPieceSize)
            Flush();
    }

    Sink m_sink;
    std::vector<std::uint8_t> m_data;
    std::size_t m_nPos = 0;
    bool m_bLoading = false;
    bool m_bQuiet = false;
};
