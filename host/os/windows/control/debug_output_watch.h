// Collects, in order, every text the process sends to the debugger output (OutputDebugStringA),
// as the Linux stand-in of the platform keeps them; echoed to stderr when VARENTIS_DEBUG is set.
#pragma once

#include <string>
#include <vector>

namespace xlhost::win32 {

bool start_debug_output_watch();
void stop_debug_output_watch();
std::vector<std::string> debug_output_seen();
void clear_debug_output_seen();
// Also write every text to stderr (on from the start when VARENTIS_DEBUG is set).
void set_debug_output_echo(bool echo);

}  // namespace xlhost::win32
