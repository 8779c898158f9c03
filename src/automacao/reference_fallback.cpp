#include "automacao/reference_fallback.h"

#include <string.h>

#include "automacao/bridge_coerce.h"
#include "automacao/xlauto.h"
#include "platform/platform.h"
#include "xll/coerce.h"
#include "xll/excel_value.h"
#include "xll/values.h"
#include "xll/xlcall.h"

namespace automacao {

using xll::base_type;
using xll::ExcelValue;

namespace {

// Set once the user has been told about the other instances; never cleared, so the box is
// shown at most once per load.
bool warned_other_instances = false;

char other_instances_text[] =
    "Unable to complete calculation with other instances of Excel Opened\n"
    "Please close all other instances of Excel, then Click OK";

bool holds_zero(const XLOPER& value) {
    switch (base_type(value)) {
        case xltypeBool: return value.val.xbool == 0;
        case xltypeNum: return value.val.num == 0;
        case xltypeInt: return value.val.w == 0;
        default: return false;
    }
}

// Excel 97 with other instances running refuses CALCULATE.NOW here, or answers FALSE.
bool calculation_disturbed() {
    ExcelValue answer(ExcelValue::direct);
    const int code = Excel4(xlcCalculateNow, answer.record(), 0);
    return code != xlretSuccess || holds_zero(*answer);
}

// OR(ISTEXT(source)): a reference Excel can read answers FALSE; anything else means the
// range cannot be read through the C API.
bool range_probe(LPXLOPER source) {
    ExcelValue text(ExcelValue::direct);
    if (Excel4(xlfIstext, text.record(), 1, source) != xlretSuccess) return true;
    if (base_type(*text) == xltypeErr) return true;
    ExcelValue any(ExcelValue::direct);
    const int code = Excel4(xlfOr, any.record(), 1, text.record());
    return !(code == xlretSuccess && base_type(*any) == xltypeBool && any->val.xbool == 0);
}

// The version first, so that any Excel but 97 is asked nothing more.
bool fallback_considered(LPXLOPER source) {
    return strcmp(host_version_text, "8.0") == 0 && calculation_disturbed() && range_probe(source);
}

}  // namespace

int read_reference(LPXLOPER result, LPXLOPER source, LPXLOPER requested) {
    if (!fallback_considered(source)) return xll::fallback_declined;
    if (own_instance_found) {
        ExcelValue reference(ExcelValue::direct);
        XLOPER reference_type = xll::integer(xltypeRef);
        const int code = Excel4(xlCoerce, reference.record(), 2, source, &reference_type);
        if (code != xlretSuccess) return code;
        return bridge_coerce(result, requested, reference.record());
    }
    if (warned_other_instances) return xlretFailed;
    plat::message_box(plat::active_window(), other_instances_text, "Error", plat::mb_ok);
    warned_other_instances = true;
    bridge_start();
    return read_reference(result, source, requested);
}

}  // namespace automacao
