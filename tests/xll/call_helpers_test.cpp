// The helpers above call_excel: the owner of a value Excel hands back, the argument builder of
// one call (through call_excel or straight to Excel), the active sheet's identifier, and the
// type letters of an export's signature.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "call_layer_fixture.h"
#include "xll/call.h"
#include "xll/excel_value.h"
#include "xll/sheet_id.h"
#include "xll/type_text.h"

namespace {

using namespace xll;

// What Excel calls with, and what REGISTER reads, letter for letter.
static_assert(same_text(type_text_of<LPXLOPER VX_STDCALL(int16_t, LPXLOPER, double)>, "PIPB"));
static_assert(same_text(type_text_of<Logical VX_STDCALL()>, "A"));
static_assert(same_text(type_text_of<LPXLOPER VX_STDCALL(int32_t, Logical, int16_t)>, "PJAI"));
static_assert(same_text(type_text_of<LPXLOPER VX_STDCALL(const char*, double)>, "PCB"));

class CallHelpers : public CallLayerTest {
protected:
    std::vector<int> functions() const {
        std::vector<int> called;
        for (const ExcelCall& call : excel.calls()) called.push_back(call.function);
        return called;
    }
};

// Excel answers with a text of its own, as xlGetName does.
char excel_text[] = "\x03" "abc";
int answer_text(int, LPXLOPER result, int, LPXLOPER*) {
    if (result != nullptr) {
        result->xltype = xltypeStr;
        result->val.str = excel_text;
    }
    return xlretSuccess;
}

TEST_F(CallHelpers, ExcelValueGivesWhatExcelWroteBackOnce) {
    excel.answer(&answer_text);
    {
        ExcelValue name;
        Call().run(xlGetName, name.record());
        EXPECT_EQ(name->val.str, excel_text);
        name.release();
        EXPECT_EQ(name->xltype, xltypeNil);
        name.release();  // nothing left to give back, now or when the owner goes
    }
    ASSERT_EQ(functions(), (std::vector<int>{xlGetName, xlFree}));
    EXPECT_EQ(excel.calls()[1].arguments[0].xltype, xltypeStr);
    EXPECT_EQ(excel.calls()[1].arguments[0].val.str, excel_text);
}

TEST_F(CallHelpers, ExcelValueGivesBackWhenItGoesButNotWhatExcelNeverWrote) {
    excel.answer(&answer_text);
    { ExcelValue held; Call().run(xlGetName, held.record()); }
    EXPECT_EQ(functions(), (std::vector<int>{xlGetName, xlFree}));

    excel.answer([](int, LPXLOPER, int, LPXLOPER*) { return static_cast<int>(xlretFailed); });
    { ExcelValue refused; Call().run(xlGetName, refused.record()); }
    excel.answer(&answer_text);
    {
        ExcelValue forgotten;
        Call().run(xlGetName, forgotten.record());
        forgotten.forget();
        EXPECT_EQ(forgotten->xltype, xltypeNil);
    }
    EXPECT_EQ(functions(), (std::vector<int>{xlGetName, xlFree, xlGetName, xlGetName}));
}

TEST_F(CallHelpers, ExcelValueObtainedDirectlyGoesBackDirectly) {
    excel.answer(&answer_text);
    LPXLOPER kept = scratch_number(4.5);
    {
        ExcelValue name(ExcelValue::direct);
        Call().run_direct(xlGetName, name.record());
    }
    EXPECT_EQ(functions(), (std::vector<int>{xlGetName, xlFree}));
    EXPECT_FALSE(pool_is_empty());
    EXPECT_EQ(kept->val.num, 4.5);

    // Refused, it leaves no diagnostic either.
    excel.answer([](int function, LPXLOPER result, int, LPXLOPER*) {
        return function == xlFree ? static_cast<int>(xlretFailed) : answer_text(function, result, 0, nullptr);
    });
    { ExcelValue name(ExcelValue::direct); Call().run_direct(xlGetName, name.record()); }
    EXPECT_TRUE(plat_control::debug_lines().empty());
}

TEST_F(CallHelpers, CallHandsItsArgumentsOverInOrderAndEmptiesThePool) {
    char name[] = "?Auxiliar";
    XLOPER own{};
    own.xltype = xltypeNum;
    own.val.num = 7.5;
    EXPECT_EQ(Call().integer(3).missing(2).text(name).logical(true).number(2.5).value(&own).run(xlcAlert),
              xlretSuccess);
    ASSERT_EQ(excel.calls().size(), 1u);
    const std::vector<XLOPER>& arguments = excel.calls()[0].arguments;
    ASSERT_EQ(arguments.size(), 7u);
    EXPECT_EQ(arguments[0].xltype, xltypeInt);
    EXPECT_EQ(arguments[0].val.w, 3);
    EXPECT_EQ(arguments[1].xltype, xltypeMissing);
    EXPECT_EQ(arguments[2].xltype, xltypeMissing);
    EXPECT_EQ(arguments[3].xltype, xltypeStr);
    EXPECT_EQ(arguments[3].val.str, name);
    EXPECT_EQ(name[0], 8);  // counted in place
    EXPECT_EQ(arguments[4].xltype, xltypeBool);
    EXPECT_EQ(arguments[4].val.xbool, 1);
    EXPECT_EQ(arguments[5].val.num, 2.5);
    EXPECT_EQ(arguments[6].val.num, 7.5);
    EXPECT_TRUE(pool_is_empty());
}

TEST_F(CallHelpers, CallRefusesANullArgumentLikeCallExcel) {
    EXPECT_EQ(Call().integer(1).value(nullptr).run(xlcAlert), xlretFailed);
    EXPECT_TRUE(excel.calls().empty());
    ASSERT_EQ(plat_control::debug_lines().size(), 1u);
    EXPECT_TRUE(pool_is_empty());
}

TEST_F(CallHelpers, CallStopsAtTheMostArgumentsExcelTakes) {
    Call call;
    call.missing(max_call_arguments);
    EXPECT_THROW(call.missing(), std::length_error);
    EXPECT_EQ(call.run(xlcAlert), xlretSuccess);
    ASSERT_EQ(excel.calls().size(), 1u);
    EXPECT_EQ(excel.calls()[0].count, max_call_arguments);
}

TEST_F(CallHelpers, DirectCallLeavesThePoolAndTheDebuggerOutputAlone) {
    excel.answer([](int, LPXLOPER, int, LPXLOPER*) { return static_cast<int>(xlretInvXlfn); });
    LPXLOPER kept = scratch_number(4.5);
    XLOPER result{};
    EXPECT_EQ(Call().value(kept).run_direct(xlCoerce, &result), xlretInvXlfn);
    ASSERT_EQ(excel.calls().size(), 1u);
    EXPECT_EQ(excel.calls()[0].function, xlCoerce);  // not routed through coerce_value
    EXPECT_EQ(excel.calls()[0].count, 1);
    EXPECT_TRUE(plat_control::debug_lines().empty());
    EXPECT_FALSE(pool_is_empty());
    EXPECT_EQ(kept->val.num, 4.5);

    scratch_reset();
    EXPECT_EQ(Call().value(nullptr).run_direct(xlCoerce, &result), xlretFailed);
    EXPECT_EQ(excel.calls().size(), 1u);
    EXPECT_TRUE(plat_control::debug_lines().empty());
}

// A sheet identifier is as wide as a pointer: a 64-bit Excel's uses the upper half too.
const uintptr_t wide_sheet = static_cast<uintptr_t>(UINT64_C(0x7A4B00000000D47A));

TEST_F(CallHelpers, SheetIdIsTheActiveSheetsOrNothing) {
    excel.answer([](int, LPXLOPER result, int, LPXLOPER*) {
        result->xltype = xltypeRef;
        result->val.mref.lpmref = nullptr;
        result->val.mref.idSheet = wide_sheet;
        return static_cast<int>(xlretSuccess);
    });
    EXPECT_EQ(sheet_id(), wide_sheet);
    ASSERT_EQ(excel.calls().size(), 1u);
    EXPECT_EQ(excel.calls()[0].function, xlSheetId);
    EXPECT_EQ(excel.calls()[0].count, 0);

    excel.answer([](int, LPXLOPER, int, LPXLOPER*) { return static_cast<int>(xlretFailed); });
    EXPECT_EQ(sheet_id(), std::nullopt);
    // An answer that is no reference names no sheet, and no reference is built on it.
    excel.answer([](int, LPXLOPER result, int, LPXLOPER*) {
        result->xltype = xltypeNum;
        result->val.num = 1;
        return static_cast<int>(xlretSuccess);
    });
    EXPECT_EQ(sheet_id(), std::nullopt);
    EXPECT_EQ(scratch_sheet_ref(0, 0, 0, 0), nullptr);
    EXPECT_TRUE(plat_control::debug_lines().empty());
}

}  // namespace
