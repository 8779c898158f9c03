// Coercion of a value to requested types (Excel's xlCoerce). call_excel routes every xlCoerce
// request here, so there is one place that decides how a value is coerced.
#pragma once

#include "xll/xloper.h"

namespace xll {

// arguments[0] is the source value; arguments[1], when present, the requested types (an
// integer of type codes). With one argument the requested types are "missing" (Excel chooses).
// Any other count answers 4 (invalid argument count) without calling Excel.
int coerce_value(LPXLOPER result, int count, LPXLOPER* arguments);

}  // namespace xll
