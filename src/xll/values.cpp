#include "xll/values.h"

#include "xll/counted_text.h"

namespace xll {

namespace {
XLOPER of_type(uint16_t type) {
    XLOPER record{};
    record.xltype = type;
    return record;
}
}  // namespace

XLOPER number(double value) {
    XLOPER record = of_type(xltypeNum);
    record.val.num = value;
    return record;
}

XLOPER integer(int16_t value) {
    XLOPER record = of_type(xltypeInt);
    record.val.w = value;
    return record;
}

XLOPER logical(bool value) {
    XLOPER record = of_type(xltypeBool);
    record.val.xbool = value ? 1 : 0;
    return record;
}

XLOPER text(char* counted) {
    set_counted_length(counted);
    XLOPER record = of_type(xltypeStr);
    record.val.str = counted;
    return record;
}

XLOPER nil() { return of_type(xltypeNil); }

XLOPER missing() { return of_type(xltypeMissing); }

XLOPER array(XLOPER* elements, uint16_t rows, uint16_t columns) {
    XLOPER record = of_type(xltypeMulti);
    record.val.array.lparray = elements;
    record.val.array.rows = rows;
    record.val.array.columns = columns;
    return record;
}

XLOPER reference(IDSHEET sheet, XLMREF& areas, uint16_t first_row, uint16_t last_row,
                 uint8_t first_column, uint8_t last_column) {
    areas.count = 1;
    areas.reftbl[0] = {first_row, last_row, first_column, last_column};
    XLOPER record = of_type(xltypeRef);
    record.val.mref.lpmref = &areas;
    record.val.mref.idSheet = sheet;
    return record;
}

}  // namespace xll
