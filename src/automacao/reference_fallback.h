// The second road of xlCoerce: a read of a reference's values that an Excel 97 with other
// instances of it running cannot serve through the C API is served through the automation
// bridge instead. The call layer reaches it only through its hook (xll/coerce.h), which the
// add-in sets at process attach.
#pragma once

#include "xll/xloper.h"

namespace automacao {

// `source` is a reference and `requested` asks for its values (xll::coerce_value checked both).
// Answers xll::fallback_declined where Excel can read the reference itself (not Excel 97, or an
// undisturbed one), else the code of the read through the bridge, with the value in `result`.
int read_reference(LPXLOPER result, LPXLOPER source, LPXLOPER requested);

}  // namespace automacao
