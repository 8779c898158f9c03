#include "model/number_text.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/value.h"

namespace xlhost {

std::string number_text(double number) {
    if (number == 0) return "0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", number);
    return buffer;
}

namespace {
std::string trimmed(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && text[first] == ' ') ++first;
    while (last > first && text[last - 1] == ' ') --last;
    return text.substr(first, last - first);
}

std::string upper(const std::string& text) {
    std::string out = text;
    for (char& ch : out) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return out;
}
}  // namespace

std::optional<double> parse_number(const std::string& text) {
    const std::string t = trimmed(text);
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    size_t digits = 0;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        size_t exponent_digits = 0;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) ++i, ++exponent_digits;
        if (exponent_digits == 0) return std::nullopt;
    }
    if (i != t.size()) return std::nullopt;
    errno = 0;
    const double value = std::strtod(t.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<bool> parse_boolean(const std::string& text) {
    const std::string t = upper(trimmed(text));
    if (t == "TRUE") return true;
    if (t == "FALSE") return false;
    return std::nullopt;
}

std::optional<int> parse_error(const std::string& text) {
    const std::string t = upper(trimmed(text));
    for (int code : {0, 7, 15, 23, 29, 36, 42})
        if (t == error_text(code)) return code;
    return std::nullopt;
}

}  // namespace xlhost
