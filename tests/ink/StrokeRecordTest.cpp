// The stored form of strokes and of the stroke list: byte layout, round trip, damaged input.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "Archive.h"
#include "InkTestUtil.h"
#include "Line.h"
#include "Lines.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::int32_t Int32At(const Bytes& b, std::size_t i) {
    return static_cast<std::int32_t>(b[i] | b[i + 1] << 8 | b[i + 2] << 16 |
                                     std::uint32_t(b[i + 3]) << 24);
}

std::int16_t Int16At(const Bytes& b, std::size_t i) {
    return static_cast<std::int16_t>(b[i] | b[i + 1] << 8);
}

Bytes Store(CLines& lines) {
    CArchive ar;
    lines.Serialize(ar);
    return ar.Data();
}

void ExpectSameStroke(const CLine& a, const CLine& b, int nStroke) {
    SCOPED_TRACE("stroke " + std::to_string(nStroke));
    EXPECT_EQ(a.GetColor(), b.GetColor());
    EXPECT_EQ(a.GetTool(), b.GetTool());
    EXPECT_EQ(a.IsSmooth(), b.IsSmooth());
    EXPECT_EQ(a.IsMask(), b.IsMask());
    EXPECT_EQ(a.GetBound(), b.GetBound());
    ASSERT_EQ(a.GetPointCount(), b.GetPointCount());
    for (int i = 0; i < a.GetPointCount(); ++i) {
        EXPECT_EQ(a.GetPoint(i).x, b.GetPoint(i).x) << "sample " << i;
        EXPECT_EQ(a.GetPoint(i).y, b.GetPoint(i).y) << "sample " << i;
        EXPECT_EQ(a.GetPoint(i).nWidth, b.GetPoint(i).nWidth) << "sample " << i;
    }
}

} // namespace

TEST(StrokeRecordLayout, StrokeWithoutSamplesIsThirtyTwoBytes) {
    auto pLine = MakeStroke(kToolMarker, 0, 0x00123456, {});
    CArchive ar;
    pLine->Serialize(ar);
    const Bytes& b = ar.Data();
    ASSERT_EQ(b.size(), 32u);
    EXPECT_EQ(Int32At(b, 0), 0); // sample count
    EXPECT_EQ(Int32At(b, 4), 0); // bounding rectangle
    EXPECT_EQ(Int32At(b, 16), 0);
    EXPECT_EQ(Int32At(b, 20), 0x123456); // colour
    EXPECT_EQ(Int16At(b, 24), 1);        // mask flag: the marker draws in mask mode
    EXPECT_EQ(Int16At(b, 26), 4);        // tool
    EXPECT_EQ(Int32At(b, 28), 0);        // smooth flag
}

TEST(StrokeRecordLayout, HeaderFieldsAndSamplesSitAtTheirOffsets) {
    auto pLine = MakeStroke(kToolPencil, 0, 0x00ABCDEF, {{-7, 70000, 3}, {12, -4, -2}});
    CArchive ar;
    pLine->Serialize(ar);
    const Bytes& b = ar.Data();
    ASSERT_EQ(b.size(), 32u + 2 * 10u);
    EXPECT_EQ(Int32At(b, 0), 2);
    const RECT rc = pLine->GetBound();
    EXPECT_EQ(Int32At(b, 4), rc.left);
    EXPECT_EQ(Int32At(b, 8), rc.top);
    EXPECT_EQ(Int32At(b, 12), rc.right);
    EXPECT_EQ(Int32At(b, 16), rc.bottom);
    EXPECT_EQ(Int32At(b, 20), 0xABCDEF);
    EXPECT_EQ(Int16At(b, 24), 0);
    EXPECT_EQ(Int16At(b, 26), 2);
    EXPECT_EQ(Int32At(b, 28), 0);
    EXPECT_EQ(Int32At(b, 32), -7);
    EXPECT_EQ(Int32At(b, 36), 70000);
    EXPECT_EQ(Int16At(b, 40), 3);
    EXPECT_EQ(Int32At(b, 42), 12);
    EXPECT_EQ(Int32At(b, 46), -4);
    EXPECT_EQ(Int16At(b, 50), -2);
}

TEST(StrokeRecordLayout, ListWritesItsCountFirst) {
    CLines lines;
    lines.Add(MakeStroke(kToolBrush, 1, 0, {{1, 2, 300}}));
    lines.Add(MakeStroke(kToolPencil, 1, 0, {}));
    const Bytes b = Store(lines);
    ASSERT_EQ(b.size(), 4u + 42u + 32u);
    EXPECT_EQ(Int32At(b, 0), 2);
    EXPECT_EQ(Int32At(b, 4), 1);  // first stroke's sample count
    EXPECT_EQ(Int32At(b, 46), 0); // second stroke's sample count
}

