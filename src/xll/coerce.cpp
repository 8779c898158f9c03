#include "xll/coerce.h"

#include "xll/values.h"
#include "xll/xlcall.h"

namespace xll {

namespace {

ReferenceFallback reference_fallback = nullptr;

bool is_reference(const XLOPER& value) {
    return base_type(value) == xltypeRef || base_type(value) == xltypeSRef;
}

bool reads_values(const XLOPER& requested) {
    if (base_type(requested) == xltypeMissing) return true;
    return base_type(requested) == xltypeInt && (requested.val.w == xltypeMulti || requested.val.w == xltypeStr);
}

}  // namespace

void set_reference_fallback(ReferenceFallback fallback) { reference_fallback = fallback; }

int coerce_value(LPXLOPER result, int count, LPXLOPER* arguments) {
    if (count != 1 && count != 2) return xlretInvCount;
    XLOPER missing_types = missing();
    LPXLOPER requested = count == 2 ? arguments[1] : &missing_types;
    // The cheap tests first, so that an ordinary coercion asks Excel nothing more.
    if (reference_fallback != nullptr && is_reference(*arguments[0]) && reads_values(*requested)) {
        const int code = reference_fallback(result, arguments[0], requested);
        if (code != fallback_declined) return code;
    }
    LPXLOPER completed[2] = {arguments[0], requested};
    return Excel4v(xlCoerce, result, 2, completed);
}

}  // namespace xll
