// The chart command of xlhost with the real add-in: what the user saw is printed as boxes, and
// the exit status tells a selection the add-in refused (4) from a chart it failed to build (5).
#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratch_folder.h"
#include "platform/control/platform_control.h"
#include "xlhost/host.h"

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

class ChartCommandLine : public ::testing::Test {
protected:
    void SetUp() override { plat_control::reset(); }
    Outcome run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(),
                         {"--registry", folder.file("registry.txt"), "--addin", xlhost::default_addin_path()});
        Outcome r;
        r.status = xlhost::run_command_line(arguments, r.out, r.err);
        return r;
    }
    vx_test::ScratchFolder folder;
    const std::string shape_message =
        "Please, select a range of cells with at least 2 rows and exactly 2 columns for Brazilian yield curve: "
        "interest rate (base 252) in the first column and workdays in the second one!";
};

TEST_F(ChartCommandLine, ASelectionTheAddInRefusesIsShownAndExitsFour) {
    const std::string curve = folder.write("curve.csv", "0.18,21\n0.2,63\n");
    const std::string book = folder.file("chart.xlsx");
    Outcome r = run({"--lang", "en", "chart", curve, "A1:B1", "--out", book});
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(r.out, "[error: Warning]\n" + shape_message + "\n");
    EXPECT_EQ(r.err, "xlhost: the add-in refused the selection A1:B1\n");
    r = run({"--lang", "pt", "chart", curve, "A1:B2,D1:E2", "--out", book});
    EXPECT_EQ(r.status, 4);
    EXPECT_EQ(r.out, "[error: Atenção]\nSelecione apenas regiões contíguas de células!\n");
    EXPECT_FALSE(std::filesystem::exists(book));
}

// Rates near the largest double overflow both interpolations: the add-in builds nothing and
// says so, and the command has failed.
TEST_F(ChartCommandLine, AChartTheAddInCannotBuildIsShownAndExitsFive) {
    const std::string curve = folder.write("huge.csv", "1e308,1\n-1e308,2\n1e308,300\n");
    const std::string book = folder.file("chart.xlsx");
    const Outcome r = run({"--lang", "en", "chart", curve, "A1:B3", "--out", book});
    EXPECT_EQ(r.status, 5);
    EXPECT_EQ(r.out,
              "[error: Warning]\nSome errors occurred during comparative chart setup.\nPlease, disregard any results "
              "and try again or contact Marvessa for assistance.\n");
    EXPECT_EQ(r.err, "xlhost: the chart command built no workbook\n");
    EXPECT_FALSE(std::filesystem::exists(book));
}

// A pick or a run of the chart item shows the add-in's message box as the user would see it.
TEST_F(ChartCommandLine, PickAndRunPrintTheAddInsMessageBox) {
    Outcome r = run({"--lang", "en", "pick", "Varentis", "CSpline x Exp"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[error: Warning]\n" + shape_message + "\n");
    r = run({"--lang", "en", "run", "vx_menu_cmp"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "[error: Warning]\n" + shape_message + "\n");
}

}  // namespace
