#include "WordPositioning.h"

#include <gtest/gtest.h>

// Reference left 100, reference anchor 30, object anchor 10, margin 72.
TEST(WordBaseOffset, SameFrameKeepsTheAnchorDifference) {
    for (int nKey : {0x00, 0x11, 0x22, 0x33})
        EXPECT_FLOAT_EQ(WordBaseOffset(nKey, 100, 30, 10, 72), 120) << "key " << nKey;
}

TEST(WordBaseOffset, FrameChangesFollowTheTable) {
    EXPECT_FLOAT_EQ(WordBaseOffset(0x01, 100, 30, 10, 72), 100 - 72 + 30 - 10);
    EXPECT_FLOAT_EQ(WordBaseOffset(0x02, 100, 30, 10, 72), 100 + 60 - 72 - 10);
    EXPECT_FLOAT_EQ(WordBaseOffset(0x10, 100, 30, 10, 72), 100 + 72 + 30 - 10);
    EXPECT_FLOAT_EQ(WordBaseOffset(0x12, 100, 30, 10, 72), 100 + 60 - 10);
    EXPECT_FLOAT_EQ(WordBaseOffset(0x20, 100, 30, 10, 72), 100 + 72 - 10);
    EXPECT_FLOAT_EQ(WordBaseOffset(0x21, 100, 30, 10, 72), 100 - 10);
}

TEST(WordBaseOffset, CombinationsWithoutAFormulaUseTheSameFramePlacement) {
    for (int nKey : {0x03, 0x13, 0x30, 0x31, 0x32, 0x44})
        EXPECT_FLOAT_EQ(WordBaseOffset(nKey, 100, 30, 10, 72), 120) << "key " << nKey;
}

// Top 50, anchor 200, margin 72.
TEST(WordFrameTop, VerticalFrameChangesFollowTheTable) {
    EXPECT_FLOAT_EQ(WordFrameTop(0x01, 50, 200, 72), 122);
    EXPECT_FLOAT_EQ(WordFrameTop(0x02, 50, 200, 72), 50 + 72 - 200);
    EXPECT_FLOAT_EQ(WordFrameTop(0x10, 50, 200, 72), 50 - 72);
    EXPECT_FLOAT_EQ(WordFrameTop(0x12, 50, 200, 72), 50 - 200);
    EXPECT_FLOAT_EQ(WordFrameTop(0x20, 50, 200, 72), 50 + 200 - 72);
    EXPECT_FLOAT_EQ(WordFrameTop(0x21, 50, 200, 72), 250);
    for (int nKey : {0x00, 0x03, 0x13, 0x22, 0x30})
        EXPECT_FLOAT_EQ(WordFrameTop(nKey, 50, 200, 72), 50) << "key " << nKey;
}
