// Sheets as CSV files (RFC 4180): records by line, fields by comma, fields in double quotes
// may hold commas, line breaks and doubled quotes. Field 1 of line 1 is cell A1.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace xlhost {

using CsvRows = std::vector<std::vector<std::string>>;

// What a sheet can hold. Reading stops at the first record, field or character beyond it, so
// that input far larger than a sheet is refused without being read to its end.
struct CsvLimits {
    size_t records = static_cast<size_t>(-1);
    size_t fields = static_cast<size_t>(-1);             // in one record
    size_t field_characters = static_cast<size_t>(-1);   // in one field
};

// Splits CSV text in UTF-8 (a leading byte-order mark is skipped). False with a reason naming
// the line on malformed input: an unclosed quote, a quote inside an unquoted field, text after
// a closing quote, a byte sequence that is not UTF-8 (with its line and column), input beyond
// the limits.
bool parse_csv(std::istream& in, const CsvLimits& limits, CsvRows* rows, std::string* error);
bool parse_csv(const std::string& text, CsvRows* rows, std::string* error);
// One field, quoted when it holds a comma, a quote, a line break or surrounding spaces.
std::string csv_field(const std::string& text);

}  // namespace xlhost
