// The one guarded path into Excel. Every call the add-in makes into Excel's C API goes through
// call_excel: it refuses null arguments (a builder answers null when the scratch pool is full),
// routes coercion to coerce_value, writes diagnostics of a failed call to the debugger output,
// and empties the scratch pool whatever the outcome.
#pragma once

#include "xll/xloper.h"

namespace xll {

// Excel accepts at most 30 arguments in one call.
constexpr int max_call_arguments = 30;

// call_excel(function, result or null, count, argument pointers...): Excel's return code.
int call_excel(int function, LPXLOPER result, int count, ...);
// The same with the arguments in an array of `count` pointers.
int call_excel_v(int function, LPXLOPER result, int count, LPXLOPER* arguments);

}  // namespace xll
