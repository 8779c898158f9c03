// Cell and range addresses in A1 notation, within the grid of an Excel 97 sheet
// (65536 rows, 256 columns: the bounds an XLREF can hold).
#pragma once

#include <optional>
#include <string>

namespace xlhost {

constexpr int max_rows = 65536;
constexpr int max_columns = 256;

// 0-based, inclusive.
struct Range {
    int first_row = 0, first_column = 0, last_row = 0, last_column = 0;
    int rows() const { return last_row - first_row + 1; }
    int columns() const { return last_column - first_column + 1; }
    bool single() const { return rows() == 1 && columns() == 1; }
    bool operator==(const Range& o) const {
        return first_row == o.first_row && first_column == o.first_column && last_row == o.last_row &&
               last_column == o.last_column;
    }
};

// "A1", "$A$1", "a1:B4", "B4:A1" (corners put in order). Nothing else.
std::optional<Range> parse_range(const std::string& text);
// The length of the A1 reference (cell or range) at the start of `text`, 0 when none.
size_t scan_reference(const std::string& text, size_t start, Range* range);
std::string column_letters(int column);
std::string cell_text(int row, int column);            // "A1"
std::string absolute_text(const Range& range);          // "$A$1" or "$A$1:$B$4"

}  // namespace xlhost
