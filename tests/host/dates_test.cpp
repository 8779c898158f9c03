// Dates in the host as Excel has them: DATE(y; m; d) in formulas, CSV cells written yyyy-mm-dd
// read as serials, and the sheet shown with dates where a cell holds one. Serials checked
// against Excel's own (1 is 1900-01-01, 60 its 29 February 1900, 61 is 1900-03-01).
#include "host_fixture.h"
#include "model/dates.h"

namespace {

using xlhost::Value;

class Dates : public LoadedHost {};

TEST_F(Dates, DateAsExcelWorksItOut) {
    struct Caso {
        const char* formula;
        Value esperado;
    };
    for (const Caso& c : std::vector<Caso>{
             {"=DATE(2025;2;3)", Value::num(45691)},
             {"=DATE(2001;1;1)", Value::num(36892)},
             {"=DATE(9999;12;31)", Value::num(2958465)},
             {"=DATE(1900;1;1)", Value::num(1)},
             {"=DATE(1900;2;29)", Value::num(60)},
             {"=DATE(1900;3;1)", Value::num(61)},
             {"=DATE(1900;3;0)", Value::num(60)},
             {"=DATE(2025;13;1)", Value::num(46023)},   // 2026-01-01
             {"=DATE(2025;1;0)", Value::num(45657)},    // 2024-12-31
             {"=DATE(2025;0;1)", Value::num(45627)},    // 2024-12-01
             {"=DATE(2025;-1;1)", Value::num(45597)},   // 2024-11-01
             {"=DATE(2025;3;-1)", Value::num(45715)},   // 2025-02-27
             {"=DATE(125;2;3)", Value::num(45691)},     // years below 1900 count from 1900
             {"=DATE(2025.9;2.5;3.99)", Value::num(45691)},
             {"=DATE(\"2025\";2;3)", Value::num(45691)},
             {"=DATE(T.NUM(2025);2;3)", Value::num(45691)},
             {"=DATE(10000;1;1)", Value::err(36)},
             {"=DATE(9999;12;32)", Value::err(36)},
             {"=DATE(-1;1;1)", Value::err(36)},
             {"=DATE(1900;1;-1)", Value::err(36)},
             {"=DATE(\"x\";1;1)", Value::err(15)},
             {"=DATE(#N/A;1;1)", Value::err(42)},
             {"=DATE(2025;1)", Value::err(15)},
         })
        EXPECT_EQ(eval(c.formula), c.esperado) << c.formula;
}

TEST_F(Dates, CsvCellsWrittenAsDatesAreSerials) {
    ASSERT_TRUE(host->load_csv_text("2025-02-03,2025-02-30,1899-12-31,1900-02-28,9999-12-31,2024-02-29,2023-02-29,25-02-03\n"));
    EXPECT_EQ(host->cell("A1"), Value::num(45691));
    EXPECT_EQ(host->cell("B1"), Value::str("2025-02-30"));  // no such day: a text, as Excel keeps it
    EXPECT_EQ(host->cell("C1"), Value::str("1899-12-31"));  // before Excel's first date
    EXPECT_EQ(host->cell("D1"), Value::num(59));
    EXPECT_EQ(host->cell("E1"), Value::num(2958465));
    EXPECT_EQ(host->cell("F1"), Value::num(45351));
    EXPECT_EQ(host->cell("G1"), Value::str("2023-02-29"));
    EXPECT_EQ(host->cell("H1"), Value::str("25-02-03"));
    // A formula sees the serial.
    EXPECT_EQ(eval("=T.NUM(A1)"), Value::num(45691));
}

TEST_F(Dates, TheSheetShowsDatesWhereCellsHoldThem) {
    ASSERT_TRUE(host->load_csv_text("2025-02-03,45691,=DATE(2026;1;2),=T.NUM(A1),=DATE(10000;1;1)\n"));
    host->calc();
    // As shown: the date read as one and the answer of DATE; a number stays a number, and so
    // does a function's answer that is not a date, though it came from one.
    EXPECT_EQ(host->sheet_csv(true), "2025-02-03,45691,2026-01-02,45691,#NUM!\n");
    EXPECT_EQ(host->sheet_csv(), "45691,45691,46024,45691,#NUM!\n");
}

TEST(DateTexts, SerialsBothWays) {
    for (const auto& [serial, texto] : std::vector<std::pair<double, const char*>>{
             {1, "1900-01-01"}, {59, "1900-02-28"}, {60, "1900-02-29"}, {61, "1900-03-01"},
             {36892, "2001-01-01"}, {45691.75, "2025-02-03"}, {2958465, "9999-12-31"}}) {
        EXPECT_EQ(xlhost::iso_date_text(serial), std::optional<std::string>(texto)) << serial;
        if (serial == static_cast<int>(serial)) {
            EXPECT_EQ(xlhost::parse_iso_date(texto), std::optional<double>(serial)) << texto;
        }
    }
    EXPECT_EQ(xlhost::parse_iso_date("1900-02-29"), std::optional<double>(60));  // Excel's own day
    EXPECT_EQ(xlhost::parse_iso_date("1901-02-29"), std::nullopt);
    for (double s : {0.0, -1.0, 2958466.0}) EXPECT_EQ(xlhost::iso_date_text(s), std::nullopt) << s;
    EXPECT_TRUE(xlhost::is_date_format("yyyy-mm-dd"));
    EXPECT_TRUE(xlhost::is_date_format("dd/mm/yyyy"));
    EXPECT_FALSE(xlhost::is_date_format("0.00"));
    EXPECT_FALSE(xlhost::is_date_format("\"day\" 0"));
    EXPECT_FALSE(xlhost::is_date_format("General"));
    EXPECT_FALSE(xlhost::is_date_format("[Red]0.00"));
}

}  // namespace
