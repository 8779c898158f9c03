// Every text REGISTER receives, byte for byte, in both languages: every function row with all 19
// columns from xlAutoOpen, xlAutoRemove (hidden) and xlAutoRegister, and every command row. A
// row the add-in registers that the pin does not hold, or the reverse, fails here too.
#include <string>
#include <vector>

#include "addin_fixture.h"
#include "expected_catalogue.h"

namespace addin_test {
namespace {

bool portuguese(const char* idioma) { return idioma[0] == '1'; }

// The 20 arguments of a function row's registration as Excel must receive them: the module
// name, then the 19 columns, the argument helps beyond the function's count empty.
std::vector<std::string> function_registration(const std::string& module, const ExpectedRow& row,
                                               bool in_portuguese, const std::string& macro_type) {
    const ExpectedTexts& texts = in_portuguese ? row.pt : row.en;
    std::vector<std::string> arguments = {module,          row.procedure,          row.type_text,
                                          row.excel_name,  cp(texts.argument_text), macro_type,
                                          "Varentis",      "",                      "",
                                          cp(texts.function_help)};
    for (size_t help = 0; help < 10; ++help)
        arguments.push_back(help < texts.argument_help.size() ? cp(texts.argument_help[help]) : "");
    return arguments;
}

std::vector<std::string> command_registration(const std::string& module, const ExpectedCommand& row) {
    return {module, row.procedure, "A", row.macro_name, "", "2", "Varentis", ""};
}

class CatalogueTexts : public AddinTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        AddinTest::SetUp();
        install(GetParam());
        load_and_open();
    }
    void expect_function_rows(const std::vector<xlhost::CallRecord>& registers, const std::string& macro_type) {
        const auto& rows = expected_function_rows();
        ASSERT_GE(registers.size(), rows.size());
        for (size_t row = 0; row < rows.size(); ++row)
            EXPECT_EQ(registers[row].arguments,
                      function_registration(host.addin_path(), rows[row], portuguese(GetParam()), macro_type))
                << "row " << row + 1 << " (" << rows[row].procedure << ")";
    }
};

TEST_P(CatalogueTexts, OpenRegistersEveryColumnOfEveryRowExactly) {
    const auto registers = catalogue_registers();
    const auto& functions = expected_function_rows();
    const auto& commands = expected_command_rows();
    ASSERT_EQ(registers.size(), expected_registrations());
    expect_function_rows(registers, "1");
    for (size_t row = 0; row < commands.size(); ++row)
        EXPECT_EQ(registers[functions.size() + row].arguments, command_registration(host.addin_path(), commands[row]))
            << commands[row].procedure;
}

TEST_P(CatalogueTexts, RemoveRegistersTheSameTextsHidden) {
    host.clear_calls();
    ASSERT_EQ(host.auto_remove(), 1);
    const auto registers = catalogue_registers();
    ASSERT_EQ(registers.size(), expected_function_rows().size());
    expect_function_rows(registers, "0i");
}

TEST_P(CatalogueTexts, AutoRegisterRegistersExactlyTheRequestedRow) {
    const auto& rows = expected_function_rows();
    for (const ExpectedRow& row : rows) {
        host.clear_calls();
        host.auto_register(row.procedure);
        const auto registers = catalogue_registers();
        ASSERT_EQ(registers.size(), 1u) << row.procedure;
        EXPECT_EQ(registers[0].arguments,
                  function_registration(host.addin_path(), row, portuguese(GetParam()), "1"));
    }
    for (const ExpectedCommand& command : expected_command_rows()) {
        host.clear_calls();
        host.auto_register(command.procedure);
        const auto registers = catalogue_registers();
        ASSERT_EQ(registers.size(), 1u) << command.procedure;
        EXPECT_EQ(registers[0].arguments, command_registration(host.addin_path(), command));
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, CatalogueTexts, ::testing::Values("1", "2"),
                         [](const auto& info) { return std::string(portuguese(info.param) ? "pt" : "en"); });

}  // namespace
}  // namespace addin_test
