// The menu as it stands on the bar after xlAutoOpen: in each language of the add-in, in an
// English and in a Portuguese Excel; its items, separators, submenu and check mark.
#include <tuple>

#include "menu_fixture.h"

namespace menu_test {
namespace {

struct Row {
    const char* name;
    const char* macro;
    const char* status;
};

// The main menu as the user sees it, the submenu at position 3 (items counted from 1).
const Row portuguese_menu[] = {
    {"&CSpline x Exp", "vx_menu_cmp", "Gráfico comparativo de interpolações"},
    {"-", " ", ""},
    {"Idio&ma", "", "Idioma para o VARENTIS"},
    {"&Ajuda na Web", "vx_menu_ajuda", "Busca páginas de ajuda na web"},
    {"-", " ", ""},
    {"&Sobre", "vx_menu_sobre", "Informações sobre a Marvessa"},
};
const Row english_menu[] = {
    {"&CSpline x Exp", "vx_menu_cmp", "Comparative chart for cubic spline and exponential interpolation"},
    {"-", " ", ""},
    {"Idio&m", "", "Idiom for VARENTIS"},
    {"H&elp on line", "vx_menu_ajuda", "Help on line - Marvessa"},
    {"-", " ", ""},
    {"A&bout", "vx_menu_sobre", "About Marvessa"},
};
const Row portuguese_submenu[] = {
    {"&Português (Brasil)", "vx_menu_port", "Língua portuguesa (Brasil)"},
    {"&Inglês (EUA)", "vx_menu_ing", "Língua inglesa (EUA)"},
};
const Row english_submenu[] = {
    {"&Portuguese (Brazil)", "vx_menu_port", "Portuguese language (Brazil)"},
    {"&English (USA)", "vx_menu_ing", "English language (USA)"},
};

void expect_rows(const std::vector<xlhost::MenuItem>& items, const Row* rows, size_t count) {
    ASSERT_EQ(items.size(), count);
    for (size_t i = 0; i < count; ++i) {
        SCOPED_TRACE("item " + std::to_string(i + 1));
        EXPECT_EQ(items[i].name, cp(rows[i].name));
        EXPECT_EQ(items[i].macro, cp(rows[i].macro));
        EXPECT_EQ(items[i].status_text, cp(rows[i].status));
        EXPECT_EQ(items[i].shortcut, "");
        EXPECT_EQ(items[i].help_topic, "");
    }
}

// (add-in language "1"/"2", Excel language "pt"/"en")
class MenuLayout : public MenuTest, public ::testing::WithParamInterface<std::tuple<const char*, const char*>> {};

TEST_P(MenuLayout, StandsBeforeHelpWithItsItemsAndTheCheckOnTheLanguageInUse) {
    const std::string idioma = std::get<0>(GetParam());
    const std::string excel = std::get<1>(GetParam());
    const bool portugues = idioma == "1";
    install(idioma);
    start(excel);
    load_and_open();

    const auto& menus = host().menu_bar().menus;
    ASSERT_EQ(menus.size(), 10u);
    // Just before Excel's help menu, whatever Excel's language.
    EXPECT_EQ(menus[8].name, "&Varentis");
    EXPECT_EQ(menus[9].name, excel == "pt" ? "Aj&uda" : "&Help");
    EXPECT_EQ(menus[8].status_text,
              cp(portugues ? "Add-in de cálculos para Mercado Financeiro" : "Varentis add-in for financial market"));

    const auto& items = menus[8].items;
    expect_rows(items, portugues ? portuguese_menu : english_menu, 6);
    ASSERT_EQ(items.size(), 6u);
    const auto& submenu = items[2].items;
    expect_rows(submenu, portugues ? portuguese_submenu : english_submenu, 2);
    ASSERT_EQ(submenu.size(), 2u);
    // One check mark, on the language in use; nothing else in the menu is checked.
    EXPECT_EQ(submenu[0].checked, portugues);
    EXPECT_EQ(submenu[1].checked, !portugues);
    for (const auto& item : items) EXPECT_FALSE(item.checked) << item.name;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i != 2) {
            EXPECT_TRUE(items[i].items.empty()) << items[i].name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndHosts, MenuLayout,
                         ::testing::Combine(::testing::Values("1", "2"), ::testing::Values("en", "pt")),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param)) == "1" ? std::string("Portuguese") +
                                                                                     "InExcel_" + std::get<1>(info.param)
                                                                               : std::string("English") + "InExcel_" +
                                                                                     std::get<1>(info.param);
                         });

