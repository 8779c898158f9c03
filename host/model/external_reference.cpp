#include "model/external_reference.h"

#include <cctype>

namespace xlhost {

namespace {

// "R12C3" at `at`: the length read, 0 when there is none.
size_t scan_r1c1_cell(const std::string& text, size_t at, int* row, int* column) {
    auto number = [&](size_t& i, long limit, long* out) {
        long n = 0;
        size_t digits = 0;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            if (n <= limit) n = n * 10 + (text[i] - '0');
            ++i;
            ++digits;
        }
        *out = n;
        return digits > 0 && n >= 1 && n <= limit;
    };
    size_t i = at;
    long r = 0, c = 0;
    if (i >= text.size() || (text[i] != 'R' && text[i] != 'r')) return 0;
    ++i;
    if (!number(i, max_rows, &r)) return 0;
    if (i >= text.size() || (text[i] != 'C' && text[i] != 'c')) return 0;
    ++i;
    if (!number(i, max_columns, &c)) return 0;
    *row = static_cast<int>(r) - 1;
    *column = static_cast<int>(c) - 1;
    return i - at;
}

}  // namespace

std::optional<Range> parse_r1c1(const std::string& text) {
    Range range;
    size_t used = scan_r1c1_cell(text, 0, &range.first_row, &range.first_column);
    if (used == 0) return std::nullopt;
    range.last_row = range.first_row;
    range.last_column = range.first_column;
    if (used < text.size()) {
        if (text[used] != ':') return std::nullopt;
        int row = 0, column = 0;
        const size_t second = scan_r1c1_cell(text, used + 1, &row, &column);
        if (second == 0 || used + 1 + second != text.size()) return std::nullopt;
        range.last_row = row;
        range.last_column = column;
    }
    if (range.first_row > range.last_row) std::swap(range.first_row, range.last_row);
    if (range.first_column > range.last_column) std::swap(range.first_column, range.last_column);
    return range;
}

std::optional<ExternalReference> parse_external_reference(const std::string& text, bool r1c1) {
    size_t i = 0;
    if (i < text.size() && text[i] == '=') ++i;
    ExternalReference out;
    std::string prefix;
    if (i < text.size() && text[i] == '\'') {
        // 'Book sheet name'!  with '' standing for one quote
        ++i;
        for (;;) {
            if (i >= text.size()) return std::nullopt;
            if (text[i] == '\'') {
                if (i + 1 < text.size() && text[i + 1] == '\'') {
                    prefix += '\'';
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            prefix += text[i++];
        }
        if (i >= text.size() || text[i] != '!') return std::nullopt;
    } else {
        const auto bang = text.find('!', i);
        if (bang == std::string::npos) return std::nullopt;
        prefix = text.substr(i, bang - i);
        i = bang;
        for (char c : prefix)
            if (c == ' ' || c == '\'') return std::nullopt;  // such names need the quotes
    }
    ++i;  // the '!'
    if (!prefix.empty() && prefix[0] == '[') {
        const auto close = prefix.find(']');
        if (close == std::string::npos) return std::nullopt;
        out.book = prefix.substr(1, close - 1);
        out.sheet = prefix.substr(close + 1);
    } else {
        out.sheet = prefix;
    }
    if (out.sheet.empty()) return std::nullopt;
    const std::string address = text.substr(i);
    const auto range = r1c1 ? parse_r1c1(address) : parse_range(address);
    if (!range) return std::nullopt;
    out.range = *range;
    return out;
}

std::string r1c1_text(const Range& range) {
    std::string text = "R" + std::to_string(range.first_row + 1) + "C" + std::to_string(range.first_column + 1);
    if (!range.single())
        text += ":R" + std::to_string(range.last_row + 1) + "C" + std::to_string(range.last_column + 1);
    return text;
}

std::string quoted_sheet_name(const std::string& name) {
    bool plain = !name.empty() && !std::isdigit(static_cast<unsigned char>(name[0]));
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.') plain = false;
    if (plain) return name;
    std::string out = "'";
    for (char c : name) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

}  // namespace xlhost
