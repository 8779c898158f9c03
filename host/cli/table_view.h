// A sheet printed for a person: each block of rows between blank rows becomes a table with
// aligned columns, numbers shortened to 10 significant digits.
#pragma once

#include <string>

namespace xlhost {

// Turns the CSV of a calculated sheet into that view; the CSV text as it came when it does not
// parse.
std::string table_view(const std::string& sheet_csv);

}  // namespace xlhost
