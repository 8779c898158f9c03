// What the host does with input meant to break it: sheets and formulas at and beyond what a
// worksheet holds, files that are not sheets, libraries that are not add-ins, bytes that would
// act on a terminal. Each gets a value or one clear line and its exit status, never a crash.
#include <stdexcept>
#include <string>

#include "capi/xloper_values.h"
#include "support/peak_memory.h"
#include "support/scratch_folder.h"
#include "host_fixture.h"

namespace {

using xlhost::Value;

class HostileInput : public LoadedHost {};

// A1 waits for A2, which waits for A3, ... down to the last row of the sheet: the walk that
// orders the calculation is as deep as the sheet is long.
TEST_F(HostileInput, AChainOfFormulasAsLongAsTheSheetIsCalculated) {
    std::string sheet;
    for (int row = 1; row < 65536; ++row) sheet += "=T.NUM(A" + std::to_string(row + 1) + ")\n";
    sheet += "7\n";
    std::string error;
    ASSERT_TRUE(host->load_csv_text(sheet, &error)) << error;
    host->calc();
    EXPECT_EQ(host->cell("A1"), Value::num(7));
    EXPECT_EQ(host->cell("A65535"), Value::num(7));
}

// A whole column has 65536 rows, one more than an array record counts: Excel answers #VALUE!
// without calling, for a value argument (P) and a number array (K) alike; a reference (R)
// carries it. One row less is handed over whole.
TEST_F(HostileInput, AWholeColumnAsAnArrayAnswersValueAndSaysWhy) {
    std::string ones;
    for (int row = 0; row < 65535; ++row) ones += "1\n";
    ASSERT_TRUE(host->load_csv_text(ones));
    EXPECT_EQ(shown("=T.FPSUM(A1:A65535)"), "2147450880");  // the ones weighted by their place
    EXPECT_EQ(shown("=T.TYPE(A1:B65535)"), "64");  // xltypeMulti
    EXPECT_TRUE(host->notes().empty());
    EXPECT_EQ(shown("=T.FPSUM(A1:A65536)"), "#VALUE!");
    EXPECT_EQ(shown("=T.TYPE(A1:B65536)"), "#VALUE!");
    ASSERT_EQ(host->notes().size(), 2u);
    EXPECT_EQ(host->notes()[0], "T.FPSUM: argument 1 has 65536 rows, more than the 65535 of an array record, "
                                "so the cell answers #VALUE!");
    EXPECT_EQ(host->notes()[1].rfind("T.TYPE: argument 1 has 65536 rows", 0), 0u) << host->notes()[1];
    host->clear_notes();
    EXPECT_TRUE(host->notes().empty());
}

// A whole sheet is 65536 rows by 256 columns: it is refused as a whole column is, measured
// before a single cell of it is copied (the copy alone would take over a gigabyte), for a value
// argument and a number array alike. (A reference coerced to its values: tests/bridge.)
TEST_F(HostileInput, AWholeSheetIsRefusedBeforeItIsCopied) {
    ASSERT_TRUE(host->load_csv_text("1,2\n3,4\n"));
    const std::size_t before = vx_test::peak_resident_bytes();
    EXPECT_EQ(shown("=T.TYPE(A1:IV65536)"), "#VALUE!");
    EXPECT_EQ(shown("=T.FPSUM(A1:IV65536)"), "#VALUE!");
    EXPECT_LT(vx_test::peak_resident_bytes() - before, vx_test::copied_sheet_bytes);
    ASSERT_EQ(host->notes().size(), 2u);
    EXPECT_EQ(host->notes()[0], "T.TYPE: argument 1 has 65536 rows, more than the 65535 of an array record, "
                                "so the cell answers #VALUE!");
    EXPECT_EQ(host->notes()[1], "T.FPSUM: argument 1 has 65536 rows, more than the 65535 of an array record, "
                                "so the cell answers #VALUE!");
    host->clear_notes();
}

struct Outcome {
    int status;
    std::string out, err;
};

class HostileCommandLine : public ::testing::Test {
protected:
    void SetUp() override { plat_control::reset(); }
    Outcome run(std::vector<std::string> arguments, const std::string& addin = XLHOST_TEST_ADDIN) {
        arguments.insert(arguments.begin(), {"--registry", folder.file("registry.txt"), "--addin", addin});
        Outcome r;
        r.status = xlhost::run_command_line(arguments, r.out, r.err);
        return r;
    }
    vx_test::ScratchFolder folder;
};

TEST_F(HostileCommandLine, ASheetThatIsNotAFileIsRefused) {
    const std::string directory = folder.path();
    Outcome r = run({"calc", directory});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "xlhost: cannot read " + directory + ": not a regular file\n");
    r = run({"eval", "=T.NUM(1)", "--sheet", directory});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "xlhost: cannot read " + directory + ": not a regular file\n");
    EXPECT_TRUE(r.out.empty());
}

