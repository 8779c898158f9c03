// The few of Excel's own worksheet functions that the host evaluates itself, beside the add-in's
// registered ones: DATE(year; month; day).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "xlhost/host.h"

namespace xlhost::engine {

// Whether `name` is a function of Excel's own that the host evaluates.
bool is_builtin(const std::string& name);
// Its answer to the arguments as evaluated (a reference already read into its value).
Value call_builtin(const std::string& name, const std::vector<Value>& arguments);

}  // namespace xlhost::engine
