// The arguments of one call into Excel, named and in order, built immediately before it:
//
//     xll::Call().missing().text(name).run(xlcWorkbookName);
//     xll::Call().value(&reference).value(&array).run(xlSet);
//
// Builders take their records from the scratch pool (a full pool gives a null argument, which
// the call then refuses); value() passes a record of the caller's own.
#pragma once

#include <stdint.h>

#include <array>

#include "xll/call_excel.h"
#include "xll/xloper.h"

namespace xll {

class Call {
public:
    Call& number(double value);
    Call& integer(int16_t value);
    Call& logical(bool value);
    // `counted` as scratch_text takes it: writable, with a reserved first byte.
    Call& text(char* counted);
    Call& missing(int times = 1);
    // A rectangle of the active sheet, rows and columns 0-based.
    Call& cells(uint16_t first_row, uint16_t last_row, uint8_t first_column, uint8_t last_column);
    Call& value(LPXLOPER own);

    // Through call_excel: diagnostics of a refusal, and the scratch pool emptied. Excel's return
    // code; `result`, when given, receives the answer.
    int run(int function, LPXLOPER result = nullptr);
    // Straight to Excel4v, for a call made where call_excel must not run (while the scratch pool
    // is in use, or inside a coercion): no diagnostics, and the pool is left as it is. A null
    // argument is refused, as call_excel refuses it, with 32 (xlretFailed).
    int run_direct(int function, LPXLOPER result = nullptr);

private:
    // Throws std::length_error beyond the most arguments Excel takes in one call.
    Call& add(LPXLOPER argument);

    std::array<LPXLOPER, max_call_arguments> arguments_{};
    int count_ = 0;
};

}  // namespace xll
