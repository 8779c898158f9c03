#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

#include "csv/csv.h"
#include "host_fixture.h"

namespace {

using xlhost::CsvRows;
using xlhost::Value;

CsvRows rows_of(const std::string& text) {
    CsvRows rows;
    std::string error;
    EXPECT_TRUE(xlhost::parse_csv(text, &rows, &error)) << error;
    return rows;
}

TEST(Csv, QuotingAsRfc4180) {
    const CsvRows rows = rows_of("\xEF\xBB\xBF" "a,\"b,c\",\"say \"\"hi\"\"\"\r\n\"two\nlines\",,x\n");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"a", "b,c", "say \"hi\""}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"two\nlines", "", "x"}));
}

TEST(Csv, LastLineWithoutBreakAndEmptyLines) {
    const CsvRows rows = rows_of("1,2\n\n3");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{""}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"3"}));
    EXPECT_EQ(rows_of("a,\n").at(0), (std::vector<std::string>{"a", ""}));
}

TEST(Csv, MalformedInputNamesTheLine) {
    CsvRows rows;
    std::string error;
    EXPECT_FALSE(xlhost::parse_csv("a\n\"open,b\n", &rows, &error));
    EXPECT_EQ(error, "line 2: a quoted field is not closed");
    EXPECT_FALSE(xlhost::parse_csv("a\nb\"c\n", &rows, &error));
    EXPECT_EQ(error, "line 2: a quote inside an unquoted field");
    EXPECT_FALSE(xlhost::parse_csv("\"a\"b\n", &rows, &error));
    EXPECT_EQ(error, "line 1: text after the closing quote of a field");
}

std::string refusal_of(const std::string& text) {
    CsvRows rows;
    std::string error;
    EXPECT_FALSE(xlhost::parse_csv(text, &rows, &error)) << text;
    return error;
}

