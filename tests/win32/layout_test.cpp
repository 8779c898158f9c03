// The record as the Windows build lays it out, on each architecture: the type word after the
// value area, 6-byte rectangles and an 8-byte one-area list. On 32-bit Windows a record is 16
// bytes and the 1024-byte scratch pool holds exactly 64; on 64-bit Windows the pointers of the
// value area (texts, arrays, area lists, sheet identifiers) make it 24 bytes, and the pool holds
// 42, still more than the largest call, a registration with 19 texts, needs.
#include <gtest/gtest.h>

#include <cstddef>

#include "xll/scratch.h"
#include "xll/xloper.h"

namespace {

struct Layout {
    size_t pointer, record, type_word, array_rows, array_columns, sheet_id, pool_records;
};
constexpr Layout windows32{4, 16, 8, 4, 6, 4, 64};
constexpr Layout windows64{8, 24, 16, 8, 10, 8, 42};
const Layout& expected = sizeof(void*) == 8 ? windows64 : windows32;

size_t offset_in(const XLOPER& record, const void* field) {
    return static_cast<size_t>(static_cast<const char*>(field) - reinterpret_cast<const char*>(&record));
}

TEST(RecordLayout, TheTypeWordFollowsTheValueArea) {
    EXPECT_EQ(sizeof(void*), expected.pointer);
    EXPECT_EQ(sizeof(XLOPER), expected.record);
    EXPECT_EQ(offsetof(XLOPER, xltype), expected.type_word);
    EXPECT_EQ(sizeof(XLREF), 6u);
    EXPECT_EQ(sizeof(XLMREF), 8u);
    // A sheet identifier is as wide as a pointer, as in Excel's own declaration.
    EXPECT_EQ(sizeof(IDSHEET), sizeof(void*));
    XLOPER record{};
    EXPECT_EQ(offset_in(record, &record.val.array.rows), expected.array_rows);
    EXPECT_EQ(offset_in(record, &record.val.array.columns), expected.array_columns);
    EXPECT_EQ(offset_in(record, &record.val.mref.idSheet), expected.sheet_id);
}

TEST(RecordLayout, ThePoolHoldsWholeRecordsEnoughForTheLargestCall) {
    xll::scratch_reset();
    for (size_t i = 0; i < expected.pool_records; ++i)
        ASSERT_NE(xll::scratch_number(static_cast<double>(i)), nullptr) << "record " << i;
    EXPECT_EQ(xll::scratch_number(-1), nullptr);
    EXPECT_GE(expected.pool_records, 19u);
    xll::scratch_reset();
}

}  // namespace
