// printf-style formatting into a caller's buffer, through the platform's formatter: the bridge
// builds its addresses and its probe formula with it.
#pragma once

#include <stdarg.h>
#include <stddef.h>

#include "platform/platform.h"

namespace automacao {

// Never writes past `size` bytes; answers the length plat::format_text answers.
inline int format(char* buffer, size_t size, const char* pattern, ...) {
    va_list arguments;
    va_start(arguments, pattern);
    const int length = plat::format_text(buffer, size, pattern, arguments);
    va_end(arguments);
    return length;
}

}  // namespace automacao
