// The scratch pool and its builders: the pool's limits decide whether a call is made at all, and
// each builder's record is what Excel reads.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "addin/catalogue.h"
#include "platform/control/platform_control.h"
#include "scripted_excel.h"
#include "xll/call_excel.h"
#include "xll/scratch.h"

namespace {

using namespace xll;

constexpr size_t pool_records = scratch_pool_bytes / sizeof(XLOPER);

class ScratchPool : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::reset();
        scratch_reset();
    }
    ScriptedExcel excel;
};

TEST_F(ScratchPool, BlocksAreConsecutiveWithEvenOffsets) {
    auto* first = static_cast<char*>(scratch_alloc(3));
    auto* second = static_cast<char*>(scratch_alloc(16));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second - first, 4);
    auto* third = static_cast<char*>(scratch_alloc(1));
    EXPECT_EQ(third - first, 20);
}

TEST_F(ScratchPool, ABlockThatDoesNotFitLeavesTheOffset) {
    auto* start = static_cast<char*>(scratch_alloc(1000));
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(scratch_alloc(25), nullptr);
    auto* rest = static_cast<char*>(scratch_alloc(24));  // exactly the remaining bytes
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest - start, 1000);
    EXPECT_EQ(scratch_alloc(1), nullptr);
    scratch_reset();
    EXPECT_EQ(scratch_alloc(scratch_pool_bytes), start);
    scratch_reset();
    EXPECT_EQ(scratch_alloc(scratch_pool_bytes + 1), nullptr);
    EXPECT_EQ(scratch_alloc(2), start);
}

TEST_F(ScratchPool, FullPoolMakesTheNextBuilderNullAndTheCallRefused) {
    if (sizeof(void*) == 4) {
        EXPECT_EQ(pool_records, 64u);
    }
    LPXLOPER previous = nullptr;
    for (size_t i = 0; i < pool_records; ++i) {
        LPXLOPER record = scratch_number(static_cast<double>(i));
        ASSERT_NE(record, nullptr) << "record " << i;
        if (previous) {
            EXPECT_EQ(reinterpret_cast<char*>(record) - reinterpret_cast<char*>(previous),
                      static_cast<std::ptrdiff_t>(sizeof(XLOPER)));
        }
        previous = record;
    }
    LPXLOPER overflow = scratch_number(1.0);
    EXPECT_EQ(overflow, nullptr);
    EXPECT_EQ(scratch_integer(1), nullptr);
    EXPECT_EQ(scratch_missing(), nullptr);

    EXPECT_EQ(call_excel(xlcAlert, nullptr, 2, previous, overflow), xlretFailed);
    EXPECT_TRUE(excel.calls().empty());
    ASSERT_EQ(plat_control::debug_lines().size(), 1u);
    EXPECT_EQ(plat_control::debug_lines()[0],
              "Erro! Parâmetro zero está sendo passado para o Excel. Limpando memória...\r");
    // The refusal emptied the pool.
    EXPECT_NE(scratch_alloc(scratch_pool_bytes), nullptr);
}

// The type text of the interpolation function as the catalogue stores it: whatever its reserved
// byte held, it becomes 4, in place.
TEST_F(ScratchPool, TheStoredTypeTextGetsItsLengthInPlace) {
    char* type_text = addin::function_catalogues.em(ambiente::Idioma::ingles).text(0, addin::col_type_text);
    type_text[0] = 0x7f;
    ASSERT_STREQ(type_text + 1, "PIPB");
    LPXLOPER text = scratch_text(type_text);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->xltype, xltypeStr);
    EXPECT_EQ(text->val.str, type_text);  // not copied
    EXPECT_EQ(type_text[0], 4);
    EXPECT_STREQ(type_text + 1, "PIPB");

    char empty[] = "\x7f";
    ASSERT_NE(scratch_text(empty), nullptr);
    EXPECT_EQ(empty[0], 0);
}

TEST_F(ScratchPool, TextLongerThanACountedStringIsRefused) {
    std::string longest = "?" + std::string(255, 'a');
    LPXLOPER fits = scratch_text(longest.data());
    ASSERT_NE(fits, nullptr);
    EXPECT_EQ(static_cast<unsigned char>(longest[0]), 255);

    std::string too_long = "?" + std::string(256, 'a');
    EXPECT_EQ(scratch_text(too_long.data()), nullptr);
    EXPECT_EQ(call_excel(xlcAlert, nullptr, 1, scratch_text(too_long.data())), xlretFailed);
    EXPECT_TRUE(excel.calls().empty());
    EXPECT_EQ(scratch_text(nullptr), nullptr);
}

TEST_F(ScratchPool, SheetReferenceAsksExcelDirectlyAndKeepsThePool) {
    excel.answer([](int function, LPXLOPER result, int, LPXLOPER*) {
        if (function != xlSheetId) return static_cast<int>(xlretInvXlfn);
        result->xltype = xltypeRef;
        result->val.mref.lpmref = nullptr;
        result->val.mref.idSheet = static_cast<IDSHEET>(UINT64_C(0x7A4B000000005EE7));  // all of a 64-bit one
        return static_cast<int>(xlretSuccess);
    });
    LPXLOPER before = scratch_number(1);
    LPXLOPER ref = scratch_sheet_ref(2, 9, 0, 1);
    LPXLOPER after = scratch_number(2);
    ASSERT_TRUE(before && ref && after);
    ASSERT_EQ(excel.calls().size(), 1u);
    EXPECT_EQ(excel.calls()[0].function, xlSheetId);
    EXPECT_EQ(excel.calls()[0].count, 0);
    EXPECT_TRUE(plat_control::debug_lines().empty());

    // The pool was not emptied while building: the three blocks are distinct and intact.
    EXPECT_EQ(before->val.num, 1);
    EXPECT_EQ(after->val.num, 2);
    EXPECT_EQ(ref->xltype, xltypeRef);
    EXPECT_EQ(ref->val.mref.idSheet, static_cast<uintptr_t>(UINT64_C(0x7A4B000000005EE7)));
    ASSERT_NE(ref->val.mref.lpmref, nullptr);
    EXPECT_EQ(ref->val.mref.lpmref->count, 1);
    const XLREF& area = ref->val.mref.lpmref->reftbl[0];
    EXPECT_EQ(area.rwFirst, 2);
    EXPECT_EQ(area.rwLast, 9);
    EXPECT_EQ(area.colFirst, 0);
    EXPECT_EQ(area.colLast, 1);
    EXPECT_LT(reinterpret_cast<char*>(before), reinterpret_cast<char*>(ref));
    EXPECT_LT(reinterpret_cast<char*>(ref->val.mref.lpmref), reinterpret_cast<char*>(after));
}

TEST_F(ScratchPool, SheetReferenceIsNullWhenExcelRefuses) {
    excel.answer([](int, LPXLOPER, int, LPXLOPER*) { return static_cast<int>(xlretFailed); });
    EXPECT_EQ(scratch_sheet_ref(0, 0, 0, 0), nullptr);
}

TEST_F(ScratchPool, RecordsStayAlignedAfterAnOddRawBlock) {
    ASSERT_NE(scratch_alloc(2), nullptr);
    LPXLOPER number = scratch_number(3.25);
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(number) % alignof(XLOPER), 0u);
    EXPECT_EQ(number->val.num, 3.25);
}

}  // namespace
