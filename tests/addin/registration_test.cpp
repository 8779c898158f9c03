// xlAutoOpen registers every function row of the current language with 20 arguments each and
// then every command row with 8; xlAutoClose deletes every name registration defined. The rows
// are those of the pinned catalogue (expected_catalogue.h); its texts are checked byte for byte
// in catalogue_texts_test.cpp.
#include <string>
#include <vector>

#include "addin_fixture.h"
#include "expected_catalogue.h"

namespace addin_test {
namespace {

// Argument positions of a REGISTER call: the module name, then the catalogue's columns.
enum { module = 0, procedure, type_text, function_text, argument_text, macro_type, category,
       shortcut, help_topic, function_help, first_argument_help };

size_t names_in(const std::string& argument_text) {
    size_t names = argument_text.empty() ? 0 : 1;
    for (size_t at = argument_text.find(", "); at != std::string::npos; at = argument_text.find(", ", at + 2))
        ++names;
    return names;
}

class Registration : public AddinTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        AddinTest::SetUp();
        install(GetParam());
        load_and_open();
        registers = catalogue_registers();
        ASSERT_EQ(registers.size(), expected_registrations());
    }
    std::vector<xlhost::CallRecord> registers;
    const std::vector<ExpectedRow>& functions = expected_function_rows();
    const std::vector<ExpectedCommand>& commands = expected_command_rows();
};

TEST_P(Registration, FunctionRowsInTableOrderWithTwentyArguments) {
    for (size_t row = 0; row < functions.size(); ++row) {
        SCOPED_TRACE(functions[row].procedure);
        const auto& arguments = registers[row].arguments;
        ASSERT_EQ(arguments.size(), 20u);
        EXPECT_EQ(arguments[module], registers[0].arguments[module]);
        EXPECT_FALSE(arguments[module].empty());
        EXPECT_EQ(arguments[procedure], functions[row].procedure);
        EXPECT_EQ(arguments[type_text], functions[row].type_text);
        EXPECT_EQ(arguments[function_text], functions[row].excel_name);
        EXPECT_EQ(arguments[macro_type], "1");
        EXPECT_EQ(arguments[category], "Varentis");
        EXPECT_EQ(arguments[shortcut], "");
        EXPECT_EQ(arguments[help_topic], "");
        EXPECT_FALSE(arguments[function_help].empty());

        // One name and one help per argument of the type text; the help columns beyond are empty.
        const size_t count = std::string(functions[row].type_text).size() - 1;
        EXPECT_EQ(names_in(arguments[argument_text]), count) << arguments[argument_text];
        for (size_t help = 0; help < 10; ++help) {
            const std::string& text = arguments[first_argument_help + help];
            EXPECT_EQ(text.empty(), help >= count) << "argument help " << help + 1;
            EXPECT_LE(text.size(), 255u);
        }
    }
}

TEST_P(Registration, CommandRowsAfterTheFunctionsWithEightArguments) {
    for (size_t row = 0; row < commands.size(); ++row) {
        const auto& arguments = registers[functions.size() + row].arguments;
        const std::vector<std::string> expected = {registers[0].arguments[module], commands[row].procedure,
                                                   "A", commands[row].macro_name, "", "2", "Varentis", ""};
        EXPECT_EQ(arguments, expected);
    }
}

TEST_P(Registration, CloseDeletesEveryNameOnceWithTheNameAlone) {
    host.clear_calls();
    ASSERT_EQ(host.auto_close(), 1);
    const auto deletions = calls_of(xlfSetName);
    ASSERT_EQ(deletions.size(), expected_registrations());
    for (size_t row = 0; row < functions.size(); ++row)
        EXPECT_EQ(deletions[row].arguments, std::vector<std::string>{functions[row].excel_name});
    for (size_t row = 0; row < commands.size(); ++row)
        EXPECT_EQ(deletions[functions.size() + row].arguments, std::vector<std::string>{commands[row].macro_name});
    EXPECT_TRUE(catalogue_registers().empty());  // the functions are not unregistered
    for (const auto& registration : host.registrations()) EXPECT_FALSE(registration.name_defined);
}

TEST_P(Registration, NothingFailsButTheProceduresTheHostCannotFind) {
    for (const auto& call : host.calls())
        if (call.function != xlfRegister) {
            EXPECT_EQ(call.code, 0) << "function " << call.function;
        }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, Registration, ::testing::Values("1", "2"),
                         [](const auto& info) { return std::string(info.param[0] == '1' ? "pt" : "en"); });

}  // namespace
}  // namespace addin_test