// Bytes that are not UTF-8 are refused where the character starts (line, and column in
// characters), whether the sequence is cut short, overlong, a surrogate or beyond U+10FFFF.
TEST(Csv, TextThatIsNotUtf8IsRefusedWithItsLineAndColumn) {
    EXPECT_EQ(refusal_of("caf\xE9,1\n"), "line 1, column 4: not UTF-8 (a character starting with byte 0xE9)");
    EXPECT_EQ(refusal_of("ok,\"a\nb\",\xC3\xA9\xC3\n"), "line 2, column 5: not UTF-8 (a character starting with byte 0xC3)");
    EXPECT_EQ(refusal_of("a\r\nb\rc\xC3"), "line 3, column 2: not UTF-8 (a character starting with byte 0xC3)");
    EXPECT_EQ(refusal_of("\"\xE2\x82\"\n"), "line 1, column 2: not UTF-8 (a character starting with byte 0xE2)");
    for (const char* bad : {"\x80", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF"})
        EXPECT_EQ(refusal_of(bad).rfind("line 1, column 1: not UTF-8", 0), 0u) << bad;
    // Every length of a well-formed character reads through.
    EXPECT_EQ(rows_of("\xC3\xA1,\xE2\x82\xAC,\xF0\x9F\x98\x80,\xEF\xBF\xBF").at(0).size(), 4u);
}

// An endless input of one byte over and over, counting what was read of it.
class Endless : public std::streambuf {
public:
    explicit Endless(char byte) : byte_(byte) {}
    long long read = 0;

protected:
    int_type underflow() override {
        buffer_.assign(4096, byte_);
        setg(buffer_.data(), buffer_.data(), buffer_.data() + buffer_.size());
        read += static_cast<long long>(buffer_.size());
        return traits_type::to_int_type(byte_);
    }

private:
    char byte_;
    std::string buffer_;
};

// Reading stops at the first row, column or character beyond what a sheet holds, however much
// input follows.
TEST(Csv, ReadingStopsAtTheFirstRowColumnOrCharacterBeyondTheLimits) {
    xlhost::CsvLimits limits;
    limits.records = 65536;
    limits.fields = 256;
    limits.field_characters = 32767;
    const std::pair<char, std::string> endless_inputs[] = {{'\n', "line 65537: more than 65536 rows"},
                                                            {',', "line 1: more than 256 columns"},
                                                            {'x', "line 1: a cell of more than 32767 characters"}};
    for (const auto& [byte, why] : endless_inputs) {
        Endless source(byte);
        std::istream in(&source);
        CsvRows rows;
        std::string error;
        EXPECT_FALSE(xlhost::parse_csv(in, limits, &rows, &error));
        EXPECT_EQ(error, why);
        EXPECT_LT(source.read, 80000) << why;
    }
    // Exactly at the limits, a sheet is read whole.
    CsvRows rows;
    std::string error;
    std::istringstream full(std::string(65535, '\n') + std::string(255, ',') + "\"" + std::string(32767, 'x') + "\"");
    ASSERT_TRUE(xlhost::parse_csv(full, limits, &rows, &error)) << error;
    ASSERT_EQ(rows.size(), 65536u);
    ASSERT_EQ(rows.back().size(), 256u);
    EXPECT_EQ(rows.back().back().size(), 32767u);
    std::istringstream doubled("\"" + std::string(2 * 32768, '"') + "\"");
    EXPECT_FALSE(xlhost::parse_csv(doubled, limits, &rows, &error));
    EXPECT_EQ(error, "line 1: a cell of more than 32767 characters");
}

TEST(Csv, FieldsQuotedOnlyWhenNeeded) {
    EXPECT_EQ(xlhost::csv_field("plain"), "plain");
    EXPECT_EQ(xlhost::csv_field("{1,2;3,4}"), "\"{1,2;3,4}\"");
    EXPECT_EQ(xlhost::csv_field("{\"a\"}"), "\"{\"\"a\"\"}\"");
    EXPECT_EQ(xlhost::csv_field(" pad"), "\" pad\"");
}

// A field that begins with a byte-order mark, written first in a file, reads back whole.
TEST(Csv, ALeadingByteOrderMarkOfAFieldSurvivesWritingAndReading) {
    const std::string bom = "\xEF\xBB\xBF";
    xlhost::CsvRows rows;
    std::string error;
    ASSERT_TRUE(xlhost::parse_csv(bom + bom + "a,b\n", &rows, &error)) << error;
    ASSERT_EQ(rows, (xlhost::CsvRows{{bom + "a", "b"}}));
    xlhost::CsvRows again;
    ASSERT_TRUE(xlhost::parse_csv(xlhost::csv_field(rows[0][0]) + ",b\n", &again, &error)) << error;
    EXPECT_EQ(again, rows);
}

TEST(CsvSheet, EachFieldBecomesWhatExcelWouldEnter) {
    xlhost::Host host;
    std::string error;
    ASSERT_TRUE(host.load_csv_text("42,'42,-1.5E2,true,#N/A,,Olá,=T.NUM(1),\"'=x\"\n", &error)) << error;
    EXPECT_EQ(host.cell("A1"), Value::num(42));
    EXPECT_EQ(host.cell("B1"), Value::str("42"));
    EXPECT_EQ(host.cell("C1"), Value::num(-150));
    EXPECT_EQ(host.cell("D1"), Value::boolean_value(true));
    EXPECT_EQ(host.cell("E1"), Value::err(42));
    EXPECT_EQ(host.cell("F1"), Value::nil());
    EXPECT_EQ(host.cell("G1"), Value::str("Ol\xE1"));  // kept in cp1252
    EXPECT_EQ(host.formula("H1"), "=T.NUM(1)");
    EXPECT_EQ(host.cell("I1"), Value::str("=x"));
}

TEST(CsvSheet, NumbersThatAreNotNumbersStayTexts) {
    xlhost::Host host;
    ASSERT_TRUE(host.load_csv_text("1e999,0x10,inf,1.2.3,1e\n"));
    for (const char* a1 : {"A1", "B1", "C1", "D1", "E1"}) EXPECT_EQ(host.cell(a1).kind, Value::Kind::text) << a1;
}

TEST(CsvSheet, AnUnparsableFormulaRefusesTheWholeSheet) {
    xlhost::Host host;
    host.set_cell("A1", Value::num(1));
    std::string error;
    EXPECT_FALSE(host.load_csv_text("1,2\n3,=F(\n", &error));
    EXPECT_EQ(error, "cell B2: a '(' is not closed");
    EXPECT_EQ(host.cell("A1"), Value::num(1));  // the old sheet stays
}

TEST(CsvSheet, MissingFile) {
    xlhost::Host host;
    std::string error;
    EXPECT_FALSE(host.load_csv("/nonexistent/book.csv", &error));
    EXPECT_EQ(error, "cannot read /nonexistent/book.csv");
}

class CalcSheet : public LoadedHost {};

TEST_F(CalcSheet, ValuesWrittenBackWithArraysAsConstants) {
    ASSERT_TRUE(host->load_csv_text("=T.ARRAY(2;2),\"=T.ECHO(\"\"a,\"\"\"\"b\"\")\",=T.NUM(B1)\n1.5,Olá,=T.NUM(0.1)\n"));
    host->calc();
    EXPECT_EQ(host->sheet_csv(),
              "\"{1,2;3,4}\",\"a,\"\"b\",#VALUE!\n"
              "1.5,Olá,0.10000000000000001\n");
}

TEST_F(CalcSheet, FormulasSeeTheValuesOfFormulasTheyReferTo) {
    ASSERT_TRUE(host->load_csv_text("=T.NUM(A2),=T.NUM(A1)\n=T.NUM(7)\n=T.NUM(A3)\n"));
    host->calc();
    EXPECT_EQ(host->cell("A1"), Value::num(7));
    EXPECT_EQ(host->cell("B1"), Value::num(7));
    EXPECT_EQ(host->cell("A3"), Value::num(0));  // a circular reference reads 0
}

}  // namespace
