// The stored form of a whole note: byte layout, round trip, a file assembled by hand, and
// damaged files.
#include <gtest/gtest.h>

#include "Document.h"
#include "NoteFile.h"
#include "NoteTestUtil.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::int32_t Int32At(const Bytes& b, size_t i) {
    return static_cast<std::int32_t>(b[i] | b[i + 1] << 8 | b[i + 2] << 16 |
                                     std::uint32_t(b[i + 3]) << 24);
}

std::unique_ptr<CLine> Stroke(short nTool, int bSmooth, COLORREF cr,
                              const std::vector<LinePoint>& points) {
    auto p = std::make_unique<CLine>();
    p->SetTool(nTool, bSmooth);
    p->SetColor(cr);
    for (const LinePoint& pt : points)
        p->AddPoint(pt.x, pt.y, pt.nWidth);
    return p;
}

std::unique_ptr<CPicture> Picture(int w, int h, const std::vector<COLORREF>& px, const RECT& rc) {
    auto p = std::make_unique<CPicture>();
    p->SetImage(MakeBitmap(w, h, px), w, h);
    p->SetRect(rc);
    return p;
}

Bytes Store(const CNotePaper& header, CLines& lines, CPictures& pictures) {
    CArchive ar;
    CNoteFile::Store(ar, header, lines, pictures);
    return ar.Data();
}

// A note with three strokes and two pictures, and its stored bytes.
struct CSampleNote {
    CSampleNote() {
        header.crBack = 0x00112233;
        header.crLine = 0x00445566;
        header.nLineHeight = 45;
        header.rcPage = {0, 0, 1600, 4900};
        lines.Add(Stroke(kToolPencil, 0, 0x000000FF, {{10, 20, 3}, {15, 25, 3}, {30, 40, 4}}));
        lines.Add(Stroke(kToolBrush, 1, 0x00FF0000, {{-5, 7, 300}, {6, -8, 511}}));
        lines.Add(Stroke(kToolMarker, 0, 0x0000FFFF, {}));
        pixels1 = {RGB(1, 2, 3),    RGB(4, 5, 6),    RGB(7, 8, 9),
                   RGB(10, 11, 12), RGB(13, 14, 15), RGB(16, 17, 18)};
        pixels2 = std::vector<COLORREF>(5 * 4, RGB(200, 100, 50));
        pixels2[7] = RGB(0, 0, 0);
        pictures.Add(Picture(3, 2, pixels1, {100, 100, 130, 120}));
        pictures.Add(Picture(5, 4, pixels2, {-10, 50, 40, 90}));
        bytes = Store(header, lines, pictures);
    }
    CNotePaper header;
    CLines lines;
    CPictures pictures;
    std::vector<COLORREF> pixels1, pixels2;
    Bytes bytes;
};

void ExpectSameStrokes(CLines& a, CLines& b) {
    ASSERT_EQ(a.GetCount(), b.GetCount());
    for (int n = 0; n < a.GetCount(); ++n) {
        const CLine& x = *a.GetAt(n);
        const CLine& y = *b.GetAt(n);
        SCOPED_TRACE("stroke " + std::to_string(n));
        EXPECT_EQ(x.GetColor(), y.GetColor());
        EXPECT_EQ(x.GetTool(), y.GetTool());
        EXPECT_EQ(x.IsSmooth(), y.IsSmooth());
        EXPECT_EQ(x.IsMask(), y.IsMask());
        EXPECT_TRUE(SameRect(x.GetBound(), y.GetBound()));
        ASSERT_EQ(x.GetPointCount(), y.GetPointCount());
        for (int i = 0; i < x.GetPointCount(); ++i) {
            EXPECT_EQ(x.GetPoint(i).x, y.GetPoint(i).x) << "sample " << i;
            EXPECT_EQ(x.GetPoint(i).y, y.GetPoint(i).y) << "sample " << i;
            EXPECT_EQ(x.GetPoint(i).nWidth, y.GetPoint(i).nWidth) << "sample " << i;
        }
    }
}

