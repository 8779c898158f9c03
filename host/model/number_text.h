// Numbers as Excel reads them from text and as the host writes them.
#pragma once

#include <optional>
#include <string>

namespace xlhost {

// 17 significant digits, shortest form ("42", "0.18374801700000001", "1e+21"); -0 as "0".
std::string number_text(double number);
// A number in decimal or exponent notation with an optional sign ("-1.5e3", ".5", "+7"),
// spaces around it allowed. Anything else, or a number too large for a double, is no number.
std::optional<double> parse_number(const std::string& text);
// TRUE or FALSE in any case.
std::optional<bool> parse_boolean(const std::string& text);
// An error literal (#N/A, #VALUE!, ...) in any case: its code.
std::optional<int> parse_error(const std::string& text);

}  // namespace xlhost
