#include "capi/conversion.h"

#include <cmath>
#include <cstdio>

#include "model/number_text.h"

namespace xlhost::capi {

std::optional<double> to_number(const Value& value) {
    switch (value.kind) {
        case Value::Kind::number:
        case Value::Kind::integer: return value.number;
        case Value::Kind::boolean: return value.boolean ? 1.0 : 0.0;
        case Value::Kind::nil: return 0.0;
        case Value::Kind::text: return parse_number(value.text);
        default: return std::nullopt;
    }
}

std::optional<bool> to_boolean(const Value& value) {
    switch (value.kind) {
        case Value::Kind::number:
        case Value::Kind::integer: return value.number != 0;
        case Value::Kind::boolean: return value.boolean;
        case Value::Kind::nil: return false;
        case Value::Kind::text: return parse_boolean(value.text);
        default: return std::nullopt;
    }
}

std::string general_number_text(double number) {
    if (number == 0) return "0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", number);
    return buffer;
}

std::optional<std::string> to_text(const Value& value) {
    switch (value.kind) {
        case Value::Kind::number:
        case Value::Kind::integer: return general_number_text(value.number);
        case Value::Kind::boolean: return std::string(value.boolean ? "TRUE" : "FALSE");
        case Value::Kind::nil: return std::string();
        case Value::Kind::text: return value.text;
        default: return std::nullopt;
    }
}

std::optional<long long> to_integer(double number, long long low, long long high) {
    if (!std::isfinite(number)) return std::nullopt;
    const double whole = std::trunc(number);
    // Compared as doubles first, so that no out-of-range double is ever converted.
    if (whole < static_cast<double>(low) || whole > static_cast<double>(high)) return std::nullopt;
    return static_cast<long long>(whole);
}

}  // namespace xlhost::capi
