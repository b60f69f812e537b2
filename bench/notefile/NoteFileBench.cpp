// Benchmark of the note file: saving and opening a note of one million samples (10,000 strokes
// of 100 samples), without and with one 800 x 600 picture, through the archive and a real file.
// Beside each figure: the old way (every field of every sample on its own, and on opening the
// strokes read twice, the second time from a copy of the file's bytes), and writing or reading
// the same number of bytes as one block. Plain program; best of five runs.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "Document.h"
#include "FileHandle.h"
#include "NoteFile.h"
#include "NoteOracle.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

double MillisecondsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void FillNote(CLines& lines, CPictures& pictures) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pos(10, 1600), step(-4, 4), pressure(80, 511);
    for (int s = 0; s < 10000; ++s) {
        auto p = std::make_unique<CLine>();
        p->SetColor(RGB(20, 40, 160));
        p->SetTool(kToolBrush, 1);
        int x = pos(rng), y = pos(rng);
        for (int i = 0; i < 100; ++i) {
            x += step(rng);
            y += step(rng);
            p->AddPoint(x, y, static_cast<short>(pressure(rng)));
        }
        lines.Add(std::move(p));
    }
    HDC hdc = GetDC(nullptr);
    HBITMAP hbm = CreateCompatibleBitmap(hdc, 800, 600);
    ReleaseDC(nullptr, hdc);
    auto pic = std::make_unique<CPicture>();
    pic->SetImage(hbm, 800, 600);
    pictures.Add(std::move(pic));
}

// The best time of five runs of f, in milliseconds.
template <class F> double Best(F f) {
    double ms = 1e9;
    for (int nRun = 0; nRun < 5; ++nRun) {
        const auto t0 = Clock::now();
        f();
        ms = std::min(ms, MillisecondsSince(t0));
    }
    return ms;
}

// The bytes as one block, written durably as a note is, or read back.
void WriteBlock(const std::wstring& strPath, const Bytes& data) {
    CFileHandle file(CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD dw = 0;
    WriteFile(file.Get(), data.data(), static_cast<DWORD>(data.size()), &dw, nullptr);
    FlushFileBuffers(file.Get());
}

void ReadBlock(const std::wstring& strPath, Bytes& data) {
    CFileHandle file(CFileHandle::OpenToRead(strPath));
    data.resize(static_cast<std::size_t>(file.Size()));
    file.Read(data.data(), static_cast<DWORD>(data.size()));
}

void PrintLine(const char* pszWhat, double msNew, double msOld, double msBlock) {
    std::printf("  %s: new %.1f ms, old %.1f ms, old/new %.1fx; one block %.1f ms, new/block "
                "%.1fx\n",
                pszWhat, msNew, msOld, msOld / msNew, msBlock, msNew / msBlock);
}

int Measure(const char* pszWhat, CLines& lines, CPictures& pictures) {
    CNotePaper paper;
    paper.rcPage = {0, 0, 1600, 3200};
    wchar_t szDir[MAX_PATH];
    GetTempPathW(MAX_PATH, szDir);
    const std::wstring strPath = std::wstring(szDir) + L"quillet-bench.Qzn";
    const std::wstring strBlock = std::wstring(szDir) + L"quillet-bench.block";
    using E = CDocument::EFileError;
    Bytes stored, storedOld;
    const double msSave = Best([&] {
        const auto store = [&](CArchive& ar) { CNoteFile::Store(ar, paper, lines, pictures); };
        if (CDocument::WriteFileReplacing(strPath.c_str(), store) != E::None)
            std::printf("write failed\n");
    });
    CDocument::ReadFileBytes(strPath.c_str(), stored);
    const double msSaveOld = Best([&] {
        CArchive ar;
        paper.Serialize(ar);
        OracleStoreStrokes(ar, lines);
        pictures.Serialize(ar);
        CDocument::WriteFileReplacing(strPath.c_str(), ar.Data());
        storedOld = ar.Data();
    });
    const double msWriteBlock = Best([&] { WriteBlock(strBlock, stored); });
    const double msOpen = Best([&] {
        Bytes data;
        CDocument::ReadFileBytes(strPath.c_str(), data);
        CArchive ar(std::move(data));
        CNoteFile note;
        note.Load(ar);
        if (note.m_pLines->GetCount() != lines.GetCount())
            std::printf("read back the wrong note\n");
    });
    const double msOpenOld = Best([&] {
        Bytes data;
        CDocument::ReadFileBytes(strPath.c_str(), data);
        if (OracleLoadNote(std::move(data)).size() != static_cast<std::size_t>(lines.GetCount()))
            std::printf("the old way read back the wrong note\n");
    });
    // Into new memory each time, as a note's bytes must be read.
    const double msReadBlock = Best([&] {
        Bytes block;
        ReadBlock(strBlock, block);
    });
    DeleteFileW(strPath.c_str());
    DeleteFileW(strBlock.c_str());
    std::printf("%s: %zu bytes, the same bytes both ways: %s\n", pszWhat, stored.size(),
                stored == storedOld ? "yes" : "NO");
    PrintLine("save (archive and file)", msSave, msSaveOld, msWriteBlock);
    PrintLine("open (file and model)", msOpen, msOpenOld, msReadBlock);
    return stored == storedOld ? 0 : 1;
}

} // namespace

int main() {
    CLines lines;
    CPictures pictures;
    FillNote(lines, pictures);
    CPictures none;
    if (Measure("1,000,000 samples in 10,000 strokes", lines, none) != 0)
        return 1;
    return Measure("the same with one 800x600 picture", lines, pictures);
}
