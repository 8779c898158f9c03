#include <gtest/gtest.h>

#include "model/address.h"
#include "model/number_text.h"
#include "xlhost/host.h"

namespace {

using xlhost::Value;

TEST(Display, NumbersErrorsBooleansArrays) {
    EXPECT_EQ(xlhost::display(Value::num(42)), "42");
    EXPECT_EQ(xlhost::display(Value::num(0.1)), "0.10000000000000001");
    EXPECT_EQ(xlhost::display(Value::num(-0.0)), "0");
    EXPECT_EQ(xlhost::display(Value::num(1e21)), "1e+21");
    EXPECT_EQ(xlhost::display(Value::num(-2.5e-7)), "-2.4999999999999999e-07");
    const int codes[] = {0, 7, 15, 23, 29, 36, 42};
    const char* texts[] = {"#NULL!", "#DIV/0!", "#VALUE!", "#REF!", "#NAME?", "#NUM!", "#N/A"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(xlhost::display(Value::err(codes[i])), texts[i]);
    EXPECT_EQ(xlhost::display(Value::boolean_value(false)), "FALSE");
    const Value array = Value::array(2, 2, {Value::num(1), Value::str("a\"b"), Value::nil(), Value::err(42)});
    EXPECT_EQ(xlhost::display(array), "1\ta\"b\n\t#N/A");
    EXPECT_EQ(xlhost::constant_text(array), "{1,\"a\"\"b\";,#N/A}");
}

TEST(Texts, Cp1252AndUtf8) {
    EXPECT_EQ(xlhost::cp1252("Atenção €"), "Aten\xE7\xE3o \x80");
    EXPECT_EQ(xlhost::utf8("Aten\xE7\xE3o \x80"), "Atenção €");
    EXPECT_EQ(xlhost::cp1252("漢"), "?");         // not in cp1252
    EXPECT_EQ(xlhost::cp1252("a\xC3"), "a?");     // a cut sequence
    EXPECT_EQ(xlhost::cp1252("\x80z"), "?z");     // a stray continuation byte
    for (int byte = 0x20; byte < 0x100; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(xlhost::cp1252(xlhost::utf8(one)), one) << byte;
    }
}

TEST(NumberTexts, WhatReadsAsANumber) {
    EXPECT_EQ(xlhost::parse_number(" -1.5e+3 "), -1500);
    EXPECT_EQ(xlhost::parse_number("5."), 5);
    for (const char* no : {"", "-", ".", "e5", "1e", "1e+", "0x1A", "inf", "nan", "1,5", "1e400", "--1"})
        EXPECT_FALSE(xlhost::parse_number(no).has_value()) << no;
    EXPECT_EQ(xlhost::parse_error("#n/a"), 42);
    EXPECT_FALSE(xlhost::parse_error("#N/A!").has_value());
}

TEST(Addresses, A1Notation) {
    const auto range = xlhost::parse_range("$AA$10:b2");
    ASSERT_TRUE(range);
    EXPECT_EQ(range->first_column, 1);
    EXPECT_EQ(range->last_column, 26);
    EXPECT_EQ(range->first_row, 1);
    EXPECT_EQ(range->last_row, 9);
    EXPECT_EQ(xlhost::absolute_text(*range), "$B$2:$AA$10");
    EXPECT_EQ(xlhost::column_letters(255), "IV");
    EXPECT_FALSE(xlhost::parse_range("A0"));
    EXPECT_FALSE(xlhost::parse_range("A1:"));
    EXPECT_FALSE(xlhost::parse_range("A1 "));
}

}  // namespace
