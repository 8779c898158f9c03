// The menu commands of the xlhost program: a language chosen with pick is kept in the registry
// file and shows at the next run; menu prints the bar; errors are told on stderr.
#include <cstdio>

#include "menu_fixture.h"
#include "support/scratch_folder.h"

namespace menu_test {
namespace {

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::registry_clear();
        ASSERT_TRUE(scratch.ready());
        registry = scratch.file("registry.txt");  // the first run starts without a file
    }
    void TearDown() override {
        plat_control::registry_use_file("");
        EXPECT_EQ(plat_control::global_blocks_outstanding(), 0);
    }
    int run(std::vector<std::string> arguments) {
        out.clear();
        err.clear();
        arguments.insert(arguments.begin(), {"--registry", registry});
        return xlhost::run_command_line(arguments, out, err);
    }
    vx_test::ScratchFolder scratch;
    std::string registry, out, err;
};

TEST_F(CommandLine, ALanguagePickedIsStoredAndShowsAtTheNextRun) {
    ASSERT_EQ(run({"--lang", "en", "menu"}), 0) << err;
    EXPECT_NE(out.find("&Varentis\n  &CSpline x Exp  [vx_menu_cmp]\n  ----\n  Idio&m \u25b8\n"
                       "    &Portuguese (Brazil)  [vx_menu_port]\n  \u2713 &English (USA)  [vx_menu_ing]\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("&Varentis\n"), std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 6), "&Help\n");

    ASSERT_EQ(run({"pick", "Varentis", "Idiom", "Portuguese (Brazil)"}), 0) << err;
    EXPECT_EQ(out, "[information]\nPlease, restart Microsoft Excel to enjoy all changes.\n");

    // The next run reads the stored choice; a Portuguese Excel has its own help menu.
    ASSERT_EQ(run({"--excel-lang", "pt", "menu"}), 0) << err;
    EXPECT_NE(out.find("  Idio&ma \u25b8\n  \u2713 &Português (Brasil)  [vx_menu_port]\n    &Inglês (EUA)  [vx_menu_ing]\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.substr(out.size() - 7), "Aj&uda\n");

    ASSERT_EQ(run({"run", "vx_menu_sobre"}), 0) << err;
    EXPECT_EQ(out.rfind("[information]\nVarentis - Cálculos para Mercado Financeiro\n", 0), 0u) << out;
    ASSERT_EQ(run({"pick", "Varentis", "2"}), 0) << err;
    EXPECT_EQ(out, "(nothing runs)\n");
}

TEST_F(CommandLine, WhatNamesNothingIsBadInput) {
    EXPECT_EQ(run({"pick", "Varentis", "Nothing"}), 2);
    EXPECT_EQ(err, "xlhost: no item Nothing in the menu &Varentis\n");
    EXPECT_EQ(run({"pick", "Varentis", "Idiom"}), 2);
    EXPECT_EQ(run({"pick", "Varentis"}), 2);
    EXPECT_EQ(run({"run", "vx_menu_nada"}), 2);
    EXPECT_EQ(err, "xlhost: no command macro vx_menu_nada is registered\n");
    EXPECT_EQ(run({"--excel-lang", "fr", "menu"}), 2);
    EXPECT_EQ(run({"menu", "extra"}), 2);
}

}  // namespace
}  // namespace menu_test
