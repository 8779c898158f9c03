// Tables of counted texts: packed at compile time with a reserved byte before and a NUL after
// each text, and made counted strings in place.
#include <gtest/gtest.h>

#include <string>

#include "xll/counted_text.h"

namespace {

constexpr std::array<const char*, 6> texts = {"&Varentis", "", "Idio&ma", "-", " ", "Língua"};
VX_COUNTED_STORAGE(storage, texts);
const xll::CountedTable table{storage.bytes, storage.offsets, 3, 2};
// A second copy that no test prepares.
VX_COUNTED_STORAGE(untouched, texts);

std::string counted(const char* text) {
    return std::string(text + 1, static_cast<unsigned char>(text[0]));
}

TEST(CountedTexts, PackedWithReservedByteAndTerminator) {
    static const char expected[] = "\0&Varentis\0" "\0\0" "\0Idio&ma\0" "\0-\0" "\0 \0" "\0Língua";
    EXPECT_EQ(std::string(untouched.bytes, sizeof untouched.bytes), std::string(expected, sizeof expected));
    EXPECT_EQ(table.text(1, 0), storage.bytes + 13);
    EXPECT_EQ(table.text(2, 1), storage.bytes + 28);
}

TEST(CountedTexts, PrepareWritesEveryLengthInPlace) {
    table.prepare();
    EXPECT_EQ(counted(table.text(0, 0)), "&Varentis");
    EXPECT_EQ(counted(table.text(0, 1)), "");
    EXPECT_EQ(counted(table.text(1, 0)), "Idio&ma");
    EXPECT_EQ(counted(table.text(1, 1)), "-");
    EXPECT_EQ(counted(table.text(2, 0)), " ");
    EXPECT_EQ(counted(table.text(2, 1)), std::string("Língua"));
}

TEST(CountedTexts, LengthBeyondACountedStringIsRefused) {
    std::string text = "?" + std::string(255, 'z');
    EXPECT_TRUE(xll::set_counted_length(text.data()));
    EXPECT_EQ(static_cast<unsigned char>(text[0]), 255);
    text.push_back('z');
    EXPECT_FALSE(xll::set_counted_length(text.data()));
    EXPECT_EQ(text[0], 0);
}

}  // namespace
