// Excel's conversions between scalar values, shared by xlCoerce and by the conversion of
// worksheet arguments to their declared types.
#pragma once

#include <optional>
#include <string>

#include "model/value.h"

namespace xlhost::capi {

// Numbers as themselves, TRUE 1 and FALSE 0, an empty cell 0, a text that reads as a number.
std::optional<double> to_number(const Value& value);
// Numbers (not 0 is TRUE), booleans, the texts TRUE and FALSE, an empty cell FALSE.
std::optional<bool> to_boolean(const Value& value);
// Numbers in Excel's General format (15 significant digits), TRUE/FALSE, an empty cell "".
std::optional<std::string> to_text(const Value& value);
// The integer part (toward zero) when it lies in [low, high]; none otherwise (or not finite).
std::optional<long long> to_integer(double number, long long low, long long high);
// A number written as Excel's General format writes it: 0.333333333333333, 1E+21.
std::string general_number_text(double number);

}  // namespace xlhost::capi
