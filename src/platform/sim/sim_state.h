// State shared by the pieces of the Linux stand-in of the platform.
#pragma once

#include <string>

namespace sim::detail {
void reset_registry();
void reset_windows();
void reset_records();
}  // namespace sim::detail
