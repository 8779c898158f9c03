// The fake browsers as shell scripts on a private PATH, which both the stand-in's spawn and its
// file search follow.
#include "menu/browser_folder.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace menu_test {

BrowserFolder::BrowserFolder() {
    std::error_code code;
    const auto temp = std::filesystem::temp_directory_path(code);
    if (code) return;
    std::string folder_template = (temp / "vx_ajuda_XXXXXX").string();
    if (::mkdtemp(folder_template.data()) == nullptr) return;
    folder_ = folder_template;
    const char* path = std::getenv("PATH");
    had_path_ = path != nullptr;
    if (had_path_) saved_path_ = path;
    ::setenv("PATH", folder_.c_str(), 1);
}

BrowserFolder::~BrowserFolder() {
    if (folder_.empty()) return;
    if (had_path_) ::setenv("PATH", saved_path_.c_str(), 1);
    else ::unsetenv("PATH");
    std::error_code code;
    std::filesystem::remove_all(folder_, code);
}

std::string BrowserFolder::file(const std::string& name) const { return folder_ + "/" + name; }

bool BrowserFolder::add_fake(const std::string& name, bool startable) {
    const std::string path = file(name);
    std::ofstream script(path);
    script << "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '" << path << ".received'\n";
    script.close();
    return script && ::chmod(path.c_str(), startable ? 0755 : 0644) == 0;
}

std::string BrowserFolder::received(const std::string& name) const {
    std::ifstream in(file(name) + ".received");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace menu_test
