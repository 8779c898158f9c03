// Diagnostics of the add-in go to the debugger output of the operating system; they are never
// shown to the user.
#pragma once

namespace xll {

// Formats one line with the Windows formatter (wvsprintf rules) into 256 bytes and sends it to
// the debugger output. A longer line is cut at 255 characters.
void debug_print(const char* format, ...);

}  // namespace xll
