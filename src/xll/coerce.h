// Coercion of a value to requested types (Excel's xlCoerce). call_excel routes every xlCoerce
// request here, so there is one place that decides how a value is coerced.
#pragma once

#include "xll/xloper.h"

namespace xll {

// arguments[0] is the source value; arguments[1], when present, the requested types (an
// integer of type codes). With one argument the requested types are "missing" (Excel chooses).
// Any other count answers 4 (invalid argument count) without calling Excel.
int coerce_value(LPXLOPER result, int count, LPXLOPER* arguments);

// The one hook of the second road: asked for every read of a reference's values (a source of
// type xltypeRef or xltypeSRef, with the types missing, xltypeMulti or xltypeStr), before
// Excel is. It answers the call's return code with the value in `result`, or
// fallback_declined for Excel to coerce as usual. Unset, Excel coerces everything. The add-in
// sets the automation bridge's (automacao/reference_fallback.h).
constexpr int fallback_declined = -1;
using ReferenceFallback = int (*)(LPXLOPER result, LPXLOPER source, LPXLOPER requested);
void set_reference_fallback(ReferenceFallback fallback);

}  // namespace xll
