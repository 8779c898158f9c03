// Records of the add-in's own, built by value: the cells of an array the add-in writes into a
// sheet, the arguments of a call that does not take them from the scratch pool, and the
// records the scratch builders place in the pool.
#pragma once

#include <stdint.h>

#include "xll/xloper.h"

namespace xll {

XLOPER number(double value);
XLOPER integer(int16_t value);
// 1 for true, 0 for false.
XLOPER logical(bool value);
// `counted` is writable: a reserved first byte, then a NUL-terminated text. The length is
// written into the reserved byte and the record points at the caller's buffer (nothing is
// copied); a text longer than a counted string can hold reads as empty.
XLOPER text(char* counted);
XLOPER nil();
XLOPER missing();
// An array over rows x columns records, row by row, which stay the caller's.
XLOPER array(XLOPER* elements, uint16_t rows, uint16_t columns);
// A one-area reference to a rectangle (0-based bounds) of the sheet `sheet`; the area list is
// the caller's `areas`, which the record points at.
XLOPER reference(IDSHEET sheet, XLMREF& areas, uint16_t first_row, uint16_t last_row,
                 uint8_t first_column, uint8_t last_column);

}  // namespace xll
