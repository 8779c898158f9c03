#include "xll/coerce.h"

#include "xll/xlcall.h"

namespace xll {

int coerce_value(LPXLOPER result, int count, LPXLOPER* arguments) {
    if (count != 1 && count != 2) return xlretInvCount;
    XLOPER missing{};
    missing.xltype = xltypeMissing;
    LPXLOPER completed[2] = {arguments[0], count == 2 ? arguments[1] : &missing};

    // Place of the automation fallback: a reference that Excel 97 cannot coerce while other
    // Excel instances are running is read through the automation bridge instead of xlCoerce.

    return Excel4v(xlCoerce, result, 2, completed);
}

}  // namespace xll
