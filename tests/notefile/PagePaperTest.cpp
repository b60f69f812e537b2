// Every page the canvas can give a note, on any screen, opens again; pages no screen gives do not.
#include <gtest/gtest.h>

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
    EXPECT_FALSE(Opens({0, 0, 8000, 40001}));
    EXPECT_FALSE(Opens({1, 0, 1280, 2560})) << "not at the origin";
    EXPECT_FALSE(Opens({0, 0, 0, 2560}));
    EXPECT_TRUE(Opens({0, 0, 1280, 32768}));
    EXPECT_TRUE(Opens({0, 0, 8000, 40000}));
}
