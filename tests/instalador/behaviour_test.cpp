// What the user and the installer see of the notice: OK closes it and the call returns; typing
// into the terms changes nothing that lasts; each call is a fresh dialog; the language setting
// changes nothing; and the notice touches no setting.
#include "notice_fixture.h"

namespace instalador_test {
namespace {

TEST_F(NoticeTest, OkClosesTheDialogAndTheCallReturns) {
    instala("1");
    EXPECT_TRUE(carrega());
    ASSERT_EQ(ainda_aberto.size(), 1u);
    EXPECT_FALSE(ainda_aberto[0]);  // closed by OK, not by the driver's fallback
    EXPECT_EQ(plat_control::forms_alive(), 0);
}

TEST_F(NoticeTest, TypedTextIsLostAndEachCallIsAFreshDialog) {
    instala("1");
    std::string digitado;
    EXPECT_TRUE(carrega([&](plat::Form form) {
        EXPECT_TRUE(plat_control::form_type(form, "m_licenca", "\r\nAceito tudo"));
        digitado = plat_control::form_view(form).control("m_licenca")->text;
        EXPECT_TRUE(plat_control::form_click(form, "b_ok"));
    }));
    EXPECT_TRUE(carrega());
    ASSERT_EQ(vistos.size(), 2u);
    const std::string original = vistos[0].control("m_licenca")->text;
    EXPECT_EQ(digitado, original + "\r\nAceito tudo");  // the box took the typing
    EXPECT_EQ(vistos[1].control("m_licenca")->text, original);
    EXPECT_EQ(linhas(vistos[1].control("m_licenca")->text).size(), 26u);
    EXPECT_EQ(vistos[1].caption, vistos[0].caption);
    EXPECT_EQ(vistos[1].controls.size(), vistos[0].controls.size());
    EXPECT_EQ(plat_control::forms_alive(), 0);
}

TEST_F(NoticeTest, PortugueseWhateverTheLanguageSetting) {
    std::vector<plat_control::FormView> por_idioma;
    for (const std::string idioma : {"1", "2"}) {
        instala(idioma);
        vistos.clear();
        EXPECT_TRUE(carrega());
        ASSERT_EQ(vistos.size(), 1u) << idioma;
        por_idioma.push_back(vistos[0]);
        host.unload();
    }
    EXPECT_EQ(por_idioma[1].caption, por_idioma[0].caption);
    ASSERT_EQ(por_idioma[1].controls.size(), por_idioma[0].controls.size());
    for (size_t i = 0; i < por_idioma[0].controls.size(); ++i)
        EXPECT_EQ(por_idioma[1].controls[i].text, por_idioma[0].controls[i].text) << por_idioma[0].controls[i].name;
    EXPECT_EQ(por_idioma[1].control("b_ok")->text, "OK");
}

TEST_F(NoticeTest, TheNoticeWritesNoSetting) {
    instala("2");
    EXPECT_TRUE(carrega());
    EXPECT_TRUE(carrega());
    const auto idioma = plat_control::registry_get(settings_key, "IDIOMA");
    ASSERT_TRUE(idioma.has_value());
    EXPECT_EQ(idioma->bytes, std::vector<uint8_t>({'2', 0}));
    EXPECT_FALSE(plat_control::registry_key_exists("Software\\Marvessa"));
}

}  // namespace
}  // namespace instalador_test
