// Values no workbook can hold, and files that cannot be written: what an add-in writes into
// cells and what the export saves stay within what Excel and its file format know.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "command_script.h"
#include "support/scratch_folder.h"
#include "xlsx_facts.h"
#include "xlsx/zip_archive.h"

namespace {

using xlhost::Value;

class HostileValues : public CommandScript {
protected:
    XLOPER row_of(std::vector<XLOPER>& items) {
        XLOPER x{};
        x.xltype = xltypeMulti;
        x.val.array.lparray = items.data();
        x.val.array.rows = 1;
        x.val.array.columns = static_cast<uint16_t>(items.size());
        return x;
    }
    vx_test::ScratchFolder folder;
};

// Excel holds no NaN or infinity in a cell: a number that is not finite, written by the
// add-in one cell at a time or as a block, is #NUM!, in the sheet and in the saved file.
TEST_F(HostileValues, NumbersThatAreNotFiniteBecomeNumErrorsInCellsAndInTheFile) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<XLOPER> items = {num(std::numeric_limits<double>::quiet_NaN()), num(inf), num(1.5)};
    ASSERT_EQ(call(xlSet, {area(0, 0, 0, 2), row_of(items)}), 0);
    ASSERT_EQ(call(xlSet, {area(1, 1, 0, 0), num(-inf)}), 0);
    EXPECT_EQ(active().value(0, 0), Value::err(xlerrNum));
    EXPECT_EQ(active().value(0, 1), Value::err(xlerrNum));
    EXPECT_EQ(active().value(0, 2), Value::num(1.5));
    EXPECT_EQ(active().value(1, 0), Value::err(xlerrNum));
    const std::string path = folder.file("not_finite.xlsx");
    std::string error;
    ASSERT_TRUE(host->save_xlsx(path, &error)) << error;
    const std::string facts = workbooks_test::read_xlsx_facts(path);
    for (const char* fact : {"A1 =#NUM!\n", "B1 =#NUM!\n", "C1 1.5\n", "A2 =#NUM!\n"})
        EXPECT_NE(facts.find(fact), std::string::npos) << fact << facts;
    EXPECT_EQ(facts.find("Error"), std::string::npos) << facts;
}

// xlCoerce of a whole column to an array: 65536 rows do not fit an array record; the add-in
// gets #VALUE!, and the user is told why.
TEST_F(HostileValues, AWholeColumnCoercedToAnArrayBecomesValueWithANote) {
    XLOPER result{};
    ASSERT_EQ(call(xlCoerce, {area(0, 65535, 0, 0), i(xltypeMulti)}, &result), xlretSuccess);
    EXPECT_EQ(result.xltype, xltypeErr);
    EXPECT_EQ(result.val.err, xlerrValue);
    ASSERT_EQ(host->notes().size(), 1u);
    EXPECT_EQ(host->notes()[0], "xlCoerce: $A$1:$A$65536 has 65536 rows, more than the 65535 of an array record, "
                                "so it becomes #VALUE!");
}

// A file that cannot be written is one line from the host and nothing from the library; a
// workbook that cannot be written leaves a file already there as it was.
TEST_F(HostileValues, AFileThatCannotBeWrittenIsOneLineAndTouchesNothing) {
    ASSERT_EQ(call(xlSet, {area(0, 0, 0, 0), num(1)}), 0);
    const std::string missing = folder.file("no/such/folder/book.xlsx");
    std::string error;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(host->save_xlsx(missing, &error));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(error, "cannot write " + missing + ": No such file or directory");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(host->save_xlsx(folder.path(), &error));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    // The reason is the system's own: "Is a directory" on Linux, "Permission denied" on Windows.
    const std::string prefix = "cannot write " + folder.path() + ": ";
    EXPECT_EQ(error.compare(0, prefix.size(), prefix), 0) << error;
    EXPECT_GT(error.size(), prefix.size());
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;

    const std::string kept = folder.write("kept.xlsx", "keep me");
    ASSERT_EQ(call(xlcNew, {i(1)}), 0);
    ASSERT_EQ(call(xlcWorkbookInsert, {i(2)}), 0);  // a chart without series cannot be written
    EXPECT_FALSE(host->save_xlsx(kept, &error));
    std::ostringstream still;
    still << std::ifstream(kept).rdbuf();
    EXPECT_EQ(still.str(), "keep me");
}

// On the command line, that one line is all stderr says, and the status is 2.
TEST(HostileChartFile, AnOutputThatCannotBeWrittenIsOneLine) {
    plat_control::reset();
    vx_test::ScratchFolder folder;
    const std::string curve = folder.write("curve.csv", "0.18,21\n0.185,63\n0.195,126\n0.2,252\n");
    const std::string book = folder.file("missing/chart.xlsx");
    std::string out, err;
    testing::internal::CaptureStderr();
    const int status = xlhost::run_command_line({"--registry", folder.file("registry.txt"), "--addin",
                                                 xlhost::default_addin_path(), "chart", curve, "A1:B4", "--out", book},
                                                out, err);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(status, 2);
    EXPECT_EQ(err, "xlhost: cannot write " + book + ": No such file or directory\n");
    EXPECT_EQ(out, "");
}

}  // namespace

namespace {

// The archive's counts and name lengths are 16-bit: one part or one byte of a name too many
// is refused, and what fits reads back.
TEST(ZipArchive, CountsAndNamesBeyondTheirFieldsAreRefused) {
    std::vector<xlhost::xlsx::ZipEntry> entries(65535, {"p", ""});
    std::string archive, error;
    ASSERT_TRUE(xlhost::xlsx::write_zip(entries, &archive, &error)) << error;
    std::vector<xlhost::xlsx::ZipEntry> read;
    ASSERT_TRUE(xlhost::xlsx::read_zip(archive, &read, &error)) << error;
    EXPECT_EQ(read.size(), 65535u);
    entries.push_back({"p", ""});
    EXPECT_FALSE(xlhost::xlsx::write_zip(entries, &archive, &error));
    EXPECT_EQ(error, "more than 65535 parts for a zip archive");
    EXPECT_TRUE(xlhost::xlsx::write_zip({{std::string(65535, 'n'), "x"}}, &archive, &error)) << error;
    EXPECT_FALSE(xlhost::xlsx::write_zip({{std::string(65536, 'n'), "x"}}, &archive, &error));
}

}  // namespace
