// The web help: four launch attempts in order (explorer.exe by name, explorer by its searched
// path, then netscape.exe the same two ways), and one error alert when none starts.
// Fake browsers in a private folder record what they were given; every one is waited for.
#include "web_help_fixture.h"

namespace menu_test {
namespace {

TEST_F(WebHelp, ExplorerFoundByNameOpensThePageOfTheLanguage) {
    fake_browser("explorer.exe");
    fake_browser("netscape.exe");
    install("1");
    restart();
    ASSERT_EQ(pick({"Varentis", "Ajuda na Web"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_TRUE(host().alerts().empty());
    ASSERT_EQ(plat_control::spawns().size(), 1u);
    EXPECT_EQ(plat_control::spawns()[0].program, "explorer.exe");
    EXPECT_EQ(plat_control::spawns()[0].arg0, "explorer.exe");
    // No search is made, and Netscape is never tried.
    EXPECT_TRUE(plat_control::searches().empty());
    EXPECT_EQ(received("explorer.exe"), in_folder("explorer.exe") + "\n" + page + "ajuda.php\n");
    EXPECT_EQ(received("netscape.exe"), "");

    install("2");
    restart();
    ASSERT_EQ(pick({"Varentis", "Help on line"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_TRUE(host().alerts().empty());
    EXPECT_EQ(received("explorer.exe"), in_folder("explorer.exe") + "\n" + page + "ajuda_en.php\n");
}

TEST_F(WebHelp, AnExplorerThatDoesNotStartIsTriedByItsPathAndThenNetscapeIs) {
    fake_browser("explorer.exe", false);  // found, but it cannot run
    fake_browser("netscape.exe");
    install("2");
    restart();
    ASSERT_EQ(pick({"Varentis", "Help on line"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_TRUE(host().alerts().empty());
    const std::string explorer_path = in_folder("explorer.exe");
    EXPECT_EQ(launched(), (std::vector<std::string>{"explorer.exe (failed)", explorer_path + " (failed)", "netscape.exe"}));
    ASSERT_EQ(plat_control::spawns().size(), 3u);
    EXPECT_EQ(plat_control::spawns()[1].arg0, explorer_path);
    EXPECT_EQ(plat_control::spawns()[1].arg1, page + "ajuda_en.php");
    ASSERT_EQ(plat_control::searches().size(), 1u);
    EXPECT_EQ(plat_control::searches()[0].file, "explorer");
    EXPECT_EQ(plat_control::searches()[0].extension, ".exe");
    EXPECT_EQ(received("netscape.exe"), in_folder("netscape.exe") + "\n" + page + "ajuda_en.php\n");
}

TEST_F(WebHelp, WhenBothBrowsersAreFoundButNeitherStartsExactlyOneErrorAlertIsShown) {
    fake_browser("explorer.exe", false);
    fake_browser("netscape.exe", false);
    install("2");
    restart();
    ASSERT_EQ(pick({"Varentis", "Help on line"}).outcome, xlhost::PickResult::Outcome::ran);
    const std::string netscape_path = in_folder("netscape.exe");
    EXPECT_EQ(launched(), (std::vector<std::string>{"explorer.exe (failed)", in_folder("explorer.exe") + " (failed)",
                                                    "netscape.exe (failed)", netscape_path + " (failed)"}));
    ASSERT_EQ(plat_control::spawns().size(), 4u);
    EXPECT_EQ(plat_control::spawns()[3].arg0, netscape_path);
    EXPECT_EQ(plat_control::spawns()[3].arg1, page + "ajuda_en.php");
    ASSERT_EQ(plat_control::searches().size(), 2u);
    EXPECT_EQ(plat_control::searches()[1].file, "netscape");
    EXPECT_EQ(plat_control::searches()[1].extension, ".exe");
    expect_one_help_error(help_error_en);

    reap();  // and forget the records of the first pick
    install("1");
    restart();
    ASSERT_EQ(pick({"Varentis", "Ajuda na Web"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_EQ(plat_control::spawns().size(), 4u);
    expect_one_help_error(cp(help_error_pt_utf8));
}

}  // namespace
}  // namespace menu_test
