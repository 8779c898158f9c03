// Excel's windows and the registry for the Windows host: real top-level windows, of which the
// one of class "XLMAIN" is Excel's main window, and the real registry.
#include "os/windows/control/win32.h"

#include "os/os.h"
#include "os/windows/control/debug_output_watch.h"
#include "os/windows/control/message_box_watch.h"

namespace xlhost::os {
namespace {

bool registered(const std::string& class_name) {
    WNDCLASSA existing{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), class_name.c_str(), &existing)) return true;
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window_class.lpszClassName = class_name.c_str();
    return RegisterClassA(&window_class) != 0;
}

}  // namespace

WindowHandle create_top_window(const std::string& class_name) {
    // The host makes its windows on the thread it drives the add-in on: from now on every
    // message box of the add-in is recorded and closed, and its debugger output collected.
    xlhost::win32::start_message_box_watch();
    xlhost::win32::start_debug_output_watch();
    if (!registered(class_name)) return 0;
    HWND window = CreateWindowExA(0, class_name.c_str(), class_name.c_str(), WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    return reinterpret_cast<WindowHandle>(window);
}

void destroy_top_window(WindowHandle window) { DestroyWindow(reinterpret_cast<HWND>(window)); }

void activate_window(WindowHandle window) {
    const auto handle = reinterpret_cast<HWND>(window);
    ShowWindow(handle, SW_SHOWNOACTIVATE);
    SetActiveWindow(handle);
}

std::vector<MessageBoxShown> message_boxes_shown() {
    std::vector<MessageBoxShown> shown;
    for (const auto& box : xlhost::win32::message_boxes_seen()) shown.push_back({box.caption, box.text, box.style});
    return shown;
}

bool registry_set_text(const std::string& subkey, const std::string& name, const std::string& text,
                       std::string* error) {
    HKEY key = nullptr;
    LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_SET_VALUE, nullptr, &key, nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1));
        RegCloseKey(key);
    }
    if (status != ERROR_SUCCESS) {
        if (error)
            *error = "cannot write HKEY_LOCAL_MACHINE\\" + subkey + " " + name + " (error " +
                     std::to_string(status) + ")";
        return false;
    }
    return true;
}

// The real registry keeps its values between runs by itself: --registry FILE is accepted, as
// on Linux, and the values go to the real registry all the same.
bool registry_use_file(const std::string&, bool, std::string*) { return true; }

bool registry_saved(std::string*) { return true; }

std::string default_registry_file() { return ""; }

}  // namespace xlhost::os
