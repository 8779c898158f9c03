// The chart command line's own checks, before any add-in runs.
#include <gtest/gtest.h>

#include <fstream>

#include "support/scratch_folder.h"
#include "xlhost/host.h"
#include "xlsx_facts.h"

namespace {

int run(const std::vector<std::string>& arguments, std::string* err) {
    std::string out;
    return xlhost::run_command_line(arguments, out, *err);
}

TEST(ChartCommandLine, RefusesIncompleteOrMisplacedOptions) {
    std::string err;
    EXPECT_EQ(run({"chart", "book.csv", "A1:B4"}, &err), 2);
    EXPECT_NE(err.find("chart needs --out FILE.xlsx"), std::string::npos) << err;
    err.clear();
    EXPECT_EQ(run({"chart", "book.csv", "--out", "x.xlsx"}, &err), 2);
    EXPECT_NE(err.find("chart takes a CSV file and a range"), std::string::npos) << err;
    err.clear();
    EXPECT_EQ(run({"--bw", "eval", "=1"}, &err), 2);
    EXPECT_NE(err.find("--bw and --out go with chart"), std::string::npos) << err;
}

// The whole command with the real add-in, read back by openpyxl. Palette colour 1 is black,
// which the writer must not take for "no colour": the black-and-white lines are saved black.
TEST(ChartCommandLine, BlackAndWhiteChartIsSavedWithBlackLines) {
    vx_test::ScratchFolder scratch;
    ASSERT_TRUE(scratch.ready());
    const std::string sheet = scratch.file("curve.csv"), book = scratch.file("chart.xlsx");
    std::ofstream(sheet) << "0.18,21\n0.185,63\n0.195,126\n0.2,252\n";
    std::string err;
    ASSERT_EQ(run({"--registry", scratch.file("registry.txt"), "--addin", xlhost::default_addin_path(), "chart", sheet,
                   "A1:B4", "--bw", "--out", book},
                  &err),
              0)
        << err;
    const std::string facts = workbooks_test::read_xlsx_facts(book);
    EXPECT_NE(facts.find("series line Auxiliar!$B$3 000000\n"), std::string::npos) << facts;
    EXPECT_NE(facts.find("series line Auxiliar!$C$3 000000\n"), std::string::npos) << facts;
}

}  // namespace
