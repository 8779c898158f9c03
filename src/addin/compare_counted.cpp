#include "addin/compare_counted.h"

#include <ctype.h>

namespace addin {

bool compare_counted_nocase(const char* a, const char* b) {
    const auto length = static_cast<unsigned char>(a[0]);
    if (length != static_cast<unsigned char>(b[0])) return false;
    for (unsigned i = 1; i <= length; ++i)
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace addin
