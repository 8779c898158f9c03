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

// A Windows message box as the user saw it: "[icon: caption]", then its text; UTF-8.
std::string message_box_lines(const ShownMessageBox& box);

// What the user saw while the add-in ran, in order: each alert and each Windows message box as
// a box (its kind or icon and caption on the first line, then its text); UTF-8.
void print_what_the_user_saw(const Host& host, std::string& out);

}  // namespace xlhost::cli
