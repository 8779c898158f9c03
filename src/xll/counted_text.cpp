#include "xll/counted_text.h"

#include <ctype.h>
#include <string.h>

namespace xll {

bool set_counted_length(char* reserved_byte) {
    const size_t length = strlen(reserved_byte + 1);
    if (length > counted_text_max) {
        reserved_byte[0] = 0;
        return false;
    }
    reserved_byte[0] = static_cast<char>(static_cast<unsigned char>(length));
    return true;
}

bool compare_counted_nocase(const char* a, const char* b) {
    const auto length = static_cast<unsigned char>(a[0]);
    if (length != static_cast<unsigned char>(b[0])) return false;
    for (unsigned i = 1; i <= length; ++i)
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

void CountedTable::prepare() const {
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) set_counted_length(text(row, column));
}

}  // namespace xll
