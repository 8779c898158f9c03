// Sheets as CSV files (RFC 4180): records by line, fields by comma, fields in double quotes
// may hold commas, line breaks and doubled quotes. Field 1 of line 1 is cell A1.
#pragma once

#include <string>
#include <vector>

namespace xlhost {

using CsvRows = std::vector<std::vector<std::string>>;

// Splits CSV text (a leading UTF-8 byte-order mark is skipped). False with a reason naming the
// line on malformed input: an unclosed quote, a quote inside an unquoted field, text after a
// closing quote.
bool parse_csv(const std::string& text, CsvRows* rows, std::string* error);
// One field, quoted when it holds a comma, a quote, a line break or surrounding spaces.
std::string csv_field(const std::string& text);

}  // namespace xlhost
