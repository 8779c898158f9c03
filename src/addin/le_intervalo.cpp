// le_intervalo: the values of a range as the add-in's call layer reads them, through
// coerce_value (and so, under Excel 97 with other instances running, through the automation
// bridge). No catalogue row registers it; a host that wants to see the bridge read a range
// calls it by name, or through CALL with the type text "RR".
#include "xll/boundary.h"
#include "xll/call_excel.h"
#include "xll/scratch.h"
#include "xll/xlcall.h"

namespace {
XLOPER range_answer;
}

VX_EXPORT LPXLOPER VX_STDCALL le_intervalo(LPXLOPER range) {
    return xll::guarded(&range_answer, [&] {
        xll::set_error(range_answer, xlerrValue);
        if (range == nullptr) return &range_answer;
        XLOPER values{};
        values.xltype = xltypeNil;
        if (xll::call_excel(xlCoerce, &values, 2, range, xll::scratch_integer(xltypeMulti)) == xlretSuccess) {
            // What Excel wrote is Excel's: it goes back to Excel with the answer, which Excel
            // releases once it has copied it.
            range_answer = values;
            range_answer.xltype = static_cast<uint16_t>(range_answer.xltype | xlbitXLFree);
        }
        return &range_answer;
    });
}
