#include "xll/call.h"

#include <stdexcept>

#include "xll/scratch.h"
#include "xll/xlcall.h"

namespace xll {

Call& Call::number(double value) { return add(scratch_number(value)); }

Call& Call::integer(int16_t value) { return add(scratch_integer(value)); }

Call& Call::logical(bool value) { return add(scratch_logical(value ? 1 : 0)); }

Call& Call::text(char* counted) { return add(scratch_text(counted)); }

Call& Call::missing(int times) {
    for (int i = 0; i < times; ++i) add(scratch_missing());
    return *this;
}

Call& Call::cells(uint16_t first_row, uint16_t last_row, uint8_t first_column, uint8_t last_column) {
    return add(scratch_sheet_ref(first_row, last_row, first_column, last_column));
}

Call& Call::value(LPXLOPER own) { return add(own); }

int Call::run(int function, LPXLOPER result) {
    return call_excel_v(function, result, count_, arguments_.data());
}

int Call::run_direct(int function, LPXLOPER result) {
    for (int i = 0; i < count_; ++i)
        if (arguments_[static_cast<size_t>(i)] == nullptr) return xlretFailed;
    return Excel4v(function, result, count_, arguments_.data());
}

Call& Call::add(LPXLOPER argument) {
    if (count_ >= max_call_arguments) throw std::length_error("more arguments than Excel takes");
    arguments_[static_cast<size_t>(count_++)] = argument;
    return *this;
}

}  // namespace xll