TEST_F(HostileCommandLine, ASheetBeyondAWorksheetIsRefusedWithItsLine) {
    const std::string rows = folder.write("rows.csv", std::string(65536, '\n') + "1\n");
    Outcome r = run({"calc", rows});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "xlhost: " + rows + ": line 65537: more than 65536 rows\n");
    const std::string columns = folder.write("columns.csv", "1\n" + std::string(256, ',') + "\n");
    r = run({"calc", columns});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "xlhost: " + columns + ": line 2: more than 256 columns\n");
    const std::string cell = folder.write("cell.csv", "1\n2\n" + std::string(32768, 'x') + "\n");
    r = run({"calc", cell});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "xlhost: " + cell + ": line 3: a cell of more than 32767 characters\n");
    // The last row and column of a worksheet are in, and a cell's longest text.
    EXPECT_EQ(run({"calc", folder.write("long.csv", std::string(32767, 'x'))}).status, 0);
    r = run({"calc", folder.write("corner.csv", std::string(65535, '\n') + std::string(255, ',') + "=T.NUM(4)\n")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(r.out.size() - 3), ",4\n");
}

TEST_F(HostileCommandLine, ASheetThatIsNotUtf8IsRefusedWithItsLineAndColumn) {
    const std::string latin1 = folder.write("latin1.csv", "1,2\nOl\xE1,3\n");
    const Outcome r = run({"calc", latin1});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "xlhost: " + latin1 + ": line 2, column 3: not UTF-8 (a character starting with byte 0xE1)\n");
    EXPECT_TRUE(r.out.empty());
}

TEST_F(HostileCommandLine, OptionsAreGivenOnce) {
    const std::string sheet = folder.write("one.csv", "1\n");
    Outcome r = run({"eval", "=T.NUM(A1)", "--sheet", sheet, "--sheet", sheet});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "xlhost: option --sheet is given twice");
    r = run({"calc", sheet, "--sheet", sheet});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "xlhost: --sheet goes with eval; calc takes its CSV file as its operand");
    EXPECT_EQ(run({"--lang", "pt", "--lang", "en", "functions"}).status, 2);
    EXPECT_EQ(run({"eval", "=T.NUM(A1)", "--sheet", sheet}).out, "1\n");
}

TEST_F(HostileCommandLine, ALibraryThatIsNotAnAddInIsRefused) {
    const Outcome r = run({"functions"}, XLHOST_NOT_AN_ADDIN);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, std::string("xlhost: ") + XLHOST_NOT_AN_ADDIN + " is not an add-in: it does not export xlAutoOpen\n");
    xlhost::Host host;
    std::string error;
    EXPECT_FALSE(host.load(XLHOST_NOT_AN_ADDIN, &error));
    EXPECT_FALSE(host.loaded());
    EXPECT_TRUE(host.load(XLHOST_TEST_ADDIN, &error)) << error;  // and the host is free for an add-in
}

// NUL bytes, terminal escapes and line breaks from a formula or a sheet reach the message as
// \xHH, on its one line.
TEST_F(HostileCommandLine, ControlCharactersFromTheInputAreEscapedInMessages) {
    Outcome r = run({"eval", std::string("=T.NUM(1\0)", 10)});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
              "xlhost: cannot parse the formula =T.NUM(1\\x00): unexpected '\\x00' at position 9");
    const std::string sheet = folder.write("escapes.csv", "\"=T.NUM(\x1B[2J\r\n\x7F)\"\n");
    r = run({"calc", sheet});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "xlhost: " + sheet + ": cell A1: unexpected '\\x1B' at position 8\n");
    r = run({"calc", folder.write("zero_byte.csv", std::string("1,\0\n", 4))});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(xlhost::printable(std::string("a\0b\tc\n\x7F\xE1", 8)), "a\\x00b\\x09c\\x0A\\x7F\xE1");
}

// A formula that does not parse is quoted by its start only, cut between two characters, with
// its length: a formula of 120 kB stays a line of a message. So is a reason that quotes it.
TEST_F(HostileCommandLine, ALongFormulaThatDoesNotParseIsQuotedByItsStart) {
    const std::string digits(120000, '1');
    Outcome r = run({"eval", "=T.NUM(" + digits + "x)"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "xlhost: cannot parse the formula =T.NUM(" + digits.substr(0, 73) +
                         "... (120009 bytes): not a number: '" + digits.substr(0, 65) +
                         "... (120030 bytes)\n");
    // A two-byte character is never split: after the '=', 79 bytes hold 39 of them.
    std::string accents;
    for (int i = 0; i < 50000; ++i) accents += "\xC3\xA3";  // ã
    r = run({"eval", "=" + accents});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "xlhost: cannot parse the formula =" + accents.substr(0, 78) +
                         "... (100001 bytes): unexpected '\xC3\xA3' at position 2\n");
}

}  // namespace

namespace {

// Row and column fields are 16 and 8 bits: the last row (65535, 0-based) and column (255) go
// in, one more is refused rather than cut to its low bits.
TEST(RecordFields, ACountOrCoordinateThatDoesNotFitIsRefusedNeverCut) {
    using xlhost::capi::record_field;
    EXPECT_EQ(record_field<uint16_t>(65535, "row"), 65535);
    EXPECT_THROW(record_field<uint16_t>(65536, "row"), std::range_error);
    EXPECT_THROW(record_field<uint16_t>(-1, "row"), std::range_error);
    EXPECT_EQ(record_field<uint8_t>(255, "column"), 255);
    EXPECT_THROW(record_field<uint8_t>(256, "column"), std::range_error);
    const XLREF whole_sheet = xlhost::capi::record_rectangle({0, 0, 65535, 255});
    EXPECT_EQ(whole_sheet.rwLast, 65535);
    EXPECT_EQ(whole_sheet.colLast, 255);
    EXPECT_THROW(xlhost::capi::record_rectangle({0, 0, 65536, 0}), std::range_error);
}

}  // namespace
