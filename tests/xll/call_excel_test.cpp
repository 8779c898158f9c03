// call_excel: what reaches Excel, what the debugger output says when Excel refuses, and that
// the pool is empty afterwards whatever happened.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "call_layer_fixture.h"
#include "xll/call_excel.h"
#include "xll/debug_print.h"
#include "xll/scratch.h"

namespace {

using namespace xll;
using Lines = std::vector<std::string>;

class CallExcel : public CallLayerTest {
protected:
    static std::string counted(const XLOPER& text) {
        return std::string(text.val.str + 1, static_cast<unsigned char>(text.val.str[0]));
    }
};

TEST_F(CallExcel, RegistrationWithNineteenTextsReachesExcelAndEmptiesThePool) {
    std::vector<std::string> columns;
    for (int i = 0; i < 19; ++i) columns.push_back("?column " + std::to_string(i + 1));
    char module_text[] = "?C:\\varentis.xll";
    XLOPER module{};
    module.xltype = xltypeStr;
    module.val.str = module_text;
    module_text[0] = static_cast<char>(sizeof module_text - 2);

    LPXLOPER arguments[20] = {&module};
    for (int i = 0; i < 19; ++i) arguments[i + 1] = scratch_text(columns[static_cast<size_t>(i)].data());
    XLOPER id{};
    excel.answer([](int, LPXLOPER result, int, LPXLOPER*) {
        result->xltype = xltypeNum;
        result->val.num = 7;
        return static_cast<int>(xlretSuccess);
    });
    EXPECT_EQ(call_excel_v(xlfRegister, &id, 20, arguments), xlretSuccess);
    EXPECT_EQ(id.val.num, 7);
    ASSERT_EQ(excel.calls().size(), 1u);
    const ExcelCall& call = excel.calls()[0];
    EXPECT_EQ(call.function, xlfRegister);
    ASSERT_EQ(call.count, 20);
    EXPECT_EQ(counted(call.arguments[0]), "C:\\varentis.xll");
    for (int i = 0; i < 19; ++i)
        EXPECT_EQ(counted(call.arguments[static_cast<size_t>(i) + 1]), "column " + std::to_string(i + 1));
    EXPECT_TRUE(plat_control::debug_lines().empty());
    EXPECT_TRUE(pool_is_empty());
}

TEST_F(CallExcel, VariadicFormPassesTheArgumentsInOrder) {
    EXPECT_EQ(call_excel(xlfGetBar, nullptr, 4, scratch_integer(-10), scratch_number(2.5),
                         scratch_logical(7), scratch_missing()),
              xlretSuccess);
    ASSERT_EQ(excel.calls().size(), 1u);
    const ExcelCall& call = excel.calls()[0];
    ASSERT_EQ(call.count, 4);
    EXPECT_EQ(call.arguments[0].xltype, xltypeInt);
    EXPECT_EQ(call.arguments[0].val.w, -10);
    EXPECT_EQ(call.arguments[1].xltype, xltypeNum);
    EXPECT_EQ(call.arguments[1].val.num, 2.5);
    EXPECT_EQ(call.arguments[2].xltype, xltypeBool);
    EXPECT_EQ(call.arguments[2].val.xbool, 1);  // any non-zero integer is TRUE
    EXPECT_EQ(call.arguments[3].xltype, xltypeMissing);
}

TEST_F(CallExcel, NullArgumentIsRefusedWithoutCallingExcel) {
    EXPECT_EQ(call_excel(xlfSetName, nullptr, 2, scratch_integer(1), static_cast<LPXLOPER>(nullptr)),
              xlretFailed);
    EXPECT_TRUE(excel.calls().empty());
    EXPECT_EQ(plat_control::debug_lines(),
              Lines{"Erro! Parâmetro zero está sendo passado para o Excel. Limpando memória...\r"});
    EXPECT_TRUE(pool_is_empty());
}

TEST_F(CallExcel, CommandThatIsAnInvalidFunction) {
    excel.answer([](int, LPXLOPER, int, LPXLOPER*) { return static_cast<int>(xlretInvXlfn); });
    EXPECT_EQ(call_excel(xlcAlert, nullptr, 1, scratch_integer(2)), xlretInvXlfn);
    EXPECT_EQ(plat_control::debug_lines(), (Lines{"Erro! Excel4(", "xlCommand | ", "118) falha em callback:",
                                         " Função Inválida\r"}));
    EXPECT_TRUE(pool_is_empty());
}

TEST_F(CallExcel, EveryFlagAndEveryReasonInTheirOrder) {
    excel.answer([](int, LPXLOPER, int, LPXLOPER*) { return 1 | 2 | 4 | 8 | 16 | 32 | 64; });
    EXPECT_NE(call_excel(0xF000 | 0x0ABC, nullptr, 0), xlretSuccess);
    EXPECT_EQ(plat_control::debug_lines(),
              (Lines{"Erro! Excel4(", "xlCommand | ", "xlSpecial | ", "xlIntl | ", "xlPrompt | ",
                     "2748) falha em callback:", " Macro Abortada\r", " Função Inválida\r",
                     " Número de argumentos inválido\r", " Invalido XLOPER\r", " Stack Overflow\r",
                     " Falha na execução do comando\r", " Célula sem cálculo\r"}));
}

TEST_F(CallExcel, FailureWithoutFlagsNamesOnlyTheNumberAndTheReason) {
    excel.answer([](int, LPXLOPER, int, LPXLOPER*) { return static_cast<int>(xlretUncalced); });
    scratch_number(1);
    call_excel(xlfAddMenu | xlIntl, nullptr, 0);
    EXPECT_EQ(plat_control::debug_lines(), (Lines{"Erro! Excel4(", "xlIntl | ", "152) falha em callback:",
                                         " Célula sem cálculo\r"}));
    EXPECT_TRUE(pool_is_empty());
}

TEST_F(CallExcel, SuccessEmptiesThePoolAndSaysNothing) {
    scratch_number(1);
    scratch_number(2);
    EXPECT_EQ(call_excel(xlcCalculateNow, nullptr, 0), xlretSuccess);
    EXPECT_TRUE(plat_control::debug_lines().empty());
    EXPECT_TRUE(pool_is_empty());
}

TEST_F(CallExcel, MoreArgumentsThanExcelTakes) {
    EXPECT_EQ(call_excel(xlfRegister, nullptr, 31), xlretInvCount);
    EXPECT_TRUE(excel.calls().empty());
    EXPECT_EQ(plat_control::debug_lines().back(), " Número de argumentos inválido\r");
}

TEST_F(CallExcel, CoercionWithOneArgumentAsksForMissingTypes) {
    excel.answer([](int function, LPXLOPER result, int, LPXLOPER*) {
        if (function != xlCoerce) return static_cast<int>(xlretInvXlfn);
        result->xltype = xltypeInt;
        result->val.w = 1;
        return static_cast<int>(xlretSuccess);
    });
    XLOPER coerced{};
    EXPECT_EQ(call_excel(xlCoerce, &coerced, 1, scratch_number(1.0)), xlretSuccess);
    EXPECT_EQ(coerced.xltype, xltypeInt);
    ASSERT_EQ(excel.calls().size(), 1u);
    ASSERT_EQ(excel.calls()[0].count, 2);
    EXPECT_EQ(excel.calls()[0].arguments[0].val.num, 1.0);
    EXPECT_EQ(excel.calls()[0].arguments[1].xltype, xltypeMissing);
    EXPECT_TRUE(pool_is_empty());
}

TEST_F(CallExcel, CoercionWithRequestedTypesPassesThem) {
    XLOPER coerced{};
    call_excel(xlCoerce, &coerced, 2, scratch_number(1.0), scratch_integer(xltypeInt));
    ASSERT_EQ(excel.calls().size(), 1u);
    EXPECT_EQ(excel.calls()[0].function, xlCoerce);
    ASSERT_EQ(excel.calls()[0].count, 2);
    EXPECT_EQ(excel.calls()[0].arguments[1].xltype, xltypeInt);
    EXPECT_EQ(excel.calls()[0].arguments[1].val.w, xltypeInt);
}

TEST_F(CallExcel, CoercionWithAnyOtherCountIsInvalidWithoutCallingExcel) {
    XLOPER coerced{};
    EXPECT_EQ(call_excel(xlCoerce, &coerced, 3, scratch_number(1.0), scratch_integer(1),
                         scratch_integer(2)),
              xlretInvCount);
    EXPECT_EQ(call_excel(xlCoerce, &coerced, 0), xlretInvCount);
    EXPECT_TRUE(excel.calls().empty());
    EXPECT_EQ(plat_control::debug_lines(),
              (Lines{"Erro! Excel4(", "xlSpecial | ", "2) falha em callback:",
                     " Número de argumentos inválido\r", "Erro! Excel4(", "xlSpecial | ",
                     "2) falha em callback:", " Número de argumentos inválido\r"}));
    EXPECT_TRUE(pool_is_empty());
}

TEST_F(CallExcel, DebugLineIsFormattedAndCutAt255Characters) {
    debug_print("%u) falha", 4002u);
    debug_print("%s", std::string(400, 'x').c_str());
    ASSERT_EQ(plat_control::debug_lines().size(), 2u);
    EXPECT_EQ(plat_control::debug_lines()[0], "4002) falha");
    EXPECT_EQ(plat_control::debug_lines()[1], std::string(255, 'x'));
}

}  // namespace
