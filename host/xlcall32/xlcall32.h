// The stand-in of Excel's call library: Excel4 and Excel4v forward to the handler that the
// host installs, as Excel's own XLCALL32 forwards to the running Excel.
#pragma once

#include "xll/xloper.h"

extern "C" {
using Excel4vHandler = int (*)(int xlfn, LPXLOPER result, int count, LPXLOPER* arguments);
// Installs the handler (null: every call answers xlretFailed, as with no Excel running).
__attribute__((visibility("default"))) void xlcall32_set_handler(Excel4vHandler handler);
}
