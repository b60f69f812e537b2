// Benchmark of the note file: saving and opening a note of one million samples (10,000 strokes
// of 100 samples) with one 800 x 600 picture, through the archive and a real file. Plain
// program: prints one line per figure, the best of five runs.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "NoteFile.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

void FillNote(CLines& lines, CPictures& pictures) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> pos(10, 1600), step(-4, 4), pressure(80, 511);
    for (int s = 0; s < 10000; ++s) {
        auto p = std::make_unique<CLine>();
        p->SetColor(RGB(20, 40, 160));
        p->SetTool(CLine::kToolBrush, 1);
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

// Saves and opens the note five times; prints the best times.
int Measure(const char* pszWhat, CLines& lines, CPictures& pictures) {
    CNoteHeader header;
    wchar_t szDir[MAX_PATH];
    GetTempPathW(MAX_PATH, szDir);
    const std::wstring strPath = std::wstring(szDir) + L"quillet-bench.Qzn";
    double saveArchive = 1e9, saveFile = 1e9, openFile = 1e9, openArchive = 1e9;
    std::size_t nSize = 0;
    for (int run = 0; run < 5; ++run) {
        auto t0 = Clock::now();
        CArchive ar;
        CNoteFile::Store(ar, header, lines, pictures);
        saveArchive = std::min(saveArchive, MillisecondsSince(t0));
        DWORD dwError = 0;
        if (!WriteNoteFileData(strPath, ar.Data(), dwError))
            return std::printf("write failed: %lu\n", dwError), 1;
        saveFile = std::min(saveFile, MillisecondsSince(t0));
        nSize = ar.Data().size();

        t0 = Clock::now();
        std::vector<std::uint8_t> data;
        if (!ReadNoteFileData(strPath, data, dwError))
            return std::printf("read failed: %lu\n", dwError), 1;
        const auto t1 = Clock::now();
        CArchive in(std::move(data));
        CNoteFile note;
        note.Load(in);
        openArchive = std::min(openArchive, MillisecondsSince(t1));
        openFile = std::min(openFile, MillisecondsSince(t0));
        if (note.m_pLines->GetCount() != lines.GetCount() ||
            note.m_pPictures->GetCount() != pictures.GetCount())
            return std::printf("read back the wrong note\n"), 1;
    }
    DeleteFileW(strPath.c_str());
    std::printf("%s: %zu bytes; save %.1f ms (archive %.1f ms); open %.1f ms (archive %.1f ms)\n",
                pszWhat, nSize, saveFile, saveArchive, openFile, openArchive);
    return 0;
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
