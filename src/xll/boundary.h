// The one boundary wrapper: every export of the add-in runs its body through `guarded`, so that
// nothing (no exception of any kind) crosses into Excel, which would end Excel's process.
#pragma once

#include "xll/xloper.h"

namespace xll {

// Runs body(); answers on_failure when body throws anything.
template <class Result, class Body>
Result guarded(Result on_failure, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return on_failure;
    }
}

// Sets a record to an Excel error value.
inline void set_error(XLOPER& record, uint16_t code) {
    record.xltype = xltypeErr;
    record.val.err = code;
}

}  // namespace xll
