// The menu over the add-in's life: open, close, open again; two opens in a row; a close when
// the menu is gone already.
#include "menu_fixture.h"

namespace menu_test {
namespace {

TEST_F(MenuTest, CloseRemovesTheWholeMenuAndReopeningRebuildsItOnce) {
    install("1");
    load_and_open();
    ASSERT_EQ(count_of("&Varentis"), 1);
    ASSERT_EQ(host().auto_close(), 1);
    EXPECT_EQ(count_of("&Varentis"), 0);
    // Excel's own menus are left as they were.
    EXPECT_EQ(host().menu_bar().menus.size(), 9u);
    const auto deletes = calls_of(xlfDeleteMenu);
    ASSERT_EQ(deletes.size(), 1u);
    EXPECT_EQ(deletes[0].arguments, (std::vector<std::string>{"10", "\"Varentis\""}));

    ASSERT_EQ(host().auto_open(), 1);
    ASSERT_EQ(count_of("&Varentis"), 1);
    const auto* menu = varentis();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 6u);
    EXPECT_EQ(menu->items[2].name, "Idio&ma");
    int submenus = 0;
    for (const auto& item : menu->items) submenus += !item.items.empty();
    EXPECT_EQ(submenus, 1);
    EXPECT_TRUE(menu->items[2].items[0].checked);
    ASSERT_EQ(host().auto_close(), 1);
}

TEST_F(MenuTest, OpeningTwiceAddsTheMainMenuOnceAndKeepsOneSubmenu) {
    install("2");
    load_and_open();
    host().clear_calls();
    ASSERT_EQ(host().auto_open(), 1);
    // The menu is found: only the submenu steps run again.
    EXPECT_EQ(calls_of(xlfAddMenuIntl).size(), 1u);
    EXPECT_EQ(calls_of(xlfCheckCommand).size(), 1u);
    EXPECT_EQ(count_of("&Varentis"), 1);
    ASSERT_NE(varentis(), nullptr);
    EXPECT_EQ(varentis()->items.size(), 6u);
    ASSERT_EQ(host().auto_close(), 1);
    EXPECT_EQ(count_of("&Varentis"), 0);
}

TEST_F(MenuTest, CloseWithoutTheMenuDeletesNothingAndLeavesNothingToFree) {
    install("2");
    load_and_open();
    ASSERT_EQ(host().auto_close(), 1);
    host().clear_calls();
    ASSERT_EQ(host().auto_close(), 1);
    const auto lookups = calls_of(xlfGetBar);
    ASSERT_EQ(lookups.size(), 1u);
    EXPECT_EQ(lookups[0].arguments, (std::vector<std::string>{"10i", "\"Varentis\"", "0i"}));
    EXPECT_EQ(lookups[0].result, "#N/A");
    EXPECT_TRUE(calls_of(xlfDeleteMenu).empty());
    EXPECT_EQ(host().outstanding_values(), 0);
}

TEST_F(MenuTest, TheMenuOfAFormerLoadStaysUntilTheAddinRemovesIt) {
    // Excel's bar outlives a load: a fresh load that finds the menu does not add it again.
    install("2");
    load_and_open();
    host().unload();
    std::string error;
    ASSERT_TRUE(host().load(xlhost::default_addin_path(), &error)) << error;
    ASSERT_EQ(host().auto_open(), 1);
    EXPECT_EQ(count_of("&Varentis"), 1);
    ASSERT_EQ(host().auto_close(), 1);
    EXPECT_EQ(count_of("&Varentis"), 0);
}

TEST(MenuNames, AreComparedWithoutAccessMarksAndCaseInTheWindowsCodePage) {
    EXPECT_TRUE(xlhost::same_menu_name("&Varentis", "VARENTIS"));
    EXPECT_TRUE(xlhost::same_menu_name("Aj&uda", "ajuda"));
    EXPECT_TRUE(xlhost::same_menu_name(xlhost::cp1252("&Português (Brasil)"), xlhost::cp1252("PORTUGUÊS (BRASIL)")));
    EXPECT_FALSE(xlhost::same_menu_name("&Help", "Help on line"));
    EXPECT_FALSE(xlhost::same_menu_name("Idio&m", "Idioma"));
    // "&&" is a literal ampersand, not an access mark.
    EXPECT_EQ(xlhost::menu_label("Data && &Time"), "Data & Time");
    EXPECT_FALSE(xlhost::same_menu_name("Data && Time", "Data Time"));
}

}  // namespace
}  // namespace menu_test