TEST(StrokeRecordRoundTrip, WrittenAndReadListEqualsTheOriginal) {
    CLines lines;
    lines.Add(MakeStroke(kToolBrush, 1, 0x000000FF, {{10, 20, 300}, {15, 22, 511}, {30, 40, 0}}));
    lines.Add(MakeStroke(kToolMarker, 0, 0x0000FFFF, {{100, 100, 12}, {160, 104, 12}}));
    lines.Add(MakeStroke(kToolPencil, 1, 0x00808080, {}));
    lines.Add(MakeStroke(kToolEraser, 1, 0, {{-3, -9, -1}}));
    CArchive in(Store(lines));
    CLines read;
    read.Serialize(in);
    EXPECT_EQ(in.Remaining(), 0u);
    ASSERT_EQ(read.GetCount(), lines.GetCount());
    for (int i = 0; i < lines.GetCount(); ++i)
        ExpectSameStroke(*lines.GetAt(i), *read.GetAt(i), i);
}

TEST(StrokeRecordRoundTrip, ReadingReplacesTheStrokes) {
    CLines source;
    source.Add(MakeStroke(kToolPencil, 0, 1, {{1, 1, 1}}));
    CLines target;
    target.Add(MakeStroke(kToolBrush, 1, 2, {}));
    target.Add(MakeStroke(kToolBrush, 1, 3, {}));
    CArchive in(Store(source));
    target.Serialize(in);
    ASSERT_EQ(target.GetCount(), 1);
    EXPECT_EQ(target.GetAt(0)->GetColor(), 1u);
}

namespace {

// Loads bytes into a list that already holds one stroke; expects refusal and no change.
void ExpectRefused(const Bytes& bytes, const char* pszWhat) {
    SCOPED_TRACE(pszWhat);
    CLines lines;
    lines.Add(MakeStroke(kToolPencil, 0, 0x00FEDCBA, {{5, 5, 2}}));
    CArchive in(bytes);
    EXPECT_THROW(lines.Serialize(in), CArchiveException);
    ASSERT_EQ(lines.GetCount(), 1);
    EXPECT_EQ(lines.GetAt(0)->GetColor(), 0x00FEDCBAu);
}

Bytes Int32Bytes(std::int32_t n) {
    const auto u = static_cast<std::uint32_t>(n);
    return {std::uint8_t(u), std::uint8_t(u >> 8), std::uint8_t(u >> 16), std::uint8_t(u >> 24)};
}

} // namespace

TEST(StrokeRecordDamage, NegativeStrokeCountIsRefused) {
    ExpectRefused(Int32Bytes(-1), "count -1");
}

TEST(StrokeRecordDamage, StrokeCountBeyondTheDataIsRefused) {
    ExpectRefused(Int32Bytes(0x7FFFFFFF), "count 2^31-1");
    Bytes b = Int32Bytes(2);
    b.resize(4 + 32 + 31); // room for one record and not quite another
    ExpectRefused(b, "count 2 with 63 bytes");
}

TEST(StrokeRecordDamage, SampleCountBeyondTheDataIsRefused) {
    Bytes b = Int32Bytes(1);
    const Bytes n = Int32Bytes(100000000);
    b.insert(b.end(), n.begin(), n.end());
    b.resize(4 + 32 + 100);
    ExpectRefused(b, "100 million samples");
    Bytes neg = Int32Bytes(1);
    const Bytes m = Int32Bytes(-5);
    neg.insert(neg.end(), m.begin(), m.end());
    neg.resize(4 + 32);
    ExpectRefused(neg, "-5 samples");
}

TEST(StrokeRecordDamage, EveryTruncationOfAValidListIsRefused) {
    CLines lines;
    lines.Add(MakeStroke(kToolBrush, 1, 7, {{10, 20, 300}, {15, 22, 511}}));
    lines.Add(MakeStroke(kToolMarker, 0, 8, {{1, 2, 3}}));
    const Bytes full = Store(lines);
    for (std::size_t n = 0; n < full.size(); ++n) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        ExpectRefused(cut, ("cut at " + std::to_string(n)).c_str());
    }
}

TEST(StrokeRecordDamage, TruncatedStrokeLeavesTheStrokeUnchanged) {
    auto pSource = MakeStroke(kToolBrush, 1, 7, {{10, 20, 300}, {15, 22, 511}});
    CArchive out;
    pSource->Serialize(out);
    Bytes b = out.Data();
    b.pop_back();
    CLine line;
    line.SetColor(99);
    CArchive in(b);
    EXPECT_THROW(line.Serialize(in), CArchiveException);
    EXPECT_EQ(line.GetColor(), 99u);
    EXPECT_EQ(line.GetPointCount(), 0);
}
