// Reading a reference through the automation bridge instead of Excel's own coercion: the
// workbook, sheet and address of the reference as automation texts, the range's Value from the
// own Excel, converted back into a record and coerced to the requested types.
#pragma once

#include "platform/automation.h"
#include "xll/xloper.h"

namespace automacao {

// `reference` is of type xltypeRef. 0 with the value in `result`, 32 when the reference is not
// one area or its texts cannot be made, else the bridge's or the conversion's failure code.
int bridge_coerce(LPXLOPER result, LPXLOPER requested, LPXLOPER reference);
// The first area of the reference in lower-case A1 form ("a1:b10", "aa1:ab1"), as an
// automation text; null when it cannot be made.
plat::AutoString address_text(const XLOPER& reference);
// The workbook and sheet names of the reference ("[Pasta1.xls]Plan1": Pasta1.xls and Plan1) as
// automation texts, which the caller frees: 0, Excel's code when it refuses, 32 for an answer
// that is not a bracketed sheet name or texts that cannot be made.
int sheet_name_parts(LPXLOPER reference, plat::AutoString* book, plat::AutoString* sheet);

}  // namespace automacao
