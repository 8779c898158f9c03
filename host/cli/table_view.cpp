#include "cli/table_view.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "csv/csv.h"

namespace xlhost {
namespace {

std::string shortened(const std::string& field);

// An array constant {1,2;3,4} keeps its shape; each of its numbers is shortened.
std::string shortened_array(const std::string& field) {
    std::string out = "{", item;
    for (size_t i = 1; i + 1 < field.size(); ++i) {
        const char c = field[i];
        if (c == ',' || c == ';') {
            out += shortened(item) + c;
            item.clear();
        } else {
            item += c;
        }
    }
    return out + shortened(item) + "}";
}

// A field that reads entirely as a number is shown with 10 significant digits.
std::string shortened(const std::string& field) {
    if (field.empty()) return field;
    if (field.size() > 2 && field.front() == '{' && field.back() == '}' &&
        field.find('"') == std::string::npos)
        return shortened_array(field);
    char* end = nullptr;
    const double number = std::strtod(field.c_str(), &end);
    if (end == nullptr || *end != '\0' || end == field.c_str()) return field;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", number);
    return buffer;
}

bool blank(const std::vector<std::string>& row) {
    return std::all_of(row.begin(), row.end(), [](const std::string& f) { return f.empty(); });
}

// The number of display columns of a UTF-8 text (continuation bytes take no column).
size_t width(const std::string& text) {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(),
                                             [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A row with a single field is a heading: it is printed as it is, outside the columns.
bool heading(const std::vector<std::string>& row) {
    return std::count_if(row.begin(), row.end(), [](const std::string& f) { return !f.empty(); }) == 1 &&
           !row.empty() && !row[0].empty();
}

void print_block(const CsvRows& rows, size_t first, size_t last, std::string& out) {
    std::vector<size_t> widths;
    for (size_t r = first; r < last; ++r) {
        if (heading(rows[r])) continue;
        for (size_t c = 0; c < rows[r].size(); ++c) {
            if (widths.size() <= c) widths.resize(c + 1, 0);
            widths[c] = std::max(widths[c], width(shortened(rows[r][c])));
        }
    }
    for (size_t r = first; r < last; ++r) {
        std::string line;
        if (heading(rows[r])) {
            line = rows[r][0];
        } else {
            for (size_t c = 0; c < rows[r].size(); ++c) {
                const std::string field = shortened(rows[r][c]);
                line += field;
                if (c + 1 < rows[r].size()) line += std::string(widths[c] - width(field) + 2, ' ');
            }
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out += line + "\n";
    }
}

}  // namespace

std::string table_view(const std::string& sheet_csv) {
    CsvRows rows;
    std::string error;
    if (!parse_csv(sheet_csv, &rows, &error)) return sheet_csv;
    std::string out;
    size_t start = 0;
    for (size_t r = 0; r <= rows.size(); ++r) {
        if (r < rows.size() && !blank(rows[r])) continue;
        if (r > start) print_block(rows, start, r, out);
        if (r < rows.size()) out += "\n";
        start = r + 1;
    }
    return out;
}

}  // namespace xlhost