void ExpectSamePictures(CPictures& a, CPictures& b) {
    ASSERT_EQ(a.GetCount(), b.GetCount());
    for (int n = 0; n < a.GetCount(); ++n) {
        SCOPED_TRACE("picture " + std::to_string(n));
        const CPicture& x = *a.GetAt(n);
        const CPicture& y = *b.GetAt(n);
        EXPECT_TRUE(SameRect(x.GetRect(), y.GetRect()));
        EXPECT_EQ(x.GetWidth(), y.GetWidth());
        EXPECT_EQ(x.GetHeight(), y.GetHeight());
        ASSERT_EQ(x.HasImage(), y.HasImage());
        if (x.HasImage()) {
            EXPECT_EQ(BitmapPixels(x.GetBitmap()), BitmapPixels(y.GetBitmap()));
        }
    }
}

} // namespace

TEST(NoteFileLayout, EmptyNoteIsThirtySixBytes) {
    CNotePaper header;
    header.rcPage = {1, 2, 1601, 4902};
    CLines lines;
    CPictures pictures;
    const Bytes b = Store(header, lines, pictures);
    ASSERT_EQ(b.size(), 36u);
    EXPECT_EQ(Int32At(b, 0), 13427429) << "paper colour";
    EXPECT_EQ(Int32At(b, 4), 11321541) << "line colour";
    EXPECT_EQ(Int32At(b, 8), 90) << "line spacing";
    EXPECT_EQ(Int32At(b, 12), 1);
    EXPECT_EQ(Int32At(b, 16), 2);
    EXPECT_EQ(Int32At(b, 20), 1601);
    EXPECT_EQ(Int32At(b, 24), 4902);
    EXPECT_EQ(Int32At(b, 28), 0) << "stroke count";
    EXPECT_EQ(Int32At(b, 32), 0) << "picture count";
}

TEST(NoteFileLayout, StrokeWithoutSamplesIsAThirtyTwoByteRecord) {
    CNotePaper header;
    CLines lines;
    lines.Add(Stroke(kToolPencil, 0, 0x00ABCDEF, {}));
    CPictures pictures;
    const Bytes b = Store(header, lines, pictures);
    ASSERT_EQ(b.size(), 36u + 32u);
    EXPECT_EQ(Int32At(b, 28), 1);
    EXPECT_EQ(Int32At(b, 32), 0) << "sample count";
    EXPECT_EQ(Int32At(b, 52), 0x00ABCDEF) << "colour at record offset 20";
    EXPECT_EQ(Int32At(b, 64), 0) << "picture count follows the record";
}

TEST(NoteFileLayout, ThreeByTwoPictureHasStrideTwelveAndTwentyFourBytes) {
    CNotePaper header;
    CLines lines;
    CPictures pictures;
    // Top row: 1,2,3 / bottom row: 4,5,6 (as R,G,B triples).
    pictures.Add(Picture(3, 2,
                         {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(11, 12, 13),
                          RGB(14, 15, 16), RGB(17, 18, 19)},
                         {5, 6, 35, 26}));
    EXPECT_EQ(CPicture::StoredStride(3), 12);
    const Bytes b = Store(header, lines, pictures);
    ASSERT_EQ(b.size(), 36u + 28u + 24u);
    EXPECT_EQ(Int32At(b, 32), 1) << "picture count";
    EXPECT_EQ(Int32At(b, 36), 2) << "height";
    EXPECT_EQ(Int32At(b, 40), 3) << "width";
    EXPECT_EQ(Int32At(b, 44), 5);
    EXPECT_EQ(Int32At(b, 48), 6);
    EXPECT_EQ(Int32At(b, 52), 35);
    EXPECT_EQ(Int32At(b, 56), 26);
    EXPECT_EQ(Int32At(b, 60), 24) << "S";
    // The first stored row is the bottom row, blue-green-red.
    const Bytes bottom(b.begin() + 64, b.begin() + 73);
    const Bytes top(b.begin() + 76, b.begin() + 85);
    EXPECT_EQ(bottom, (Bytes{13, 12, 11, 16, 15, 14, 19, 18, 17}));
    EXPECT_EQ(top, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7}));
}

namespace {
class CQuietView : public IPictureView {
public:
    void RepaintPageRect(const RECT&) override {}
    void ShowDragOutline(const RECT&) override {}
    void ShowPictureMenu(HMENU) override {}
};
} // namespace

