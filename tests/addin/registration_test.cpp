// xlAutoOpen registers the 13 function rows of the current language with 20 arguments each and
// then the 5 command rows with 8; xlAutoClose deletes every name registration defined.
#include <sstream>
#include <string>
#include <vector>

#include "addin_fixture.h"

namespace addin_test {
namespace {

// Argument positions of a REGISTER call: the module name, then the catalogue's columns.
enum { module = 0, procedure, type_text, function_text, argument_text, macro_type, category,
       shortcut, help_topic, function_help, first_argument_help };

struct FunctionRow {
    const char* procedure;
    const char* type_text;
    const char* excel_name;
};

const FunctionRow function_rows[] = {
    {"interpol", "PIPB", "VX.INTERPOLEX"},       {"cspline", "PIP", "VX.CSPLINE"},
    {"duration", "PPP", "VX.DURATION"},          {"hedge", "PBIJBIIBB", "VX.HEDGE"},
    {"volproj", "PBJBBBB", "VX.VOLPROJ"},        {"indjusto", "PJIP", "VX.INDJUSTO"},
    {"indtaxa", "PJIJ", "VX.INDTAXA"},           {"inddif", "PJJIP", "VX.INDDIF"},
    {"cupfra", "PBIJBJJBB", "VX.CUPOM_FRA"},     {"cupfracurta", "PBJJJ", "VX.CUPOM_FRACRUTA"},
    {"cuprolimp", "PBJJBIBJB", "VX.CUPOM_ROLIMP"}, {"cupdesvimp", "PBJJBIJB", "VX.CUPOM_DESVIMP"},
    {"cupsujo", "PBBJJBJJBA", "VX.CUPOM_SUJO"},
};

const char* const command_rows[][2] = {
    {"vx_chama_cmp", "vx_menu_cmp"},     {"vx_chama_ajuda", "vx_menu_ajuda"},
    {"vx_chama_sobre", "vx_menu_sobre"}, {"vx_chama_port", "vx_menu_port"},
    {"vx_chama_ing", "vx_menu_ing"},
};

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
        ASSERT_EQ(registers.size(), 18u);
    }
    std::vector<xlhost::CallRecord> registers;
};

TEST_P(Registration, FunctionRowsInTableOrderWithTwentyArguments) {
    for (size_t row = 0; row < 13; ++row) {
        SCOPED_TRACE(function_rows[row].procedure);
        const auto& arguments = registers[row].arguments;
        ASSERT_EQ(arguments.size(), 20u);
        EXPECT_EQ(arguments[module], registers[0].arguments[module]);
        EXPECT_FALSE(arguments[module].empty());
        EXPECT_EQ(arguments[procedure], function_rows[row].procedure);
        EXPECT_EQ(arguments[type_text], function_rows[row].type_text);
        EXPECT_EQ(arguments[function_text], function_rows[row].excel_name);
        EXPECT_EQ(arguments[macro_type], "1");
        EXPECT_EQ(arguments[category], "Varentis");
        EXPECT_EQ(arguments[shortcut], "");
        EXPECT_EQ(arguments[help_topic], "");
        EXPECT_FALSE(arguments[function_help].empty());

        // One name and one help per argument of the type text; the help columns beyond are empty.
        const size_t count = std::string(function_rows[row].type_text).size() - 1;
        EXPECT_EQ(names_in(arguments[argument_text]), count) << arguments[argument_text];
        for (size_t help = 0; help < 10; ++help) {
            const std::string& text = arguments[first_argument_help + help];
            EXPECT_EQ(text.empty(), help >= count) << "argument help " << help + 1;
            EXPECT_LE(text.size(), 255u);
        }
    }
}

TEST_P(Registration, CommandRowsAfterTheFunctionsWithEightArguments) {
    for (size_t row = 0; row < 5; ++row) {
        const auto& arguments = registers[13 + row].arguments;
        const std::vector<std::string> expected = {registers[0].arguments[module], command_rows[row][0],
                                                   "A", command_rows[row][1], "", "2", "Varentis", ""};
        EXPECT_EQ(arguments, expected);
    }
}

TEST_P(Registration, CloseDeletesEveryNameOnceWithTheNameAlone) {
    host.clear_calls();
    ASSERT_EQ(host.auto_close(), 1);
    const auto deletions = calls_of(xlfSetName);
    ASSERT_EQ(deletions.size(), 18u);
    for (size_t row = 0; row < 13; ++row)
        EXPECT_EQ(deletions[row].arguments, std::vector<std::string>{function_rows[row].excel_name});
    for (size_t row = 0; row < 5; ++row)
        EXPECT_EQ(deletions[13 + row].arguments, std::vector<std::string>{command_rows[row][1]});
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
