// Automation values turned into records the add-in owns, for Excel to coerce: a text becomes a
// counted text, a two-dimensional array of variants an array record. Their storage comes from
// the C heap and goes back with free_temp_value.
#pragma once

#include "platform/automation.h"
#include "xll/xloper.h"

namespace automacao {

// The most rows and columns an array record holds: its counts are 16-bit, and a sheet has 256
// columns (A to IV), every one of which a range can span.
constexpr int32_t most_array_rows = 65535;
constexpr int32_t most_array_columns = 256;

// `length` characters of `text` as a heap counted text in the ANSI code page: 0, or 32 for a
// text a counted string cannot hold (more than 255 characters) or that does not convert.
int wide_to_counted(const plat::OleChar* text, unsigned length, XLOPER* value);
// A two-dimensional array of variants (stored column by column) as a heap array record, row
// by row: 0; 32 for an array an array record cannot hold (more than 65535 rows or 256 columns,
// or none) or an element kind that does not convert exactly; E_FAIL when memory runs out.
int array_to_multi(plat::SafeArray array, XLOPER* value);
// Converts the variant (a text or an array of variants) and asks Excel to coerce it to the
// requested types into `result`. 32 for any other variant.
int variant_to_value(LPXLOPER result, LPXLOPER requested, const plat::Variant& variant);
// Releases what wide_to_counted or array_to_multi allocated: 0, or 32 for any other type.
int free_temp_value(XLOPER* value);

}  // namespace automacao
