#include "automacao/bridge_coerce.h"

#include <string.h>

#include "automacao/format.h"
#include "automacao/variant_values.h"
#include "automacao/xlauto.h"
#include "platform/platform.h"
#include "xll/excel_value.h"

namespace automacao {

using xll::base_type;
using xll::ExcelValue;

namespace {

// "iv65536:iv65536" and its terminator fit, as does any longer form the format could write.
constexpr int address_room = 52;

// One corner: a leading letter from column 26 on, then the column's letter and the row.
int corner(char* at, size_t room, unsigned column, unsigned row, const char* pattern) {
    int written = 0;
    if (column >= 26) written = format(at, room, "%c", 96 + static_cast<int>(column / 26));
    return written + format(at + written, room - static_cast<size_t>(written), pattern, 'a' + static_cast<int>(column % 26),
                            row + 1);
}

plat::AutoString automation_text(const char* narrow) {
    plat::OleChar wide[256];
    if (plat::ansi_to_wide(narrow, wide, 256) == 0) return nullptr;
    return plat::sys_alloc_string(wide);
}

plat::Variant text_variant(plat::AutoString text) {
    plat::Variant value;
    plat::variant_init(&value);
    value.vt = plat::vt_bstr;
    value.bstrVal = text;
    return value;
}

}  // namespace

plat::AutoString address_text(const XLOPER& reference) {
    if (reference.val.mref.lpmref == nullptr || reference.val.mref.lpmref->count < 1) return nullptr;
    const XLREF& area = reference.val.mref.lpmref->reftbl[0];
    char narrow[address_room];
    const int first = corner(narrow, sizeof narrow, area.colFirst, area.rwFirst, "%c%u:");
    corner(narrow + first, sizeof narrow - static_cast<size_t>(first), area.colLast, area.rwLast, "%c%u");
    plat::OleChar wide[address_room];
    if (plat::ansi_to_wide(narrow, wide, address_room) == 0) return nullptr;
    return plat::sys_alloc_string(wide);
}

int sheet_name_parts(LPXLOPER reference, plat::AutoString* book, plat::AutoString* sheet) {
    *book = nullptr;
    *sheet = nullptr;
    ExcelValue name(ExcelValue::direct);
    const int code = Excel4(xlSheetNm, name.record(), 1, reference);
    if (code != xlretSuccess) return code;
    if (base_type(*name) != xltypeStr || name->val.str == nullptr) return xlretFailed;
    char text[256];
    const size_t length = static_cast<unsigned char>(name->val.str[0]);
    memcpy(text, name->val.str + 1, length);
    text[length] = '\0';
    name.release();
    char* closing = strchr(text, ']');
    if (text[0] != '[' || closing == nullptr) return xlretFailed;
    *closing = '\0';
    *book = automation_text(text + 1);
    *sheet = automation_text(closing + 1);
    if (*book == nullptr || *sheet == nullptr) {
        plat::sys_free_string(*book);
        plat::sys_free_string(*sheet);
        *book = *sheet = nullptr;
        return xlretFailed;
    }
    return 0;
}

int bridge_coerce(LPXLOPER result, LPXLOPER requested, LPXLOPER reference) {
    if (base_type(*reference) != xltypeRef || reference->val.mref.lpmref == nullptr ||
        reference->val.mref.lpmref->count != 1)
        return xlretFailed;
    // A block no array record can hold (a whole column) would fail its conversion anyway: it is
    // not asked of the other Excel, which would make millions of values to answer it.
    const XLREF& area = reference->val.mref.lpmref->reftbl[0];
    if (area.rwLast - area.rwFirst + 1 > most_array_rows) return xlretFailed;
    plat::AutoString book = nullptr, sheet = nullptr;
    if (sheet_name_parts(reference, &book, &sheet) != 0) return xlretFailed;
    plat::AutoString address = address_text(*reference);
    if (address == nullptr) {
        plat::sys_free_string(book);
        plat::sys_free_string(sheet);
        return xlretFailed;
    }
    plat::Variant value;
    plat::variant_init(&value);
    int code = bridge_range_value(text_variant(book), text_variant(sheet), text_variant(address), &value);
    if (code == 0) {
        code = variant_to_value(result, requested, value);
        plat::variant_clear(&value);
    }
    plat::sys_free_string(book);
    plat::sys_free_string(sheet);
    plat::sys_free_string(address);
    return code;
}

}  // namespace automacao
