// Between the C API's XLOPER records and the host's values: checking and reading a record the
// add-in passes or returns, and building records (with accounted memory) for the add-in.
#pragma once

#include <string>
#include <vector>

#include "capi/session.h"
#include "xll/xloper.h"

namespace xlhost::capi {

constexpr uint16_t type_bits = static_cast<uint16_t>(~(xlbitXLFree | xlbitDLLFree));
inline uint16_t base_type(const XLOPER& x) { return static_cast<uint16_t>(x.xltype & type_bits); }

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

// Fills a record with a value; texts and arrays take memory of the given owner.
void write_value(const Value& value, XLOPER* out, Memory& memory, Owner owner);
void write_reference(uint32_t sheet_id, const std::vector<Range>& areas, XLOPER* out, Memory& memory, Owner owner);
// The text of a counted string.
std::string counted_text(const char* counted);

}  // namespace xlhost::capi
