// What a formula argument stands for before Excel converts it to the declared type: a value,
// a reference to cells, or nothing (an omitted argument).
#pragma once

#include "model/workbook.h"
#include "xlhost/host.h"

namespace xlhost::engine {

struct Operand {
    enum class Kind { value, reference, missing };
    Kind kind = Kind::missing;
    Value value;
    Sheet* sheet = nullptr;
    Range range;

    static Operand of_value(Value v) {
        Operand o;
        o.kind = Kind::value;
        o.value = std::move(v);
        return o;
    }
    static Operand of_reference(Sheet& sheet, const Range& range) {
        Operand o;
        o.kind = Kind::reference;
        o.sheet = &sheet;
        o.range = range;
        return o;
    }
};

// Where a formula is calculated: a cell (for the implicit intersection of a block with the
// formula's row or column), or no cell at all (eval).
struct CallSite {
    Sheet* sheet = nullptr;
    bool in_cell = false;
    int row = 0, column = 0;
};

}  // namespace xlhost::engine
