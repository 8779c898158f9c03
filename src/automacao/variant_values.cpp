#include "automacao/variant_values.h"

#include <math.h>
#include <stdlib.h>

#include "xll/counted_text.h"
#include "xll/xlcall.h"

namespace automacao {

using xll::base_type;
using xll::counted_text_max;

namespace {

// A currency amount (times 10000) as a double, when the double gives the same amount back.
bool exact_currency(int64_t amount, double* out) {
    const int64_t limit = int64_t{1} << 53;
    if (amount > limit || amount < -limit) return false;
    const double value = static_cast<double>(amount) / 10000.0;
    const double back = nearbyint(value * 10000.0);
    if (!(fabs(back) <= static_cast<double>(limit)) || static_cast<int64_t>(back) != amount) return false;
    *out = value;
    return true;
}

int element_value(const plat::Variant& element, XLOPER* out) {
    switch (element.vt) {
        case plat::vt_empty: out->xltype = xltypeNil; return 0;
        case plat::vt_i2:
            out->xltype = xltypeInt;
            out->val.w = element.iVal;
            return 0;
        case plat::vt_r8:
        case plat::vt_date:
            out->xltype = xltypeNum;
            out->val.num = element.dblVal;
            return 0;
        case plat::vt_bstr: return wide_to_counted(element.bstrVal, plat::sys_string_len(element.bstrVal), out);
        // Whatever its own code, an error cell reaches the add-in as #NAME?.
        case plat::vt_error:
            out->xltype = xltypeErr;
            out->val.err = xlerrName;
            return 0;
        case plat::vt_bool:
            out->xltype = xltypeBool;
            out->val.xbool = element.boolVal != 0 ? 1 : 0;
            return 0;
        case plat::vt_i4:  // every 32-bit integer is a double exactly
            out->xltype = xltypeNum;
            out->val.num = element.lVal;
            return 0;
        case plat::vt_r4:
            out->xltype = xltypeNum;
            out->val.num = element.fltVal;
            return 0;
        case plat::vt_cy: {
            double amount = 0;
            if (!exact_currency(element.cyVal, &amount)) return xlretFailed;
            out->xltype = xltypeNum;
            out->val.num = amount;
            return 0;
        }
        default: return xlretFailed;
    }
}

void free_elements(XLOPER* elements, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (base_type(elements[i]) == xltypeStr) free(elements[i].val.str);
    free(elements);
}

}  // namespace

int wide_to_counted(const plat::OleChar* text, unsigned length, XLOPER* value) {
    if (length > counted_text_max || (length > 0 && text == nullptr)) return xlretFailed;
    auto* block = static_cast<char*>(malloc(length + 1));
    if (block == nullptr) return xlretFailed;
    if (length > 0 &&
        plat::wide_to_ansi(text, static_cast<int>(length), block + 1, static_cast<int>(length)) != static_cast<int>(length)) {
        free(block);
        return xlretFailed;
    }
    block[0] = static_cast<char>(length);
    value->xltype = xltypeStr;
    value->val.str = block;
    return 0;
}

int array_to_multi(plat::SafeArray array, XLOPER* value) {
    uint16_t kind = 0;
    if (array == nullptr || plat::safe_array_dims(array) != 2 ||
        !plat::succeeded(plat::safe_array_vartype(array, &kind)) || kind != plat::vt_variant)
        return xlretFailed;
    int32_t lower = 0, upper = 0;
    if (!plat::succeeded(plat::safe_array_bounds(array, 1, &lower, &upper))) return xlretFailed;
    const int64_t rows = int64_t{upper} - lower + 1;
    if (!plat::succeeded(plat::safe_array_bounds(array, 2, &lower, &upper))) return xlretFailed;
    const int64_t columns = int64_t{upper} - lower + 1;
    // An array record cannot hold more; cutting the block would answer a different range.
    if (rows < 1 || rows > most_array_rows || columns < 1 || columns > most_array_columns) return xlretFailed;
    const size_t count = static_cast<size_t>(rows) * static_cast<size_t>(columns);
    auto* elements = static_cast<XLOPER*>(calloc(count, sizeof(XLOPER)));
    if (elements == nullptr) return plat::e_fail;
    void* data = nullptr;
    if (!plat::succeeded(plat::safe_array_access(array, &data))) {
        free(elements);
        return xlretFailed;
    }
    const auto* variants = static_cast<const plat::Variant*>(data);
    int code = 0;
    for (size_t i = 0; i < static_cast<size_t>(rows) && code == 0; ++i)
        for (size_t j = 0; j < static_cast<size_t>(columns) && code == 0; ++j) {
            // Automation stores column by column; the record holds row by row.
            XLOPER& cell = elements[i * static_cast<size_t>(columns) + j];
            cell.xltype = xltypeNil;
            code = element_value(variants[j * static_cast<size_t>(rows) + i], &cell);
        }
    plat::safe_array_unaccess(array);
    if (code != 0) {
        free_elements(elements, count);
        return code;
    }
    value->xltype = xltypeMulti;
    value->val.array.lparray = elements;
    value->val.array.rows = static_cast<uint16_t>(rows);
    value->val.array.columns = static_cast<uint16_t>(columns);
    return 0;
}

int variant_to_value(LPXLOPER result, LPXLOPER requested, const plat::Variant& variant) {
    XLOPER temporary{};
    temporary.xltype = xltypeNil;
    int code = xlretFailed;
    if (variant.vt == plat::vt_bstr)
        code = wide_to_counted(variant.bstrVal, plat::sys_string_len(variant.bstrVal), &temporary);
    else if (variant.vt == (plat::vt_array | plat::vt_variant))
        code = array_to_multi(variant.parray, &temporary);
    if (code != 0) return code;
    code = Excel4(xlCoerce, result, 2, &temporary, requested);
    free_temp_value(&temporary);
    return code;
}

int free_temp_value(XLOPER* value) {
    switch (base_type(*value)) {
        case xltypeStr:
            free(value->val.str);
            break;
        case xltypeMulti:
            free_elements(value->val.array.lparray,
                          static_cast<size_t>(value->val.array.rows) * value->val.array.columns);
            break;
        default: return xlretFailed;
    }
    value->xltype = xltypeNil;
    return 0;
}

}  // namespace automacao
