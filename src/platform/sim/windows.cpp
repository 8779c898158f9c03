// Top-level windows of the stand-in: a list in creation order with class names, and the
// active window. Handles look like Windows handles: small even numbers above 0x10000.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/control/platform_control.h"
#include "platform/sim/sim_state.h"

namespace {
struct SimWindow {
    plat::Window handle;
    std::string class_name;
};
std::vector<SimWindow> windows;
plat::Window active = nullptr;
uintptr_t next_handle = 0x000301A4;
}  // namespace

namespace plat_control {

plat::Window window_create(const std::string& class_name) {
    auto* handle = reinterpret_cast<plat::Window>(next_handle);
    next_handle += 0x0001006E;  // varies the low 16 bits as Windows does
    windows.push_back({handle, class_name});
    return handle;
}

void window_destroy(plat::Window window) {
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [&](const SimWindow& w) { return w.handle == window; }),
                  windows.end());
    if (active == window) active = nullptr;
}

void window_set_active(plat::Window window) { active = window; }

void windows_clear() { sim::detail::reset_windows(); }

}  // namespace plat_control

namespace sim::detail {
void reset_windows() {
    windows.clear();
    active = nullptr;
}
}  // namespace sim::detail

namespace plat {

void enum_top_windows(WindowVisitor visitor, void* context) {
    const auto snapshot = windows;  // a visitor may create or destroy windows
    for (const auto& window : snapshot)
        if (!visitor(window.handle, context)) return;
}

int window_class_name(Window window, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    for (const auto& w : windows) {
        if (w.handle != window) continue;
        const int count = std::min<int>(size - 1, static_cast<int>(w.class_name.size()));
        std::memcpy(buffer, w.class_name.data(), static_cast<size_t>(count));
        buffer[count] = '\0';
        return count;
    }
    buffer[0] = '\0';
    return 0;  // ERROR_INVALID_WINDOW_HANDLE
}

Window active_window() { return active; }

}  // namespace plat
