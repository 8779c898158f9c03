#include "model/address.h"

#include <cctype>
#include <utility>

namespace xlhost {
namespace {

// One corner: optional $, 1 to 3 letters, optional $, 1 or more digits.
size_t scan_cell(const std::string& text, size_t start, int* row, int* column) {
    size_t i = start;
    if (i < text.size() && text[i] == '$') ++i;
    int col = 0;
    size_t letters = 0;
    while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])) && letters < 4) {
        col = col * 26 + (std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
        ++i;
        ++letters;
    }
    if (letters == 0 || letters > 3) return 0;
    if (i < text.size() && text[i] == '$') ++i;
    long r = 0;
    size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (r <= max_rows) r = r * 10 + (text[i] - '0');
        ++i;
        ++digits;
    }
    if (digits == 0 || r < 1 || r > max_rows || col > max_columns) return 0;
    // A reference is not followed by more name characters (A1B is a name, not a reference).
    if (i < text.size() && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '_' || text[i] == '.'))
        return 0;
    *row = static_cast<int>(r) - 1;
    *column = col - 1;
    return i - start;
}

}  // namespace

size_t scan_reference(const std::string& text, size_t start, Range* range) {
    int row1 = 0, col1 = 0;
    const size_t first = scan_cell(text, start, &row1, &col1);
    if (first == 0) return 0;
    int row2 = row1, col2 = col1;
    size_t length = first;
    if (start + first < text.size() && text[start + first] == ':') {
        const size_t second = scan_cell(text, start + first + 1, &row2, &col2);
        if (second == 0) return 0;
        length = first + 1 + second;
    }
    if (range) {
        range->first_row = std::min(row1, row2);
        range->last_row = std::max(row1, row2);
        range->first_column = std::min(col1, col2);
        range->last_column = std::max(col1, col2);
    }
    return length;
}

std::optional<Range> parse_range(const std::string& text) {
    Range range;
    if (text.empty() || scan_reference(text, 0, &range) != text.size()) return std::nullopt;
    return range;
}

std::string column_letters(int column) {
    std::string out;
    int n = column + 1;
    while (n > 0) {
        const int rest = (n - 1) % 26;
        out.insert(out.begin(), static_cast<char>('A' + rest));
        n = (n - 1) / 26;
    }
    return out;
}

std::string cell_text(int row, int column) { return column_letters(column) + std::to_string(row + 1); }

std::string absolute_text(const Range& range) {
    std::string out = "$" + column_letters(range.first_column) + "$" + std::to_string(range.first_row + 1);
    if (!range.single())
        out += ":$" + column_letters(range.last_column) + "$" + std::to_string(range.last_row + 1);
    return out;
}

}  // namespace xlhost
