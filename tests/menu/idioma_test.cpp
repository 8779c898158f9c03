// Choosing the language from the submenu: the stored setting changes, the running add-in does
// not; after a restart the new language is everywhere (registrations, menu, messages).
#include "menu_fixture.h"

namespace menu_test {
namespace {

const char* const english_confirmation = "Please, restart Microsoft Excel to enjoy all changes.";
const char* const portuguese_confirmation =
    "Por favor, inicie novamente o Microsoft Excel para que as alterações tenham efeito.";

std::string function_help(xlhost::Host& host) {
    const auto* registration = host.find_function("VX.INTERPOLEX");
    return registration ? registration->function_help : "<not registered>";
}

TEST_F(MenuTest, ChoosingTheOtherLanguageTakesEffectAtTheNextStartEverywhere) {
    install("2");
    restart();
    const std::string english_help = function_help(host());

    ASSERT_EQ(pick({"Varentis", "Idiom", "Portuguese (Brazil)"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_EQ(stored_idioma(), std::string("1") + '\0');
    ASSERT_EQ(host().alerts().size(), 1u);
    EXPECT_EQ(host().alerts()[0].text, english_confirmation);
    EXPECT_EQ(host().alerts()[0].type, 2);
    // Nothing changes in the running add-in: English is still active, so choosing English
    // now does nothing at all, and "1" stays stored.
    EXPECT_TRUE(varentis()->items[2].items[1].checked);
    ASSERT_EQ(pick({"Varentis", "Idiom", "English (USA)"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_TRUE(host().alerts().empty());
    EXPECT_EQ(stored_idioma(), std::string("1") + '\0');

    restart();
    // Portuguese registrations, menu, check mark and messages.
    EXPECT_NE(function_help(host()), english_help);
    EXPECT_EQ(function_help(host()),
              cp("Retorna a taxas de juros interpolada exponencialmente ou extrapolada para o período indicado"));
    ASSERT_NE(varentis(), nullptr);
    EXPECT_EQ(varentis()->items[2].name, "Idio&ma");
    EXPECT_TRUE(varentis()->items[2].items[0].checked);
    EXPECT_FALSE(varentis()->items[2].items[1].checked);
    ASSERT_EQ(pick({"Varentis", "Sobre"}).outcome, xlhost::PickResult::Outcome::ran);
    ASSERT_EQ(host().alerts().size(), 1u);
    EXPECT_EQ(host().alerts()[0].text.rfind(cp("Varentis - Cálculos"), 0), 0u);

    // And back: the Portuguese confirmation, "2" stored, English after the next start.
    ASSERT_EQ(pick({"Varentis", "Idioma", "Inglês (EUA)"}).outcome, xlhost::PickResult::Outcome::ran);
    ASSERT_EQ(host().alerts().size(), 1u);
    EXPECT_EQ(host().alerts()[0].text, cp(portuguese_confirmation));
    EXPECT_EQ(host().alerts()[0].type, 2);
    EXPECT_EQ(stored_idioma(), std::string("2") + '\0');
    restart();
    EXPECT_EQ(function_help(host()), english_help);
    EXPECT_EQ(varentis()->items[2].name, "Idio&m");
}

TEST_F(MenuTest, ChoosingTheActiveLanguageTouchesNothing) {
    install("1");
    restart();
    plat_control::registry_deny_writes(true);  // any write attempt would fail; none is made
    ASSERT_EQ(pick({"Varentis", "Idioma", "Português (Brasil)"}).outcome, xlhost::PickResult::Outcome::ran);
    plat_control::registry_deny_writes(false);
    EXPECT_TRUE(host().alerts().empty());
    EXPECT_EQ(stored_idioma(), std::string("1") + '\0');
    EXPECT_TRUE(host().faults().empty());
}

TEST_F(MenuTest, ChoosingTwiceBeforeARestartWritesAndConfirmsTwice) {
    install("2");
    restart();
    for (int time = 0; time < 2; ++time) {
        ASSERT_EQ(pick({"Varentis", "Idiom", "Portuguese (Brazil)"}).outcome, xlhost::PickResult::Outcome::ran);
        ASSERT_EQ(host().alerts().size(), 1u);
        EXPECT_EQ(host().alerts()[0].text, english_confirmation);
    }
    EXPECT_EQ(stored_idioma(), std::string("1") + '\0');
}

TEST_F(MenuTest, WithoutAnInstallationTheChoiceIsStoredButEnglishStays) {
    // No settings key at all: the command creates it and stores IDIOMA, but the new key holds
    // no PATH, so the next start is English all the same.
    restart();
    ASSERT_FALSE(plat_control::registry_key_exists(settings_key));
    ASSERT_EQ(pick({"Varentis", "Idiom", "Portuguese (Brazil)"}).outcome, xlhost::PickResult::Outcome::ran);
    EXPECT_TRUE(plat_control::registry_key_exists(settings_key));
    EXPECT_EQ(stored_idioma(), std::string("1") + '\0');
    EXPECT_FALSE(plat_control::registry_get(settings_key, "PATH").has_value());
    ASSERT_EQ(host().alerts().size(), 1u);
    EXPECT_EQ(host().alerts()[0].text, english_confirmation);
    restart();
    EXPECT_EQ(varentis()->items[2].name, "Idio&m");
    EXPECT_TRUE(varentis()->items[2].items[1].checked);
}

TEST_F(MenuTest, AUserWhoMayNotWriteTheKeyIsConfirmedAllTheSame) {
    install("2");
    restart();
    plat_control::registry_deny_writes(true);
    ASSERT_EQ(pick({"Varentis", "Idiom", "Portuguese (Brazil)"}).outcome, xlhost::PickResult::Outcome::ran);
    plat_control::registry_deny_writes(false);
    EXPECT_EQ(stored_idioma(), std::string("2") + '\0');  // as installed
    ASSERT_EQ(host().alerts().size(), 1u);
    EXPECT_EQ(host().alerts()[0].text, english_confirmation);
    EXPECT_EQ(host().alerts()[0].type, 2);
}

}  // namespace
}  // namespace menu_test