TEST(NoteFileRoundTrip, WrittenNoteReadsBackTheSameStrokesAndPictures) {
    CSampleNote note;
    CQuietView view;
    ASSERT_TRUE(note.pictures.SelectAt(view, 110, 110));
    const Bytes again = Store(note.header, note.lines, note.pictures);
    EXPECT_EQ(again, note.bytes) << "the selection is not stored";

    CMessageCapture capture;
    CArchive ar(note.bytes);
    CNoteFile loaded;
    loaded.Load(ar);
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_EQ(loaded.m_paper.crBack, 0x00112233u);
    EXPECT_EQ(loaded.m_paper.crLine, 0x00445566u);
    EXPECT_EQ(loaded.m_paper.nLineHeight, 45);
    EXPECT_TRUE(SameRect(loaded.m_paper.rcPage, {0, 0, 1600, 4900}));
    ExpectSameStrokes(note.lines, *loaded.m_pLines);
    ExpectSamePictures(note.pictures, *loaded.m_pPictures);
    EXPECT_EQ(BitmapPixels(loaded.m_pPictures->GetAt(0)->GetBitmap()), note.pixels1);
    EXPECT_EQ(BitmapPixels(loaded.m_pPictures->GetAt(1)->GetBitmap()), note.pixels2);
    EXPECT_EQ(loaded.m_pPictures->GetSel(), -1);
    EXPECT_FALSE(loaded.m_pPictures->GetAt(0)->IsSelected());
    EXPECT_EQ(Store(loaded.m_paper, *loaded.m_pLines, *loaded.m_pPictures), note.bytes);
}

// A note assembled byte by byte, without the program's archive.
TEST(NoteFileIndependentWriter, HandAssembledNoteIsReadCorrectly) {
    CBytes b;
    b.U32(0x00E5E2CC).U32(0x00C5C0AC).I32(60).Rect(0, 0, 800, 1200);
    b.I32(2);                                                          // strokes
    b.I32(2).Rect(9, 19, 32, 42).U32(0x00800000).U16(0).U16(3).I32(1); // brush, smooth
    b.I32(10).I32(20).U16(0xFFFE).I32(30).I32(40).U16(257);
    b.I32(0).Rect(0, 0, 0, 0).U32(0x00000080).U16(1).U16(4).I32(0); // marker, no samples
    b.I32(1);                                                       // pictures
    b.I32(2).I32(2).Rect(7, 8, 27, 28).U32(16);
    b.U8(0x00).U8(0x00).U8(0xFF).U8(0xFF).U8(0x00).U8(0x00).U8(0xAA).U8(0xAA); // bottom: red, blue
    b.U8(0x00).U8(0xFF).U8(0x00).U8(0x10).U8(0x20).U8(0x30).U8(0xAA).U8(
        0xAA); // top: green, (30,20,10)

    CMessageCapture capture;
    CArchive ar(b.Data());
    CNoteFile note;
    note.Load(ar);
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_EQ(note.m_paper.crBack, 0x00E5E2CCu);
    EXPECT_EQ(note.m_paper.nLineHeight, 60);
    EXPECT_TRUE(SameRect(note.m_paper.rcPage, {0, 0, 800, 1200}));
    ASSERT_EQ(note.m_pLines->GetCount(), 2);
    const CLine& brush = *note.m_pLines->GetAt(0);
    EXPECT_EQ(brush.GetTool(), 3);
    EXPECT_TRUE(brush.IsSmooth());
    EXPECT_EQ(brush.GetColor(), 0x00800000u);
    EXPECT_TRUE(SameRect(brush.GetBound(), {9, 19, 32, 42}));
    ASSERT_EQ(brush.GetPointCount(), 2);
    EXPECT_EQ(brush.GetPoint(0).x, 10);
    EXPECT_EQ(brush.GetPoint(0).y, 20);
    EXPECT_EQ(brush.GetPoint(0).nWidth, -2) << "weights are signed 16-bit";
    EXPECT_EQ(brush.GetPoint(1).nWidth, 257);
    const CLine& marker = *note.m_pLines->GetAt(1);
    EXPECT_EQ(marker.GetTool(), 4);
    EXPECT_TRUE(marker.IsMask());
    EXPECT_EQ(marker.GetPointCount(), 0);
    ASSERT_EQ(note.m_pPictures->GetCount(), 1);
    const CPicture& pic = *note.m_pPictures->GetAt(0);
    EXPECT_TRUE(SameRect(pic.GetRect(), {7, 8, 27, 28}));
    ASSERT_TRUE(pic.HasImage());
    EXPECT_EQ(BitmapPixels(pic.GetBitmap()),
              (std::vector<COLORREF>{RGB(0, 255, 0), RGB(0x30, 0x20, 0x10), RGB(255, 0, 0),
                                     RGB(0, 0, 255)}));
}

