// Excel's conversion of formula arguments to the declared type of each letter, seen by real
// procedures of the test add-in.
#include "host_fixture.h"

namespace {

using xlhost::Value;

class Arguments : public LoadedHost {};

TEST_F(Arguments, DoubleB) {
    EXPECT_EQ(shown("=T.NUM(-1.25e2)"), "-125");
    EXPECT_EQ(shown("=T.NUM(\" 1e3 \")"), "1000");  // a text that reads as a number
    EXPECT_EQ(shown("=T.NUM(TRUE)"), "1");
    EXPECT_EQ(shown("=T.NUM()"), "0");              // omitted
    EXPECT_EQ(shown("=T.NUM(A1)"), "0");            // empty cell
    EXPECT_EQ(shown("=T.NUM(\"abc\")"), "#VALUE!");
    EXPECT_EQ(shown("=T.NUM(\"\")"), "#VALUE!");
    EXPECT_EQ(shown("=T.NUM(#N/A)"), "#VALUE!");    // an error is not passed on
    host->set_cell("B2", Value::err(7));
    EXPECT_EQ(shown("=T.NUM(B2)"), "#VALUE!");
    EXPECT_EQ(shown("=T.NUM(A1:A2)"), "#VALUE!");   // a block outside a cell: no intersection
}

TEST_F(Arguments, IntegersIHJAreCutTowardZeroAndRangeChecked) {
    EXPECT_EQ(shown("=T.INT16(32767)"), "32767");
    EXPECT_EQ(shown("=T.INT16(-32768)"), "-32768");
    EXPECT_EQ(shown("=T.INT16(32768)"), "#NUM!");
    EXPECT_EQ(shown("=T.INT16(-32769)"), "#NUM!");
    EXPECT_EQ(shown("=T.INT16(-2.9)"), "-2");
    EXPECT_EQ(shown("=T.INT16(32767.9)"), "32767");
    EXPECT_EQ(shown("=T.INT16()"), "0");
    EXPECT_EQ(shown("=T.INT16(\"12\")"), "12");
    EXPECT_EQ(shown("=T.INT16(#DIV/0!)"), "#VALUE!");
    EXPECT_EQ(shown("=T.UINT16(65535)"), "65535");
    EXPECT_EQ(shown("=T.UINT16(-1)"), "#NUM!");
    EXPECT_EQ(shown("=T.INT32(2147483647)"), "2147483647");
    EXPECT_EQ(shown("=T.INT32(-2147483648)"), "-2147483648");
    EXPECT_EQ(shown("=T.INT32(2147483648)"), "#NUM!");
    EXPECT_EQ(shown("=T.INT32(1e300)"), "#NUM!");  // never converted out of range
}

TEST_F(Arguments, LogicalAArrivesAsZeroOrOne) {
    EXPECT_EQ(shown("=T.BOOL(-3)"), "1");
    EXPECT_EQ(shown("=T.BOOL(0.0001)"), "1");
    EXPECT_EQ(shown("=T.BOOL(0)"), "0");
    EXPECT_EQ(shown("=T.BOOL()"), "0");
    EXPECT_EQ(shown("=T.BOOL(\"true\")"), "1");
    EXPECT_EQ(shown("=T.BOOL(\"yes\")"), "#VALUE!");
    EXPECT_EQ(shown("=T.BOOL(#N/A)"), "#VALUE!");
}

TEST_F(Arguments, ValuePGetsWhatTheArgumentIs) {
    host->set_cell("A1", Value::num(1));
    host->set_cell("B2", Value::str("x"));
    EXPECT_EQ(shown("=T.TYPE()"), "128");         // xltypeMissing
    EXPECT_EQ(shown("=T.TYPE(C9)"), "256");       // xltypeNil: an empty cell
    EXPECT_EQ(shown("=T.TYPE(A1)"), "1");         // one cell: its value
    EXPECT_EQ(shown("=T.TYPE(A1:B2)"), "64");     // a block: xltypeMulti
    EXPECT_EQ(shown("=T.TYPE(#N/A)"), "16");      // errors do reach P
    EXPECT_EQ(shown("=T.TYPE(\"s\")"), "2");
    EXPECT_EQ(shown("=T.TYPE(FALSE)"), "4");
    const Value block = eval("=T.ECHO(A1:B2)");
    ASSERT_EQ(block.kind, Value::Kind::array);
    EXPECT_EQ(block.items[0], Value::num(1));
    EXPECT_EQ(block.items[1], Value::num(0));     // an empty element shows as 0
    EXPECT_EQ(block.items[3], Value::str("x"));
}

TEST_F(Arguments, MixedLayoutArrivesIntact) {
    // i * 1e6 + b * 1e3 + j + a / 2: a double between two 16-bit integers and a 32-bit one.
    EXPECT_EQ(shown("=T.MIX(-3;2.5;123;TRUE)"), "-2997376.5");
    EXPECT_EQ(shown("=T.MIX(1,2,3,4)"), "1002003.5");
    EXPECT_EQ(shown("=T.MIX(1;2;3;4;5)"), "#VALUE!");  // more arguments than the type text
}

TEST_F(Arguments, TextsAndArgumentsByReference) {
    EXPECT_EQ(shown("=T.TEXTC(12.5)"), "12.5");
    EXPECT_EQ(shown("=T.TEXTC(TRUE)"), "TRUE");
    EXPECT_EQ(shown("=T.TEXTC(0.1)"), "0.1");  // General format, 15 digits
    EXPECT_EQ(shown("=T.TEXTD(\"caf\xE9\")"), "caf\xE9");
    EXPECT_EQ(shown("=T.TEXTD(#N/A)"), "#VALUE!");
    EXPECT_EQ(shown("=T.BYREF(1.5;2;3)"), "321.5");
    EXPECT_EQ(shown("=T.BYREF(1;2;40000)"), "#NUM!");
    EXPECT_EQ(shown("=T.TWICE(21)"), "42");  // the result is argument 1 changed in place
}

TEST_F(Arguments, FpArrayK) {
    host->set_cell("A1", Value::num(1));
    host->set_cell("B1", Value::num(2));
    host->set_cell("A2", Value::num(3));
    host->set_cell("B2", Value::num(4));
    EXPECT_EQ(shown("=T.FPSUM(A1:B2)"), "30");  // 1*1 + 2*2 + 3*3 + 4*4: row by row
    EXPECT_EQ(shown("=T.FPSUM(5)"), "5");
    EXPECT_EQ(shown("=T.FPSUM(A1:B3)"), "#VALUE!");  // an empty cell is no number
}

TEST_F(Arguments, ABlockMeetsTheFormulasRowOrColumnInACell) {
    ASSERT_TRUE(host->load_csv_text("10,=T.NUM(A1:A3)\n20,=T.NUM(A1:A3)\n30,=T.NUM(A1:A3)\n,=T.NUM(A1:A3)\n"));
    host->calc();
    EXPECT_EQ(host->cell("B1"), Value::num(10));
    EXPECT_EQ(host->cell("B3"), Value::num(30));
    EXPECT_EQ(host->cell("B4"), Value::err(15));
}

TEST_F(Arguments, NamesAreFoundWithoutCaseAndUnknownOnesAreNameErrors) {
    EXPECT_EQ(shown("=t.num(2)"), "2");
    EXPECT_EQ(shown("=T.NOPE(2)"), "#NAME?");
    EXPECT_EQ(shown("=t_alert()"), "#NAME?");  // a command is not a worksheet function
}

TEST_F(Arguments, ResultsAsACellShowsThem) {
    EXPECT_EQ(shown("=T.NAN()"), "#NUM!");
    EXPECT_EQ(shown("=T.NULL()"), "#NUM!");
    EXPECT_EQ(shown("=T.ARRAY(2;3)"), "1\t2\t3\n4\t5\t6");
    EXPECT_EQ(shown("=T.ARRAY(0;3)"), "#N/A");
}

}  // namespace
