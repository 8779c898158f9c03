// Between the C API's XLOPER records and the host's values: checking and reading a record the
// add-in passes or returns, and building records (with accounted memory) for the add-in.
#pragma once

#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "capi/session.h"
#include "xll/xloper.h"

namespace xlhost::capi {

using xll::base_type;

// What a reference record points at.
struct Target {
    Sheet* sheet = nullptr;
    std::vector<Range> areas;
};

// Checks a record and reads it. A reference reads as Kind::reference with its address.
bool read_xloper(const XLOPER* x, Session& session, Value* out, std::string* problem);
// The record as a call log shows it, "<invalid: why>" when it cannot be read.
std::string describe(const XLOPER* x, Session& session);
// The sheet and areas of an xltypeRef or xltypeSRef record.
bool reference_target(const XLOPER& x, Session& session, Target* out, std::string* problem);
// The value a reference stands for: one cell its value, a block the array of its first area.
Value target_value(const Target& target);

// Why a value cannot travel in a record: an array with more rows or columns than the record's
// 16-bit counts hold (a whole column has 65536 rows). Empty when it can. Such a value reaches
// the add-in as #VALUE!, as Excel hands it over.
std::string beyond_a_record(const Value& value);
// The same for the block of a reference, told before a single cell of it is read.
std::string beyond_a_record(const Range& block);
// A record field of N bits takes a count or coordinate only when it fits; a value that does not
// is refused (std::range_error), never cut to its low bits.
template <class Field>
Field record_field(long long value, const char* what) {
    if (value < static_cast<long long>(std::numeric_limits<Field>::min()) ||
        value > static_cast<long long>(std::numeric_limits<Field>::max()))
        throw std::range_error(std::string(what) + " " + std::to_string(value) + " does not fit in its record field");
    return static_cast<Field>(value);
}
// The rectangle of a reference record.
XLREF record_rectangle(const Range& range);
// An xltypeSRef record of one rectangle.
void write_sref(const Range& range, XLOPER* out);

// Fills a record with a value; texts and arrays take memory of the given owner.
void write_value(const Value& value, XLOPER* out, Memory& memory, Owner owner);
void write_reference(IDSHEET sheet_id, const std::vector<Range>& areas, XLOPER* out, Memory& memory, Owner owner);
// The text of a counted string.
std::string counted_text(const char* counted);

}  // namespace xlhost::capi
