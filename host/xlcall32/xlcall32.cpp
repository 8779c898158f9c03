// The stand-in of Excel's call library: libxlcall32.so on Linux, XLCALL32.DLL on Windows, where
// Excel4 (cdecl) and Excel4v (stdcall, 16 bytes of arguments) are exported under their plain
// names as Excel's own library exports them. Both forward to the handler that xlhost installs.
#include "xlcall32/xlcall32.h"

#include <cstdarg>

#include "xll/xlcall.h"

namespace {
Excel4vHandler installed_handler = nullptr;
// Excel accepts at most 30 arguments in a call.
constexpr int max_arguments = 30;
}  // namespace

extern "C" {

XLCALL32_API void xlcall32_set_handler(Excel4vHandler handler) { installed_handler = handler; }

XLCALL32_API int VX_STDCALL Excel4v(int xlfn, LPXLOPER result, int count, LPXLOPER arguments[]) {
    if (installed_handler == nullptr) return xlretFailed;
    // A count out of range still reaches the host (without its arguments), so it can report it.
    if (count < 0 || count > max_arguments) return installed_handler(xlfn, result, count, nullptr);
    return installed_handler(xlfn, result, count, arguments);
}

XLCALL32_API int VX_CDECL Excel4(int xlfn, LPXLOPER result, int count, ...) {
    if (count < 0 || count > max_arguments) return Excel4v(xlfn, result, count, nullptr);
    LPXLOPER arguments[max_arguments];
    va_list list;
    va_start(list, count);
    for (int i = 0; i < count; ++i) arguments[i] = va_arg(list, LPXLOPER);
    va_end(list);
    return Excel4v(xlfn, result, count, arguments);
}
}
