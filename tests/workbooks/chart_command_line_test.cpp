// The chart command line's own checks, before any add-in runs.
#include <gtest/gtest.h>

#include "xlhost/host.h"

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

}  // namespace
