#include "xll/debug_print.h"

#include <stdarg.h>

#include "platform/platform.h"

namespace xll {

void debug_print(const char* format, ...) {
    char line[256];
    va_list args;
    va_start(args, format);
    plat::format_text(line, sizeof line, format, args);
    va_end(args);
    plat::debug_output(line);
}

}  // namespace xll
