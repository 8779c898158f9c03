// The about box: the version stored at installation, unchanged, between the first part and the
// maker's signature; a text longer than a counted string is cut at 255 characters.
#include "menu_fixture.h"

namespace menu_test {
namespace {

class AboutBox : public MenuTest {
protected:
    // The about box's text, after checking it is one information alert.
    std::string shown(const std::string& item) {
        EXPECT_EQ(pick({"Varentis", item}).outcome, xlhost::PickResult::Outcome::ran);
        EXPECT_EQ(host().alerts().size(), 1u);
        if (host().alerts().empty()) return "<no alert>";
        EXPECT_EQ(host().alerts()[0].type, 2);
        return host().alerts()[0].text;
    }
};

TEST_F(AboutBox, ShowsTheVersionUnchangedInEachLanguage) {
    const std::string versao = "3.2.1 beta (compilação 17) 100% [x]";
    install("1", cp(versao));
    restart();
    EXPECT_EQ(shown("Sobre"), cp("Varentis - Cálculos para Mercado Financeiro\nSuplemento para Microsoft Excel\nVersão: " +
                                 versao + "\n\nMarvessa Sistemas Financeiros\nwww.marvessa.com.br"));
    install("2", cp(versao));
    restart();
    EXPECT_EQ(shown("About"), cp("Varentis - Calcs for Financial Market\nMicrosoft Excel Add-in\nVersion: " + versao +
                                 "\n\nMarvessa Financial Systems\nwww.marvessa.com.br"));
}

TEST_F(AboutBox, WithoutAnInstallationTheLineFeedsFollowTheFirstPart) {
    restart();
    EXPECT_EQ(shown("About"),
              "Varentis - Calcs for Financial Market\nMicrosoft Excel Add-in\nVersion: \n\nMarvessa Financial "
              "Systems\nwww.marvessa.com.br");
}

// Without a PATH the installation is not looked at further: a VERSAO left behind is not shown.
TEST_F(AboutBox, AnEmptyPathLeavesTheVersionUnread) {
    plat_control::registry_set_text(settings_key, "PATH", "");
    plat_control::registry_set_text(settings_key, "VERSAO", "4.5.6");
    plat_control::registry_set_text(settings_key, "IDIOMA", "1");
    restart();
    EXPECT_EQ(shown("About"),
              "Varentis - Calcs for Financial Market\nMicrosoft Excel Add-in\nVersion: \n\nMarvessa Financial "
              "Systems\nwww.marvessa.com.br");
}

TEST_F(AboutBox, ATextBeyond255CharactersIsCutAt255) {
    const std::string prefix = "Varentis - Calcs for Financial Market\nMicrosoft Excel Add-in\nVersion: ";
    const std::string tail = "\n\nMarvessa Financial Systems\nwww.marvessa.com.br";
    // Exactly 255: shown whole.
    const std::string fits(255 - prefix.size() - tail.size(), '7');
    install("2", fits);
    restart();
    EXPECT_EQ(shown("About"), prefix + fits + tail);
    // One more character: the end of the text goes, the box still shows.
    install("2", fits + "8");
    restart();
    const std::string cut = shown("About");
    EXPECT_EQ(cut.size(), 255u);
    EXPECT_EQ(cut, (prefix + fits + "8" + tail).substr(0, 255));
    // The longest version the settings can hold (499 characters) leaves the first part and
    // 255 characters in all.
    install("2", std::string(499, 'v'));
    restart();
    EXPECT_EQ(shown("About"), (prefix + std::string(499, 'v')).substr(0, 255));
}

// The version is the only setting kept as a text: one that fills the 500-byte buffer without a
// terminator cannot end inside it and shows as empty (never read past the buffer); a NUL inside
// the buffer ends it there.
TEST_F(AboutBox, AVersionIsTheTextUpToItsTerminatorInsideTheBuffer) {
    const std::string prefix = "Varentis - Calcs for Financial Market\nMicrosoft Excel Add-in\nVersion: ";
    const std::string tail = "\n\nMarvessa Financial Systems\nwww.marvessa.com.br";
    install("2");
    plat_control::registry_set(settings_key, "VERSAO", {plat::reg_binary, std::vector<uint8_t>(500, '9')});
    restart();
    EXPECT_EQ(shown("About"), prefix + tail);
    std::vector<uint8_t> ended_early(500, '9');
    ended_early[4] = '\0';
    plat_control::registry_set(settings_key, "VERSAO", {plat::reg_binary, ended_early});
    restart();
    EXPECT_EQ(shown("About"), prefix + "9999" + tail);
    plat_control::registry_set(settings_key, "VERSAO", {plat::reg_binary, std::vector<uint8_t>(499, '9')});
    restart();
    EXPECT_EQ(shown("About"), (prefix + std::string(499, '9')).substr(0, 255));
}

}  // namespace
}  // namespace menu_test
