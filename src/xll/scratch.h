// The scratch pool: short-lived argument values for the next call into Excel, carved from one
// static block of 1024 bytes. Every call_excel empties it when it returns, so argument values
// are built immediately before the call that consumes them and never held on to.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "xll/xloper.h"

namespace xll {

constexpr size_t scratch_pool_bytes = 1024;

// A block of `bytes` from the pool, or null when it does not fit (the pool is left as it was).
// The offset of the next block always stays even.
void* scratch_alloc(size_t bytes);
// Empties the pool.
void scratch_reset();

// Builders: each takes one record from the pool and answers it, or null when the pool is full.
LPXLOPER scratch_number(double number);
// `text` is writable: a reserved first byte, then a NUL-terminated text. The length is written
// into the reserved byte and the value points at the caller's buffer (nothing is copied). A text
// longer than 255 characters cannot be a counted string: it is refused with null.
LPXLOPER scratch_text(char* text);
LPXLOPER scratch_logical(int value);
LPXLOPER scratch_integer(int16_t value);
// One-area reference to the rectangle on the active sheet (0-based bounds). The sheet comes from
// Excel directly, so building it does not empty the pool; null when Excel does not answer.
LPXLOPER scratch_sheet_ref(uint16_t first_row, uint16_t last_row, uint8_t first_column,
                           uint8_t last_column);
LPXLOPER scratch_missing();

}  // namespace xll