TEST(NoteFileDamaged, EveryTruncationIsRefusedAndChangesNothing) {
    CSampleNote sample;
    CNoteFile note;
    {
        CArchive ar(sample.bytes);
        note.Load(ar);
    }
    CMessageCapture capture;
    for (size_t n = 0; n < sample.bytes.size(); ++n) {
        CArchive ar(
            Bytes(sample.bytes.begin(), sample.bytes.begin() + static_cast<std::ptrdiff_t>(n)));
        EXPECT_THROW(note.Load(ar), CArchiveException) << "cut at " << n;
    }
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_EQ(note.m_paper.nLineHeight, 45);
    ExpectSameStrokes(sample.lines, *note.m_pLines);
    ExpectSamePictures(sample.pictures, *note.m_pPictures);
}

namespace {

// A note of no strokes whose picture list is what the test appends.
CBytes NoteWithPictureList() {
    CBytes b;
    b.U32(0).U32(0).I32(90).Rect(0, 0, 100, 100).I32(0);
    return b;
}

void ExpectRefused(Bytes data, const char* pszWhat) {
    CArchive ar(std::move(data));
    CNoteFile note;
    EXPECT_THROW(note.Load(ar), CArchiveException) << pszWhat;
    EXPECT_EQ(note.m_pLines->GetCount(), 0) << pszWhat;
    EXPECT_EQ(note.m_pPictures->GetCount(), 0) << pszWhat;
}

} // namespace

TEST(NoteFileDamaged, NegativeAndOversizedCountsAreRefused) {
    CBytes negStrokes;
    negStrokes.Zeros(28).I32(-1).I32(0);
    ExpectRefused(negStrokes.Data(), "negative stroke count");
    CBytes bigStrokes;
    bigStrokes.Zeros(28).I32(0x7FFFFFFF).Zeros(64);
    ExpectRefused(bigStrokes.Data(), "stroke count beyond the file");
    CBytes negSamples;
    negSamples.Zeros(28).I32(1).I32(-5).Zeros(28).I32(0);
    ExpectRefused(negSamples.Data(), "negative sample count");
    CBytes bigSamples;
    bigSamples.Zeros(28).I32(1).I32(1000000).Zeros(28).Zeros(100);
    ExpectRefused(bigSamples.Data(), "sample count beyond the file");
    CBytes negPictures = NoteWithPictureList();
    negPictures.I32(-3);
    ExpectRefused(negPictures.Data(), "negative picture count");
    CBytes bigPictures = NoteWithPictureList();
    bigPictures.I32(2).I32(1).I32(1).Rect(0, 0, 1, 1).U32(4).Zeros(4);
    ExpectRefused(bigPictures.Data(), "picture count beyond the file");
}

TEST(NoteFileDamaged, PicturePixelsBeyondTheFileAreRefused) {
    CBytes b = NoteWithPictureList();
    b.I32(1).I32(100).I32(100).Rect(0, 0, 100, 100).U32(0xFFFFFFFF).Zeros(64);
    ExpectRefused(b.Data(), "S beyond the file");
    CBytes huge = NoteWithPictureList();
    huge.I32(1).I32(0x7FFFFFFF).I32(0x7FFFFFFF).Rect(0, 0, 1, 1).U32(0x80000000).Zeros(24);
    ExpectRefused(huge.Data(), "huge picture with S beyond the file");
}

TEST(NoteFileDamaged, NegativePictureSizeIsRefused) {
    CBytes b = NoteWithPictureList();
    b.I32(1).I32(-2).I32(3).Rect(0, 0, 3, 2).U32(24).Zeros(24);
    ExpectRefused(b.Data(), "negative height");
    CBytes w = NoteWithPictureList();
    w.I32(1).I32(2).I32(-3).Rect(0, 0, 3, 2).U32(24).Zeros(24);
    ExpectRefused(w.Data(), "negative width");
}

