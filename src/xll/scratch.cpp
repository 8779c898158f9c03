#include "xll/scratch.h"

#include <new>

#include "xll/counted_text.h"
#include "xll/sheet_id.h"
#include "xll/values.h"

namespace xll {

namespace {

alignas(alignof(XLOPER)) unsigned char pool[scratch_pool_bytes];
size_t offset = 0;

// A record from the pool. Records and area lists are multiples of 8 bytes, so the offset is
// already aligned whenever only builders use the pool; should a raw odd-sized block have come
// before, the record starts at the next aligned offset rather than misaligned.
LPXLOPER take_record() {
    const size_t misalignment = offset % alignof(XLOPER);
    if (misalignment != 0 && scratch_alloc(alignof(XLOPER) - misalignment) == nullptr)
        return nullptr;
    void* block = scratch_alloc(sizeof(XLOPER));
    return block ? new (block) XLOPER{} : nullptr;
}

// The value in a record of the pool, or null when the pool is full.
LPXLOPER placed(const XLOPER& value) {
    LPXLOPER record = take_record();
    if (record != nullptr) *record = value;
    return record;
}

}  // namespace

void* scratch_alloc(size_t bytes) {
    if (bytes > scratch_pool_bytes - offset) return nullptr;
    void* block = pool + offset;
    offset += bytes;
    if (offset % 2 != 0) ++offset;
    return block;
}

void scratch_reset() { offset = 0; }

LPXLOPER scratch_number(double number) { return placed(xll::number(number)); }

LPXLOPER scratch_text(char* text) {
    if (text == nullptr || !set_counted_length(text)) return nullptr;
    return placed(xll::text(text));
}

LPXLOPER scratch_logical(int value) { return placed(logical(value != 0)); }

LPXLOPER scratch_integer(int16_t value) { return placed(integer(value)); }

LPXLOPER scratch_sheet_ref(uint16_t first_row, uint16_t last_row, uint8_t first_column,
                           uint8_t last_column) {
    LPXLOPER record = take_record();
    if (record == nullptr) return nullptr;
    void* block = scratch_alloc(sizeof(XLMREF));
    if (block == nullptr) return nullptr;
    const std::optional<IDSHEET> sheet = sheet_id();
    if (!sheet) return nullptr;
    *record = reference(*sheet, *new (block) XLMREF{}, first_row, last_row, first_column, last_column);
    return record;
}

LPXLOPER scratch_missing() { return placed(missing()); }

}  // namespace xll
