// xlAutoFree: Excel hands back a value that the add-in returned with the DLL-free bit, once it
// has copied it. The record itself is the function's static result; only the storage it points
// to came from the C heap.
#include <stdlib.h>

#include "xll/boundary.h"
#include "xll/xlcall.h"

VX_EXPORT void VX_STDCALL xlAutoFree(LPXLOPER value) {
    xll::guarded(0, [&] {
        // A value without the bit was never the add-in's to release (static texts, scalars).
        if (value == nullptr || (value->xltype & xlbitDLLFree) == 0) return 0;
        switch (value->xltype & ~xlbitDLLFree) {
            case xltypeMulti:
                free(value->val.array.lparray);
                value->val.array.lparray = nullptr;
                break;
            case xltypeStr:
                free(value->val.str);
                value->val.str = nullptr;
                break;
            default:
                break;
        }
        return 0;
    });
}
