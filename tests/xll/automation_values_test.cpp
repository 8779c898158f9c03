// The coercion fallback's conversions against the platform stand-in's automation values, and
// the parts of the bridge that need no Excel instance: address texts, sheet names, a read
// before any connection, the probe outside a probe.
#include <cstring>
#include <string>

#include "automacao/bridge_coerce.h"
#include "automacao/reference_fallback.h"
#include "automacao/variant_values.h"
#include "automacao/xlauto.h"
#include "call_layer_fixture.h"
#include "platform/sim/sim_automation.h"
#include "xll/call_excel.h"
#include "xll/coerce.h"

namespace {

// Latin-1 bytes as UTF-16 (the test's literals are cp1252 bytes).
std::u16string wide(const std::string& text) {
    std::u16string out;
    for (unsigned char c : text) out.push_back(c);
    return out;
}

std::string narrow(plat::AutoString text) { return std::string(text, text + plat::sys_string_len(text)); }

// A rows x columns array; element (row, column) is data[column * rows + row].
struct VariantArray {
    VariantArray(int rows, int columns) : array(sim::safe_array_of_variants(rows, columns)) {
        void* data = nullptr;
        plat::safe_array_access(array, &data);
        elements = static_cast<plat::Variant*>(data);
        plat::safe_array_unaccess(array);
    }
    ~VariantArray() {
        plat::Variant holder;
        plat::variant_init(&holder);
        holder.vt = plat::vt_array | plat::vt_variant;
        holder.parray = array;
        plat::variant_clear(&holder);
    }
    plat::Variant& at(int rows, int row, int column) { return elements[column * rows + row]; }
    plat::SafeArray array;
    plat::Variant* elements;
};

std::string counted(const XLOPER& value) {
    return std::string(value.val.str + 1, static_cast<unsigned char>(value.val.str[0]));
}

class AutomationValues : public CallLayerTest {
protected:
    void TearDown() override {
        EXPECT_EQ(plat_control::automation_strings_alive(), 0);
        EXPECT_EQ(plat_control::safe_arrays_alive(), 0);
    }
    XLOPER value{};
};

TEST_F(AutomationValues, EveryKindOfTheArrayBecomesItsRecordColumnByColumn) {
    {
        // Two rows, three columns, each cell of a different kind.
        VariantArray cells(2, 3);
        cells.at(2, 0, 0).vt = plat::vt_r8, cells.at(2, 0, 0).dblVal = 0.18;
        cells.at(2, 1, 0).vt = plat::vt_empty;
        cells.at(2, 0, 1).vt = plat::vt_i2, cells.at(2, 0, 1).iVal = -7;
        const std::u16string text = wide("Vértice");
        cells.at(2, 1, 1).vt = plat::vt_bstr, cells.at(2, 1, 1).bstrVal = plat::sys_alloc_string(text.c_str());
        cells.at(2, 0, 2).vt = plat::vt_error, cells.at(2, 0, 2).scode = static_cast<int32_t>(0x800A07FAu);  // #N/A
        cells.at(2, 1, 2).vt = plat::vt_date, cells.at(2, 1, 2).date = 45000.5;
        ASSERT_EQ(automacao::array_to_multi(cells.array, &value), 0);
    }
    ASSERT_EQ(value.xltype, xltypeMulti);
    ASSERT_EQ(value.val.array.rows, 2);
    ASSERT_EQ(value.val.array.columns, 3);
    const XLOPER* e = value.val.array.lparray;  // row by row
    EXPECT_EQ(e[0].xltype, xltypeNum);
    EXPECT_EQ(e[0].val.num, 0.18);
    EXPECT_EQ(e[1].xltype, xltypeInt);
    EXPECT_EQ(e[1].val.w, -7);
    EXPECT_EQ(e[2].xltype, xltypeErr);
    EXPECT_EQ(e[2].val.err, xlerrName);  // whatever the error, #NAME?
    EXPECT_EQ(e[3].xltype, xltypeNil);
    EXPECT_EQ(e[4].xltype, xltypeStr);
    EXPECT_EQ(counted(e[4]), "V\xE9rtice");  // in the ANSI code page
    EXPECT_EQ(e[5].xltype, xltypeNum);
    EXPECT_EQ(e[5].val.num, 45000.5);
    EXPECT_EQ(automacao::free_temp_value(&value), 0);
}

TEST_F(AutomationValues, KindsConvertedWhereExactAndRefusedOtherwise) {
    {
        VariantArray cells(1, 4);
        cells.at(1, 0, 0).vt = plat::vt_bool, cells.at(1, 0, 0).boolVal = -1;
        cells.at(1, 0, 1).vt = plat::vt_i4, cells.at(1, 0, 1).lVal = 2000000000;
        cells.at(1, 0, 2).vt = plat::vt_r4, cells.at(1, 0, 2).fltVal = 0.5f;
        cells.at(1, 0, 3).vt = plat::vt_cy, cells.at(1, 0, 3).cyVal = 12345;  // 1.2345
        ASSERT_EQ(automacao::array_to_multi(cells.array, &value), 0);
        const XLOPER* e = value.val.array.lparray;
        EXPECT_EQ(e[0].xltype, xltypeBool);
        EXPECT_EQ(e[0].val.xbool, 1);
        EXPECT_EQ(e[1].val.num, 2000000000.0);
        EXPECT_EQ(e[2].val.num, 0.5);
        EXPECT_EQ(e[3].val.num, 1.2345);
        EXPECT_EQ(automacao::free_temp_value(&value), 0);
    }
    for (uint16_t refused : {plat::vt_null, plat::vt_unknown, plat::vt_dispatch, plat::vt_variant}) {
        VariantArray cells(1, 2);
        const std::u16string text = wide("kept");
        cells.at(1, 0, 0).vt = plat::vt_bstr, cells.at(1, 0, 0).bstrVal = plat::sys_alloc_string(text.c_str());
        cells.at(1, 0, 1).vt = refused;
        if (refused == plat::vt_unknown || refused == plat::vt_dispatch) cells.at(1, 0, 1).vt = plat::vt_null;
        XLOPER refused_value{};
        EXPECT_EQ(automacao::array_to_multi(cells.array, &refused_value), xlretFailed) << refused;
        EXPECT_EQ(refused_value.xltype, 0) << "nothing handed out";
    }
    // A currency amount no double holds exactly cannot become a number.
    VariantArray inexact(1, 1);
    inexact.at(1, 0, 0).vt = plat::vt_cy, inexact.at(1, 0, 0).cyVal = (int64_t{1} << 62) + 1;
    EXPECT_EQ(automacao::array_to_multi(inexact.array, &value), xlretFailed);
}

TEST_F(AutomationValues, AnArrayBeyondAnArrayRecordIsRefusedNotCut) {
    {
        VariantArray rows(65536, 1);
        EXPECT_EQ(automacao::array_to_multi(rows.array, &value), xlretFailed);
    }
    {
        VariantArray columns(1, 257);
        EXPECT_EQ(automacao::array_to_multi(columns.array, &value), xlretFailed);
    }
    {
        // A sheet's 256 columns, A to IV, are one row of the record.
        VariantArray columns(1, 256);
        ASSERT_EQ(automacao::array_to_multi(columns.array, &value), 0);
        EXPECT_EQ(value.val.array.columns, 256);
        EXPECT_EQ(automacao::free_temp_value(&value), 0);
    }
    VariantArray largest(65535, 1);
    ASSERT_EQ(automacao::array_to_multi(largest.array, &value), 0);
    EXPECT_EQ(value.val.array.rows, 65535);
    EXPECT_EQ(automacao::free_temp_value(&value), 0);
    EXPECT_EQ(automacao::free_temp_value(&value), xlretFailed) << "released, the value is nil";
}

TEST_F(AutomationValues, TextsUpTo255CharactersBecomeCountedTexts) {
    const std::u16string longest(255, u'x');
    ASSERT_EQ(automacao::wide_to_counted(longest.c_str(), 255, &value), 0);
    EXPECT_EQ(static_cast<unsigned char>(value.val.str[0]), 255);
    EXPECT_EQ(automacao::free_temp_value(&value), 0);
    const std::u16string longer(256, u'x');
    EXPECT_EQ(automacao::wide_to_counted(longer.c_str(), 256, &value), xlretFailed);
    ASSERT_EQ(automacao::wide_to_counted(u"", 0, &value), 0);
    EXPECT_EQ(value.val.str[0], 0);
    EXPECT_EQ(automacao::free_temp_value(&value), 0);
}

TEST_F(AutomationValues, OnlyTextsAndArraysOfVariantsAreValues) {
    plat::Variant number;
    plat::variant_init(&number);
    number.vt = plat::vt_r8;
    number.dblVal = 1;
    XLOPER result{};
    XLOPER requested{};
    requested.xltype = xltypeMissing;
    EXPECT_EQ(automacao::variant_to_value(&result, &requested, number), xlretFailed);
    EXPECT_TRUE(excel.calls().empty()) << "Excel is not asked";
}

XLOPER reference_to(XLMREF& areas, uint16_t first_row, uint16_t last_row, uint8_t first_column, uint8_t last_column) {
    XLOPER reference{};
    reference.xltype = xltypeRef;
    areas.count = 1;
    areas.reftbl[0] = {first_row, last_row, first_column, last_column};
    reference.val.mref.lpmref = &areas;
    reference.val.mref.idSheet = 1;
    return reference;
}

TEST_F(AutomationValues, AddressTextsInLowerCaseA1) {
    XLMREF areas{};
    const struct {
        uint16_t first_row, last_row;
        uint8_t first_column, last_column;
        const char* text;
    } cases[] = {{0, 0, 26, 27, "aa1:ab1"}, {0, 0, 255, 255, "iv1:iv1"}, {0, 9, 0, 1, "a1:b10"},
                 {65535, 65535, 51, 52, "az65536:ba65536"}};
    for (const auto& c : cases) {
        const XLOPER reference = reference_to(areas, c.first_row, c.last_row, c.first_column, c.last_column);
        plat::AutoString text = automacao::address_text(reference);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(narrow(text), c.text);
        plat::sys_free_string(text);
    }
}

TEST_F(AutomationValues, SheetNamesSplitAtTheFirstClosingBracket) {
    static char answer[] = " [Pasta1.xls]Plan1";
    answer[0] = static_cast<char>(std::strlen(answer + 1));
    excel.answer([](int function, LPXLOPER result, int, LPXLOPER*) {
        if (function == xlSheetNm) {
            result->xltype = xltypeStr;
            result->val.str = answer;
        }
        return 0;
    });
    XLMREF areas{};
    XLOPER reference = reference_to(areas, 0, 0, 0, 0);
    plat::AutoString book = nullptr, sheet = nullptr;
    ASSERT_EQ(automacao::sheet_name_parts(&reference, &book, &sheet), 0);
    EXPECT_EQ(narrow(book), "Pasta1.xls");
    EXPECT_EQ(narrow(sheet), "Plan1");
    plat::sys_free_string(book);
    plat::sys_free_string(sheet);
    ASSERT_EQ(excel.calls().size(), 2u);
    EXPECT_EQ(excel.calls()[1].function, xlFree) << "the answer goes back";

    answer[1] = 'P';  // no opening bracket: not a sheet name Excel gives
    EXPECT_EQ(automacao::sheet_name_parts(&reference, &book, &sheet), xlretFailed);
    EXPECT_EQ(book, nullptr);
    excel.answer([](int, LPXLOPER, int, LPXLOPER*) { return xlretInvXloper; });
    EXPECT_EQ(automacao::sheet_name_parts(&reference, &book, &sheet), xlretInvXloper);
}

TEST_F(AutomationValues, NoReadBeforeAConnectionAndNoProbeOutsideOne) {
    plat::Variant book, sheet, address, value;
    for (plat::Variant* v : {&book, &sheet, &address, &value}) plat::variant_init(v);
    EXPECT_EQ(automacao::bridge_range_value(book, sheet, address, &value), plat::disp_e_unknowninterface);
    EXPECT_EQ(value.vt, plat::vt_empty);
    EXPECT_EQ(plat_control::automation_helpers_alive(), 0);
    EXPECT_TRUE(excel.calls().empty());
    EXPECT_EQ(CheckInstance(), 0);
    EXPECT_EQ(automacao::own_instance_found, 0) << "a probe that is not ours sets nothing";
}

}  // namespace

