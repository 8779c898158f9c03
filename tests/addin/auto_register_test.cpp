// xlAutoRegister registers the catalogue row whose procedure matches the requested name without
// regard to case, and answers #VALUE! whatever happens.
#include <cctype>
#include <string>

#include "addin_fixture.h"
#include "expected_catalogue.h"

namespace addin_test {
namespace {

const xlhost::Value value_error = xlhost::Value::err(15);

class AutoRegister : public AddinTest {
protected:
    // Asks for `name` and answers the REGISTER calls it caused.
    std::vector<xlhost::CallRecord> ask(const std::string& name) {
        host.clear_calls();
        EXPECT_EQ(host.auto_register(name), value_error) << name;
        EXPECT_EQ(host.outstanding_values(), 0) << "module name released after " << name;
        return catalogue_registers();
    }
};

TEST_F(AutoRegister, BeforeOpenNothingIsRegistered) {
    install("2");
    load();
    EXPECT_TRUE(ask("interpol").empty());
    EXPECT_TRUE(ask("vx_chama_cmp").empty());
    EXPECT_TRUE(host.calls().empty());
}

TEST_F(AutoRegister, FunctionNameInCapitalsRegistersItsRow) {
    install("2");
    load_and_open();
    const auto registers = ask("INTERPOL");
    ASSERT_EQ(registers.size(), 1u);
    ASSERT_EQ(registers[0].arguments.size(), 20u);
    EXPECT_EQ(registers[0].arguments[1], "interpol");
    EXPECT_EQ(registers[0].arguments[3], "VX.INTERPOLEX");
    EXPECT_EQ(registers[0].arguments[4], "Workdays, Yield Curve, Years Flat");
    EXPECT_EQ(registers[0].arguments[5], "1");
}

TEST_F(AutoRegister, LastRowMatchesToo) {
    install("1");
    load_and_open();
    const ExpectedRow& last = expected_function_rows().back();
    std::string mixed_case = last.procedure;
    mixed_case[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(mixed_case[0])));
    const auto registers = ask(mixed_case);
    ASSERT_EQ(registers.size(), 1u);
    EXPECT_EQ(registers[0].arguments[3], last.excel_name);
    EXPECT_EQ(registers[0].arguments[4], cp(last.pt.argument_text));
}

TEST_F(AutoRegister, NamesThatOnlyLookAlikeRegisterNothing) {
    install("2");
    load_and_open();
    EXPECT_TRUE(ask("interpo").empty());      // one letter shorter
    EXPECT_TRUE(ask("interpols").empty());    // one letter longer
    EXPECT_TRUE(ask("interpoX").empty());     // as long, the last letter differs
    EXPECT_TRUE(ask("VX.INTERPOLEX").empty()); // the Excel name is not the procedure
    EXPECT_TRUE(ask("vx_menu_cmp").empty());  // nor is a macro name
    EXPECT_TRUE(ask("").empty());
    // cupfra is a prefix of cupfracurta: each finds its own row.
    const auto cupfra = ask("cupfra");
    ASSERT_EQ(cupfra.size(), 1u);
    EXPECT_EQ(cupfra[0].arguments[1], "cupfra");
    const auto curta = ask("cupfracurta");
    ASSERT_EQ(curta.size(), 1u);
    EXPECT_EQ(curta[0].arguments[3], "VX.CUPOM_FRACRUTA");
}

TEST_F(AutoRegister, CommandNameRegistersWithEightArguments) {
    install("2");
    load_and_open();
    const auto registers = ask("vx_chama_cmp");
    ASSERT_EQ(registers.size(), 1u);
    EXPECT_EQ(registers[0].arguments,
              (std::vector<std::string>{registers[0].arguments[0], "vx_chama_cmp", "A", "vx_menu_cmp", "", "2",
                                        "Varentis", ""}));
    const auto last = ask("VX_CHAMA_ING");
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].arguments.size(), 8u);
    EXPECT_EQ(last[0].arguments[3], "vx_menu_ing");
}

TEST_F(AutoRegister, StillRegistersAfterClose) {
    install("2");
    load_and_open();
    ASSERT_EQ(host.auto_close(), 1);
    EXPECT_EQ(ask("hedge").size(), 1u);
}

}  // namespace
}  // namespace addin_test