TEST_F(MenuTest, InstallationLooksUpPlacesTwiceLooksUpAgainAndMarksTheLanguage) {
    install("2");
    start("en");
    load_and_open();
    std::vector<int> menu_calls;
    for (const auto& call : host().calls())
        if (call.function == xlfGetBar || call.function == xlfAddMenuIntl || call.function == xlfCheckCommand)
            menu_calls.push_back(call.function);
    EXPECT_EQ(menu_calls, (std::vector<int>{xlfGetBar, xlfAddMenuIntl, xlfAddMenuIntl, xlfGetBar, xlfAddMenuIntl,
                                            xlfCheckCommand}));
    const auto adds = calls_of(xlfAddMenuIntl);
    ASSERT_EQ(adds.size(), 3u);
    // "Help" places the menu in an English Excel; "Ajuda" names no menu here and is refused.
    ASSERT_EQ(adds[0].arguments.size(), 3u);
    EXPECT_EQ(adds[0].arguments[0], "10");
    EXPECT_EQ(adds[0].arguments[2], "\"Help\"");
    EXPECT_EQ(adds[0].note, "");
    EXPECT_EQ(adds[1].arguments[2], "\"Ajuda\"");
    EXPECT_NE(adds[1].note, "");
    // The submenu goes into "&Varentis" at position 3.
    ASSERT_EQ(adds[2].arguments.size(), 4u);
    EXPECT_EQ(adds[2].arguments[0], "10i");
    EXPECT_EQ(adds[2].arguments[2], "\"&Varentis\"");
    EXPECT_EQ(adds[2].arguments[3], "3i");
    const auto lookups = calls_of(xlfGetBar);
    ASSERT_EQ(lookups.size(), 2u);
    EXPECT_EQ(lookups[0].result, "#N/A");
    EXPECT_EQ(lookups[1].result, "9");
    const auto check = calls_of(xlfCheckCommand);
    ASSERT_EQ(check.size(), 1u);
    EXPECT_EQ(check[0].arguments,
              (std::vector<std::string>{"10", "\"&Varentis\"", "\"Idio&m\"", "TRUE", "\"&English (USA)\""}));
    // Every menu array lived in a global block for its call only.
    EXPECT_EQ(plat_control::global_blocks_outstanding(), 0);
    EXPECT_EQ(plat_control::global_blocks_locked(), 0);
}

TEST_F(MenuTest, SeparatorsRunNothingAndItemsRunTheirCommand) {
    install("2");
    load_and_open();
    host().clear_calls();
    for (const char* position : {"2", "5"}) {
        const auto picked = pick({"Varentis", position});
        EXPECT_EQ(picked.outcome, xlhost::PickResult::Outcome::nothing) << position;
    }
    EXPECT_TRUE(host().calls().empty());
    EXPECT_TRUE(host().alerts().empty());
    // The submenu itself runs nothing; its items do.
    EXPECT_EQ(pick({"Varentis", "Idiom"}).outcome, xlhost::PickResult::Outcome::submenu);
    // Names are matched without the access marks and without regard to case.
    EXPECT_EQ(pick({"VARENTIS", "a&bout"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_EQ(host().alerts().size(), 1u);
    EXPECT_EQ(pick({"Varentis", "Sobre"}).outcome, xlhost::PickResult::Outcome::not_found);
}

}  // namespace
}  // namespace menu_test
