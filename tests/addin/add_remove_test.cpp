// Adding the add-in shows an information alert; removing it shows another and registers the
// functions again hidden (macro type 0), after which closing still deletes every name.
#include <string>

#include "addin_fixture.h"
#include "expected_catalogue.h"

namespace addin_test {
namespace {

constexpr const char* signature = "\n\nMarvessa Sistemas Financeiros\n";

TEST_F(AddinTest, AddShowsTheEnglishInformationAlert) {
    install("2");
    load_and_open();
    EXPECT_EQ(host.auto_add(), 1);
    ASSERT_EQ(host.alerts().size(), 1u);
    EXPECT_EQ(host.alerts()[0].text,
              std::string("Dynamic add-in VARENTIS - Metrics for Financial Market - will be added!\n"
                          "To remove it, select the available option in Excel add-in manager.") +
                  signature);
    EXPECT_EQ(host.alerts()[0].type, 2);
}

TEST_F(AddinTest, AddShowsThePortugueseInformationAlert) {
    install("1");
    load_and_open();
    EXPECT_EQ(host.auto_add(), 1);
    ASSERT_EQ(host.alerts().size(), 1u);
    EXPECT_EQ(host.alerts()[0].text,
              cp("Add-in VARENTIS - Cálculos para Mercado Financeiro - será adicionado!\n"
                 "Para remover este add-in, selecione a opção correspondente no gerenciador de "
                 "suplementos.") +
                  signature);
    EXPECT_EQ(host.alerts()[0].type, 2);
}

class Remove : public AddinTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(Remove, AlertsThenRegistersTheFunctionsHidden) {
    const bool portuguese = GetParam()[0] == '1';
    install(GetParam());
    load_and_open();
    host.clear_calls();
    EXPECT_EQ(host.auto_remove(), 1);

    ASSERT_EQ(host.alerts().size(), 1u);
    const std::string removed =
        portuguese ? cp("Add-in VARENTIS - Cálculos para Mercado Financeiro - será removido!\n"
                        "Para reinstalar este add-in, selecione a opção correspondente no gerenciador "
                        "de suplementos.")
                   : "VARENTIS add-in - Varentis for Financial Market - will be removed!\n"
                     "To reinstall it, select the available option in Excel add-in manager.";
    EXPECT_EQ(host.alerts()[0].text, removed + signature);
    EXPECT_EQ(host.alerts()[0].type, 2);
    ASSERT_FALSE(host.calls().empty());
    EXPECT_EQ(host.calls()[0].function, xlcAlert);  // the alert comes first

    // The function rows again, in order, with the macro type 0; the commands are not touched.
    const auto& functions = expected_function_rows();
    const auto registers = catalogue_registers();
    ASSERT_EQ(registers.size(), functions.size());
    for (const auto& call : registers) {
        ASSERT_EQ(call.arguments.size(), 20u);
        EXPECT_EQ(call.arguments[5], "0i") << call.arguments[1];  // the integer 0, not a text
        EXPECT_EQ(call.arguments[6], "Varentis");
    }
    EXPECT_EQ(registers.front().arguments[1], functions.front().procedure);
    EXPECT_EQ(registers.back().arguments[1], functions.back().procedure);
    EXPECT_EQ(registers.front().arguments[4],
              portuguese ? cp("Dias Úteis, Curva de Juros, Anos Flat") : "Workdays, Yield Curve, Years Flat");
    for (const auto& registration : host.registrations())
        if (registration.procedure.rfind("vx_chama_", 0) != 0 && registration.procedure != "CheckInstance") {
            EXPECT_EQ(registration.macro_type, 0) << registration.procedure;
        }

    host.clear_calls();
    EXPECT_EQ(host.auto_close(), 1);
    EXPECT_EQ(calls_of(xlfSetName).size(), expected_registrations());
    for (const auto& registration : host.registrations()) EXPECT_FALSE(registration.name_defined);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, Remove, ::testing::Values("1", "2"),
                         [](const auto& info) { return std::string(info.param[0] == '1' ? "pt" : "en"); });

}  // namespace
}  // namespace addin_test
