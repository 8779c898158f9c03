// The record as the 32-bit build lays it out: 16 bytes with the type word after the 8-byte
// value area, 6-byte rectangles and an 8-byte one-area list, so the 1024-byte scratch pool
// holds exactly 64 records.
#include <gtest/gtest.h>

#include <cstddef>

#include "xll/scratch.h"
#include "xll/xloper.h"

namespace {

TEST(RecordLayout, SixteenBytesWithTheTypeWordLast) {
    EXPECT_EQ(sizeof(void*), 4u);
    EXPECT_EQ(sizeof(XLOPER), 16u);
    EXPECT_EQ(offsetof(XLOPER, xltype), 8u);
    EXPECT_EQ(sizeof(XLREF), 6u);
    EXPECT_EQ(sizeof(XLMREF), 8u);
    XLOPER record{};
    EXPECT_EQ(static_cast<void*>(&record.val.array.rows), static_cast<void*>(reinterpret_cast<char*>(&record) + 4));
    EXPECT_EQ(static_cast<void*>(&record.val.array.columns), static_cast<void*>(reinterpret_cast<char*>(&record) + 6));
    EXPECT_EQ(static_cast<void*>(&record.val.mref.idSheet), static_cast<void*>(reinterpret_cast<char*>(&record) + 4));
}

TEST(RecordLayout, ThePoolHoldsExactlySixtyFourRecords) {
    xll::scratch_reset();
    for (int i = 0; i < 64; ++i) ASSERT_NE(xll::scratch_number(i), nullptr) << "record " << i;
    EXPECT_EQ(xll::scratch_number(64), nullptr);
    xll::scratch_reset();
}

}  // namespace
