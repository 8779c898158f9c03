// The fake browsers as copies of fake_browser.exe in a private folder made the current
// directory: the runtime's spawn by name looks in the current directory first, and the file
// search looks there right after the program's own folder and before the system folders, where
// the system's explorer.exe is. PATH is pointed at the folder too, so that a spawn by name that
// misses the folder finds nothing rather than a real program.
#include "menu/browser_folder.h"

#include <windows.h>

#include <stdlib.h>

#include <fstream>
#include <sstream>

namespace menu_test {
namespace {

std::string folder_of_this_program() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "";
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\'));
}

void set_path(const std::string& value) { _putenv(("PATH=" + value).c_str()); }

}  // namespace

BrowserFolder::BrowserFolder() {
    char temp[MAX_PATH], directory[MAX_PATH];
    const DWORD temp_length = GetTempPathA(MAX_PATH, temp);
    const DWORD directory_length = GetCurrentDirectoryA(MAX_PATH, directory);
    if (temp_length == 0 || temp_length >= MAX_PATH || directory_length == 0 || directory_length >= MAX_PATH) return;
    for (int attempt = 0; attempt < 100 && folder_.empty(); ++attempt) {
        const std::string candidate = std::string(temp) + "vx_ajuda_" + std::to_string(GetCurrentProcessId()) + "_" +
                                      std::to_string(GetTickCount()) + "_" + std::to_string(attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) folder_ = candidate;
    }
    if (folder_.empty()) return;
    saved_directory_ = directory;
    const char* path = std::getenv("PATH");
    had_path_ = path != nullptr;
    if (had_path_) saved_path_ = path;
    if (!SetCurrentDirectoryA(folder_.c_str())) {
        RemoveDirectoryA(folder_.c_str());
        folder_.clear();
        return;
    }
    set_path(folder_);
}

BrowserFolder::~BrowserFolder() {
    if (folder_.empty()) return;
    SetCurrentDirectoryA(saved_directory_.c_str());
    set_path(had_path_ ? saved_path_ : "");
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(file(found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
}

std::string BrowserFolder::file(const std::string& name) const { return folder_ + "\\" + name; }

bool BrowserFolder::add_fake(const std::string& name, bool startable) {
    if (startable)
        return CopyFileA((folder_of_this_program() + "\\fake_browser.exe").c_str(), file(name).c_str(), FALSE) != 0;
    std::ofstream text(file(name), std::ios::binary);
    text << "not a program\n";  // found, but no valid image
    text.close();
    return static_cast<bool>(text);
}

std::string BrowserFolder::received(const std::string& name) const {
    std::ifstream in(file(name) + ".received", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace menu_test