// A short pixel block: the picture gets no image, the message is shown, the rest still loads.
TEST(NoteFileDamaged, ShortPixelBlockIsTooSmallAndTheNextPictureStillLoads) {
    CBytes b = NoteWithPictureList();
    b.I32(3);
    b.I32(2).I32(3).Rect(0, 0, 3, 2).U32(20).Zeros(20);                       // needs 24
    b.I32(0x7FFFFFFF).I32(0x7FFFFFFF).Rect(1, 1, 2, 2).U32(24).Zeros(24);     // absurd size
    b.I32(1).I32(1).Rect(5, 5, 6, 6).U32(4).U8(0x30).U8(0x20).U8(0x10).U8(0); // fine
    CMessageCapture capture;
    CArchive ar(b.Data());
    CNoteFile note;
    note.Load(ar);
    ASSERT_EQ(capture.Messages().size(), 2u);
    for (const auto& m : capture.Messages()) {
        EXPECT_EQ(m.first, L"Too small buffer size");
        EXPECT_EQ(m.second, L"OpenPicture");
    }
    ASSERT_EQ(note.m_pPictures->GetCount(), 3);
    EXPECT_FALSE(note.m_pPictures->GetAt(0)->HasImage());
    EXPECT_TRUE(SameRect(note.m_pPictures->GetAt(0)->GetRect(), {0, 0, 3, 2}));
    EXPECT_FALSE(note.m_pPictures->GetAt(1)->HasImage());
    ASSERT_TRUE(note.m_pPictures->GetAt(2)->HasImage());
    EXPECT_EQ(BitmapPixels(note.m_pPictures->GetAt(2)->GetBitmap()),
              (std::vector<COLORREF>{RGB(0x10, 0x20, 0x30)}));
}

TEST(NoteFileDamaged, LargerPixelBlockIsReadAndItsExtraBytesSkipped) {
    CBytes b = NoteWithPictureList();
    b.I32(2);
    b.I32(1).I32(1).Rect(0, 0, 1, 1).U32(10).U8(3).U8(2).U8(1).Zeros(7);
    b.I32(1).I32(1).Rect(0, 0, 1, 1).U32(4).U8(6).U8(5).U8(4).U8(0);
    CArchive ar(b.Data());
    CNoteFile note;
    note.Load(ar);
    ASSERT_EQ(note.m_pPictures->GetCount(), 2);
    EXPECT_EQ(BitmapPixels(note.m_pPictures->GetAt(0)->GetBitmap())[0], RGB(1, 2, 3));
    EXPECT_EQ(BitmapPixels(note.m_pPictures->GetAt(1)->GetBitmap())[0], RGB(4, 5, 6));
}

TEST(NoteFileDamaged, TrailingBytesAfterTheLastPictureAreIgnored) {
    CSampleNote sample;
    Bytes data = sample.bytes;
    data.insert(data.end(), 13, 0x77);
    CArchive ar(data);
    CNoteFile note;
    note.Load(ar);
    ExpectSameStrokes(sample.lines, *note.m_pLines);
    ExpectSamePictures(sample.pictures, *note.m_pPictures);
}

// A picture without an image is stored as a 0 x 0 picture after its message, and reads back
// silently as a picture without an image in the same place.
TEST(NoteFilePictureWithoutImage, IsStoredEmptyAfterSavePicture1) {
    CNotePaper header;
    CLines lines;
    CPictures pictures;
    auto p = std::make_unique<CPicture>();
    p->SetRect({4, 5, 6, 7});
    pictures.Add(std::move(p));
    pictures.Add(Picture(1, 1, {RGB(9, 8, 7)}, {0, 0, 1, 1}));
    Bytes b;
    {
        CMessageCapture capture;
        b = Store(header, lines, pictures);
        ASSERT_EQ(capture.Messages().size(), 1u);
        EXPECT_EQ(capture.Messages()[0].first, L"Function parameter error");
        EXPECT_EQ(capture.Messages()[0].second, L"SavePicture1");
    }
    ASSERT_EQ(b.size(), 36u + 28u + 28u + 4u);
    EXPECT_EQ(Int32At(b, 36), 0);
    EXPECT_EQ(Int32At(b, 40), 0);
    EXPECT_EQ(Int32At(b, 44), 4);
    EXPECT_EQ(Int32At(b, 60), 0) << "S";
    CMessageCapture capture;
    CArchive ar(b);
    CNoteFile note;
    note.Load(ar);
    EXPECT_TRUE(capture.Messages().empty());
    ASSERT_EQ(note.m_pPictures->GetCount(), 2);
    EXPECT_FALSE(note.m_pPictures->GetAt(0)->HasImage());
    EXPECT_TRUE(SameRect(note.m_pPictures->GetAt(0)->GetRect(), {4, 5, 6, 7}));
    EXPECT_TRUE(note.m_pPictures->GetAt(1)->HasImage());
}

