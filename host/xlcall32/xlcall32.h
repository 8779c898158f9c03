// The stand-in of Excel's call library: Excel4 and Excel4v forward to the handler that the
// host installs, as Excel's own XLCALL32 forwards to the running Excel.
#pragma once

#include "xll/xloper.h"

#if defined(_WIN32)
#if defined(XLCALL32_BUILD)
#define XLCALL32_API __declspec(dllexport)
#else
#define XLCALL32_API __declspec(dllimport)
#endif
#else
#define XLCALL32_API __attribute__((visibility("default")))
#endif

extern "C" {
using Excel4vHandler = int (*)(int xlfn, LPXLOPER result, int count, LPXLOPER* arguments);
// Installs the handler (null: every call answers xlretFailed, as with no Excel running).
XLCALL32_API void xlcall32_set_handler(Excel4vHandler handler);
}