namespace {

// Excel 97 with other instances open: CALCULATE.NOW answers FALSE, ISTEXT of a reference an
// error. It has no add-in name to give, so the bridge can never start.
int disturbed_excel(int function, LPXLOPER result, int, LPXLOPER*) {
    if (function == xlcCalculateNow) {
        result->xltype = xltypeBool;
        result->val.xbool = 0;
    } else if (function == xlfIstext) {
        result->xltype = xltypeErr;
        result->val.err = xlerrRef;
    } else if (function == xlGetName) {
        return xlretFailed;
    }
    return 0;
}

// The call layer with the bridge's road set, as the add-in sets it at process attach.
class CoercionFallback : public CallLayerTest {
protected:
    void SetUp() override {
        CallLayerTest::SetUp();
        xll::set_reference_fallback(automacao::read_reference);
    }
    void TearDown() override { xll::set_reference_fallback(nullptr); }
};

TEST_F(CoercionFallback, OneMessageBoxPerLoadOneRetryThenFailures) {
    std::strcpy(automacao::host_version_text, "8.0");
    excel.answer(disturbed_excel);
    XLMREF areas{};
    XLOPER reference = reference_to(areas, 0, 3, 0, 1);
    XLOPER wanted{};
    wanted.xltype = xltypeInt;
    wanted.val.w = xltypeMulti;
    LPXLOPER arguments[2] = {&reference, &wanted};
    XLOPER result{};

    EXPECT_EQ(xll::call_excel_v(xlCoerce, &result, 2, arguments), xlretFailed);
    ASSERT_EQ(plat_control::message_boxes().size(), 1u);
    EXPECT_EQ(plat_control::message_boxes()[0].text,
              "Unable to complete calculation with other instances of Excel Opened\n"
              "Please close all other instances of Excel, then Click OK");
    EXPECT_EQ(plat_control::message_boxes()[0].caption, "Error");
    EXPECT_EQ(plat_control::message_boxes()[0].style, plat::mb_ok);
    // The box, then the bridge started again (its first call asks for the add-in's name), then
    // the same request once more: two probes of CALCULATE.NOW.
    int calculations = 0, names = 0;
    for (const auto& call : excel.calls()) {
        calculations += call.function == xlcCalculateNow;
        names += call.function == xlGetName;
    }
    EXPECT_EQ(calculations, 2);
    EXPECT_GE(names, 1);
    EXPECT_EQ(plat_control::debug_lines().size() > 0, true);

    EXPECT_EQ(xll::call_excel_v(xlCoerce, &result, 2, arguments), xlretFailed);
    EXPECT_EQ(plat_control::message_boxes().size(), 1u) << "never a second box";
    EXPECT_TRUE(pool_is_empty());
}

TEST_F(CoercionFallback, AnOrdinaryCoercionAsksNothingMore) {
    std::strcpy(automacao::host_version_text, "8.0");
    excel.answer(disturbed_excel);
    XLOPER number{};
    number.xltype = xltypeNum;
    number.val.num = 1;
    XLOPER wanted{};
    wanted.xltype = xltypeInt;
    wanted.val.w = xltypeInt;
    LPXLOPER arguments[2] = {&number, &wanted};
    XLOPER result{};
    EXPECT_EQ(xll::call_excel_v(xlCoerce, &result, 2, arguments), 0);
    ASSERT_EQ(excel.calls().size(), 1u);
    EXPECT_EQ(excel.calls()[0].function, xlCoerce);
    // A reference asked for as an integer is no read of values either.
    XLMREF areas{};
    XLOPER reference = reference_to(areas, 0, 0, 0, 0);
    arguments[0] = &reference;
    EXPECT_EQ(xll::call_excel_v(xlCoerce, &result, 2, arguments), 0);
    EXPECT_EQ(excel.calls().size(), 2u);
    EXPECT_TRUE(plat_control::message_boxes().empty());
}

TEST_F(CoercionFallback, AnUndisturbedExcelCoercesAsItIs) {
    std::strcpy(automacao::host_version_text, "8.0");
    excel.answer([](int function, LPXLOPER result, int, LPXLOPER*) {
        if (function == xlcCalculateNow || function == xlfOr) {
            result->xltype = xltypeBool;
            result->val.xbool = function == xlcCalculateNow ? 1 : 0;
        }
        return 0;
    });
    XLMREF areas{};
    XLOPER reference = reference_to(areas, 0, 0, 0, 0);
    LPXLOPER arguments[1] = {&reference};
    XLOPER result{};
    EXPECT_EQ(xll::call_excel_v(xlCoerce, &result, 1, arguments), 0);
    std::vector<ExcelCall> asked;  // every answer also goes back with xlFree
    for (const auto& call : excel.calls())
        if (call.function != xlFree) asked.push_back(call);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].function, xlcCalculateNow);
    EXPECT_EQ(asked[1].function, xlCoerce);
    EXPECT_EQ(asked[1].arguments[1].xltype, xltypeMissing) << "one argument: the types are missing";
    EXPECT_TRUE(plat_control::message_boxes().empty());
}

}  // namespace
