// The menu commands of the xlhost command line: the menu bar as a tree, a pick of an item,
// and a command macro run by name.
#pragma once

#include <string>
#include <vector>

#include "xlhost/host.h"

namespace xlhost::cli {

// True when `command` is one of menu, pick, run; `error` is set when its operands are wrong.
bool is_menu_command(const std::string& command, const std::vector<std::string>& operands, std::string* error);
// Runs it against the opened add-in and writes what the user sees on `out` (UTF-8); false
// with a reason when the pick names nothing on the bar.
bool run_menu_command(Host& host, const std::string& command, const std::vector<std::string>& operands,
                      std::string& out, std::string* error);

}  // namespace xlhost::cli
