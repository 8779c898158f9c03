#include "xll/scratch.h"

#include <new>

#include "xll/counted_text.h"
#include "xll/xlcall.h"

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

}  // namespace

void* scratch_alloc(size_t bytes) {
    if (bytes > scratch_pool_bytes - offset) return nullptr;
    void* block = pool + offset;
    offset += bytes;
    if (offset % 2 != 0) ++offset;
    return block;
}

void scratch_reset() { offset = 0; }

LPXLOPER scratch_number(double number) {
    LPXLOPER record = take_record();
    if (record == nullptr) return nullptr;
    record->xltype = xltypeNum;
    record->val.num = number;
    return record;
}

LPXLOPER scratch_text(char* text) {
    if (text == nullptr || !set_counted_length(text)) return nullptr;
    LPXLOPER record = take_record();
    if (record == nullptr) return nullptr;
    record->xltype = xltypeStr;
    record->val.str = text;
    return record;
}

LPXLOPER scratch_logical(int value) {
    LPXLOPER record = take_record();
    if (record == nullptr) return nullptr;
    record->xltype = xltypeBool;
    record->val.xbool = value != 0 ? 1 : 0;
    return record;
}

LPXLOPER scratch_integer(int16_t value) {
    LPXLOPER record = take_record();
    if (record == nullptr) return nullptr;
    record->xltype = xltypeInt;
    record->val.w = value;
    return record;
}

LPXLOPER scratch_sheet_ref(uint16_t first_row, uint16_t last_row, uint8_t first_column,
                           uint8_t last_column) {
    LPXLOPER record = take_record();
    if (record == nullptr) return nullptr;
    void* block = scratch_alloc(sizeof(XLMREF));
    if (block == nullptr) return nullptr;
    auto* areas = new (block) XLMREF{};
    // Directly through Excel4: call_excel would empty the pool in the middle of building.
    if (Excel4(xlSheetId, record, 0) != xlretSuccess) return nullptr;
    areas->count = 1;
    areas->reftbl[0].rwFirst = first_row;
    areas->reftbl[0].rwLast = last_row;
    areas->reftbl[0].colFirst = first_column;
    areas->reftbl[0].colLast = last_column;
    record->xltype = xltypeRef;
    record->val.mref.lpmref = areas;
    return record;
}

LPXLOPER scratch_missing() {
    LPXLOPER record = take_record();
    if (record == nullptr) return nullptr;
    record->xltype = xltypeMissing;
    return record;
}

}  // namespace xll
