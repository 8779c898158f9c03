// The identifier of the active sheet, for references the add-in builds itself.
#pragma once

#include <stdint.h>

#include <optional>

#include "xll/xloper.h"

namespace xll {

// Asks Excel directly (Excel4, not call_excel), so that it may run while the arguments of a
// call are being built in the scratch pool, which call_excel would empty. Nothing when Excel
// refuses or does not answer with a reference. The answer carries no area list, so there is
// nothing to give back to Excel.
std::optional<IDSHEET> sheet_id();

}  // namespace xll
