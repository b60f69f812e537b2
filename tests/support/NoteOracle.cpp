#include "NoteOracle.h"

namespace {

std::vector<COldStroke> ReadStrokes(CArchive& ar) {
    for (int i = 0; i < 7; ++i)
        ar.ReadInt32(); // the paper settings
    const std::int32_t nCount = ar.ReadInt32();
    ar.CheckCount(nCount, CLine::kRecordSize);
    std::vector<COldStroke> strokes(static_cast<std::size_t>(nCount));
    for (COldStroke& s : strokes) {
        const std::int32_t nPoints = ar.ReadInt32();
        s.rcBound = {ar.ReadInt32(), ar.ReadInt32(), ar.ReadInt32(), ar.ReadInt32()};
        s.crColor = ar.ReadUInt32();
        s.bMask = ar.ReadInt16();
        s.nTool = ar.ReadInt16();
        s.bSmooth = ar.ReadInt32();
        ar.CheckCount(nPoints, CLine::kSampleSize);
        s.points.resize(static_cast<std::size_t>(nPoints));
        for (COldSample& pt : s.points) {
            pt.x = ar.ReadInt32();
            pt.y = ar.ReadInt32();
            pt.nWidth = ar.ReadInt16();
        }
    }
    return strokes;
}

} // namespace

void OracleStoreStrokes(CArchive& ar, const CLines& lines) {
    ar.WriteInt32(lines.GetCount());
    for (int n = 0; n < lines.GetCount(); ++n) {
        const CLine& line = *lines.GetAt(n);
        const RECT rc = line.GetBound();
        ar.WriteInt32(line.GetPointCount());
        ar.WriteInt32(rc.left);
        ar.WriteInt32(rc.top);
        ar.WriteInt32(rc.right);
        ar.WriteInt32(rc.bottom);
        ar.WriteUInt32(line.GetColor());
        ar.WriteInt16(line.IsMask() ? 1 : 0);
        ar.WriteInt16(line.GetTool());
        ar.WriteInt32(line.IsSmooth() ? 1 : 0);
        for (int i = 0; i < line.GetPointCount(); ++i) {
            const LinePoint& pt = line.GetPoint(i);
            ar.WriteInt32(pt.x);
            ar.WriteInt32(pt.y);
            ar.WriteInt16(pt.nWidth);
        }
    }
}

std::vector<COldStroke> OracleLoadNote(std::vector<std::uint8_t> data) {
    CArchive first(std::move(data));
    ReadStrokes(first);
    CPictures pictures;
    pictures.Serialize(first);
    CArchive second(std::vector<std::uint8_t>(first.Data()));
    return ReadStrokes(second);
}
