#include "xlcall32/xlcall32.h"

#include <cstdarg>

#include "xll/xlcall.h"

namespace {
Excel4vHandler installed_handler = nullptr;
// Excel accepts at most 30 arguments in a call.
constexpr int max_arguments = 30;
}  // namespace

extern "C" {

void xlcall32_set_handler(Excel4vHandler handler) { installed_handler = handler; }

__attribute__((visibility("default"))) int Excel4v(int xlfn, LPXLOPER result, int count,
                                                   LPXLOPER arguments[]) {
    if (installed_handler == nullptr) return xlretFailed;
    // A count out of range still reaches the host (without its arguments), so it can report it.
    if (count < 0 || count > max_arguments) return installed_handler(xlfn, result, count, nullptr);
    return installed_handler(xlfn, result, count, arguments);
}

__attribute__((visibility("default"))) int Excel4(int xlfn, LPXLOPER result, int count, ...) {
    if (count < 0 || count > max_arguments) return Excel4v(xlfn, result, count, nullptr);
    LPXLOPER arguments[max_arguments];
    va_list list;
    va_start(list, count);
    for (int i = 0; i < count; ++i) arguments[i] = va_arg(list, LPXLOPER);
    va_end(list);
    return Excel4v(xlfn, result, count, arguments);
}
}
