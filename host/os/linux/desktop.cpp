// Windows and registry of the host on the Linux stand-in of the platform.
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "os/os.h"
#include "platform/control/platform_control.h"

namespace xlhost::os {

WindowHandle create_top_window(const std::string& class_name) {
    return reinterpret_cast<WindowHandle>(plat_control::window_create(class_name));
}

void destroy_top_window(WindowHandle window) { plat_control::window_destroy(reinterpret_cast<plat::Window>(window)); }

void activate_window(WindowHandle window) { plat_control::window_set_active(reinterpret_cast<plat::Window>(window)); }

std::vector<MessageBoxShown> message_boxes_shown() {
    std::vector<MessageBoxShown> shown;
    for (const auto& box : plat_control::message_boxes()) shown.push_back({box.caption, box.text, box.style});
    return shown;
}

bool registry_set_text(const std::string& subkey, const std::string& name, const std::string& text,
                       std::string*) {
    plat_control::registry_set_text(subkey, name, text);
    return true;
}

bool registry_use_file(const std::string& path, bool make_folder, std::string* error) {
    if (make_folder && !path.empty()) {
        const auto folder = std::filesystem::path(path).parent_path();
        std::error_code code;
        if (!folder.empty()) std::filesystem::create_directories(folder, code);
        if (code) {
            if (error) *error = "cannot create " + folder.string() + ": " + code.message();
            return false;
        }
    }
    return plat_control::registry_use_file(path, error);
}

bool registry_saved(std::string* error) {
    const std::string failure = plat_control::registry_file_error();
    if (failure.empty()) return true;
    if (error) *error = failure;
    return false;
}

std::string default_registry_file() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path folder;
    if (config != nullptr && *config != '\0') {
        folder = config;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') return "";
        folder = std::filesystem::path(home) / ".config";
    }
    return (folder / "varentis" / "registry.txt").string();
}

}  // namespace xlhost::os
