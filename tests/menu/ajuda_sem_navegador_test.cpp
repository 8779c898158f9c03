// The web help with no browser anywhere. Native only: under Wine the system's own explorer.exe
// is always found by the file search, and starting it would open a real window.
#include "web_help_fixture.h"

namespace menu_test {
namespace {

TEST_F(WebHelp, WhenNoBrowserIsFoundExactlyOneErrorAlertIsShown) {
    install("2");
    restart();
    ASSERT_EQ(pick({"Varentis", "Help on line"}).outcome, xlhost::PickResult::Outcome::ran);
    // Both searches find nothing, so only the two launches by name are made.
    EXPECT_EQ(launched(), (std::vector<std::string>{"explorer.exe (failed)", "netscape.exe (failed)"}));
    ASSERT_EQ(plat_control::searches().size(), 2u);
    EXPECT_EQ(plat_control::searches()[1].file, "netscape");
    expect_one_help_error(help_error_en);

    install("1");
    restart();
    ASSERT_EQ(pick({"Varentis", "Ajuda na Web"}).outcome, xlhost::PickResult::Outcome::ran);
    expect_one_help_error(cp(help_error_pt_utf8));
}

}  // namespace
}  // namespace menu_test