TEST(NoteFileData, WrittenBytesAreReadBackAndReplaceTheOldFile) {
    const std::wstring strPath = TempFile(L"note.Qzn");
    WriteFileBytes(strPath, Bytes(5000, 0x11));
    CSampleNote sample;
    using E = CDocument::EFileError;
    ASSERT_EQ(CDocument::WriteFileReplacing(strPath.c_str(), sample.bytes), E::None);
    Bytes data;
    ASSERT_EQ(CDocument::ReadFileBytes(strPath.c_str(), data), E::None);
    EXPECT_EQ(data, sample.bytes);
    DeleteFileW(strPath.c_str());
}

// Stores more than a piece of the file's sink in small fields, then one large block, then a few
// fields more: the file receives them in pieces, in order.
void StoreManyPieces(CArchive& ar) {
    for (std::int32_t i = 0; i < 100000; ++i)
        ar.WriteInt32(i * 7919);
    ar.WriteBytes(Bytes(CArchive::kPieceSize + 3, 0x5A).data(), CArchive::kPieceSize + 3);
    for (std::int16_t i = 0; i < 9; ++i)
        ar.WriteInt16(i);
}

TEST(NoteFileData, AFileWrittenPieceByPieceHoldsWhatTheArchiveStored) {
    const std::wstring strPath = TempFile(L"pieces.Qzn");
    using E = CDocument::EFileError;
    ASSERT_EQ(CDocument::WriteFileReplacing(strPath.c_str(), StoreManyPieces), E::None);
    CArchive inMemory;
    StoreManyPieces(inMemory);
    Bytes data;
    ASSERT_EQ(CDocument::ReadFileBytes(strPath.c_str(), data), E::None);
    EXPECT_EQ(data, inMemory.Data());
    DeleteFileW(strPath.c_str());
}

TEST(NoteFileData, AStoreFailingAfterItsFirstPiecesKeepsTheOldFileAndLeavesNoOther) {
    const std::wstring strFolder = TempFile(L"failing-store");
    CreateDirectoryW(strFolder.c_str(), nullptr);
    const std::wstring strPath = strFolder + L"\\note.Qzn";
    WriteFileBytes(strPath, Bytes(5000, 0x11));
    using E = CDocument::EFileError;
    const auto failing = [](CArchive& ar) {
        StoreManyPieces(ar);
        throw CArchiveException("a picture without its image");
    };
    EXPECT_EQ(CDocument::WriteFileReplacing(strPath.c_str(), failing), E::SaveFailed);
    Bytes data;
    ASSERT_EQ(CDocument::ReadFileBytes(strPath.c_str(), data), E::None);
    EXPECT_EQ(data, Bytes(5000, 0x11));
    WIN32_FIND_DATAW found{};
    HANDLE hFind = FindFirstFileW((strFolder + L"\\*.tmp").c_str(), &found);
    EXPECT_EQ(hFind, INVALID_HANDLE_VALUE) << "a temporary file was left";
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
    DeleteFileW(strPath.c_str());
    RemoveDirectoryW(strFolder.c_str());
}

TEST(NoteFileData, FailuresAreReportedAndLeaveNoFile) {
    const std::wstring strPath = TempFile(L"no-such-folder\\note.Qzn");
    using E = CDocument::EFileError;
    EXPECT_EQ(CDocument::WriteFileReplacing(strPath.c_str(), Bytes(10, 1)), E::SaveFailed);
    EXPECT_EQ(GetFileAttributesW(strPath.c_str()), INVALID_FILE_ATTRIBUTES);
    Bytes data;
    EXPECT_EQ(CDocument::ReadFileBytes(TempFile(L"absent.Qzn").c_str(), data), E::OpenFailed);
}
