// The control side of top-level windows on real Windows: windows of any class made and
// destroyed on the calling thread, and the active window.
#include <algorithm>
#include <vector>

#include "os/windows/control/win32.h"
#include "platform/control/platform_control.h"

namespace {

std::vector<HWND> made;

bool class_ready(const std::string& class_name) {
    WNDCLASSA existing{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), class_name.c_str(), &existing)) return true;
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = class_name.c_str();
    return RegisterClassA(&window_class) != 0;
}

}  // namespace

namespace plat_control {

plat::Window window_create(const std::string& class_name) {
    if (!class_ready(class_name)) return nullptr;
    HWND window = CreateWindowExA(0, class_name.c_str(), class_name.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 320, 240,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window) made.push_back(window);
    return window;
}

void window_destroy(plat::Window window) {
    DestroyWindow(static_cast<HWND>(window));
    made.erase(std::remove(made.begin(), made.end(), static_cast<HWND>(window)), made.end());
}

void window_set_active(plat::Window window) {
    const auto handle = static_cast<HWND>(window);
    if (handle == nullptr) {
        SetActiveWindow(nullptr);
        return;
    }
    ShowWindow(handle, SW_SHOWNOACTIVATE);
    SetActiveWindow(handle);
}

void windows_clear() {
    for (HWND window : made) DestroyWindow(window);
    made.clear();
}

}  // namespace plat_control
