// Every page the canvas can give a note, on any screen, opens again; pages no screen gives do not.
#include <gtest/gtest.h>

#include "DibFormat.h"
#include "PageRules.h"
#include "ScrivoDoc.h"

namespace {

bool Opens(const RECT& rcPage) {
    CNotePaper paper;
    paper.rcPage = rcPage;
    try {
        CScrivoDoc::CheckedPaper(paper);
        return true;
    } catch (const CArchiveException&) {
        return false;
    }
}

std::string Describe(SIZE screen, const RECT& rc) {
    return "screen " + std::to_string(screen.cx) + " x " + std::to_string(screen.cy) + ", page " +
           std::to_string(rc.right) + " x " + std::to_string(rc.bottom);
}

} // namespace

TEST(NotePaperPage, EveryPageTheCanvasMakesOpensAgain) {
    const SIZE screens[] = {{640, 480},   {1024, 768},  {768, 1024},   {1920, 1080},
                            {1080, 1920}, {3840, 2160}, {7100, 2000},  {7680, 4320},
                            {8000, 8000}, {2000, 9000}, {16384, 8192}, {100, 16384}};
    for (SIZE screen : screens) {
        std::vector<RECT> pages = {page::InitialPage(screen), page::ClearedPage(screen)};
        for (RECT rc : {page::InitialPage(screen), page::ClearedPage(screen)})
            while (page::CanAddLine(rc)) {
                rc = page::WithAddedLines(rc);
                pages.push_back(rc);
            }
        for (const RECT& rc : pages)
            EXPECT_TRUE(Opens(rc)) << Describe(screen, rc);
    }
}

TEST(NotePaperPage, PagesNoScreenGivesAreRefused) {
    EXPECT_FALSE(Opens({0, 0, 16385, 4000})) << "wider than any screen";
    EXPECT_FALSE(Opens({0, 0, 1280, 32769})) << "taller than any rule makes it";
    EXPECT_FALSE(Opens({1, 0, 1280, 2560})) << "not at the origin";
    EXPECT_FALSE(Opens({0, 0, 0, 2560}));
    EXPECT_TRUE(Opens({0, 0, 1280, 32768}));
}

// A page's bitmap takes 3 bytes a pixel and its picture export 4: no accepted page may need more
// than the program can hold, nor more bytes than GDI counts in 32 bits.
TEST(NotePaperPage, NoAcceptedPageHoldsMoreThanTheBoundOfPixels) {
    for (LONG w = 1; w <= page::kMaxScreenSide; w += (w < 64 ? 1 : 61)) {
        const LONG h = page::MaxBottom(w);
        EXPECT_TRUE(Opens({0, 0, w, h})) << "width " << w;
        EXPECT_FALSE(Opens({0, 0, w, h + 1})) << "width " << w;
        EXPECT_LE(std::int64_t{w} * h, page::kMaxPixels) << "width " << w;
        EXPECT_LE(DibStride(w, 32) * h, INT32_MAX) << "width " << w;
    }
    EXPECT_FALSE(Opens({0, 0, 16384, 65536})) << "a bitmap of 3 GiB";
    EXPECT_FALSE(Opens({0, 0, 10000, 14000}));
    EXPECT_TRUE(Opens({0, 0, 7680, 15360})) << "an 8K screen's page";
    // Add Line stops before a page would pass the bound.
    EXPECT_FALSE(page::CanAddLine({0, 0, 7200, 4900}));
    EXPECT_TRUE(page::CanAddLine({0, 0, 2400, 4800}));
}
