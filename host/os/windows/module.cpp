// The add-in as a Windows DLL: LoadLibrary runs its DllMain (process attach), GetProcAddress
// finds its exports. A DLL that is still loaded would only gain a reference, without a new
// attach, so such a load maps a private copy of the file instead.
#include "os/windows/control/win32.h"

#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cstdio>
#include <string>

#include "os/os.h"
#include "os/windows/control/import_watch.h"

namespace xlhost::os {
namespace {

// The host prints exactly the bytes the native one prints (lines end in "\n", not "\r\n"),
// so that the outputs of the two builds can be compared as they are.
const bool binary_output = [] {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return true;
}();

std::string last_error_text() {
    const DWORD code = GetLastError();
    char text[512] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        code, 0, text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message.empty() ? "error " + std::to_string(code) : message;
}

class Library final : public Module {
public:
    Library(HMODULE handle, std::string copy) : handle_(handle), copy_(std::move(copy)) {}
    ~Library() override {
        FreeLibrary(handle_);
        if (!copy_.empty()) DeleteFileA(copy_.c_str());
    }
    void* symbol(const std::string& name) const override {
        return reinterpret_cast<void*>(GetProcAddress(handle_, name.c_str()));
    }

private:
    HMODULE handle_;
    std::string copy_;
};

bool is_file(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string private_copy(const std::string& path, std::string* error) {
    static std::atomic<int> serial{0};
    char folder[MAX_PATH + 1] = "";
    if (GetTempPathA(sizeof folder, folder) == 0) lstrcpyA(folder, ".\\");
    std::string name = path.substr(path.find_last_of("\\/") + 1);
    const std::string copy = std::string(folder) + "xlhost-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++serial) + "-" + name;
    if (!CopyFileA(path.c_str(), copy.c_str(), FALSE)) {
        if (error) *error = "cannot copy " + path + " for a fresh load: " + last_error_text();
        return "";
    }
    return copy;
}

}  // namespace

std::unique_ptr<Module> load_module(const std::string& path, std::string* error) {
    if (!is_file(path)) {
        if (error) *error = "no add-in file at " + path;
        return nullptr;
    }
    std::string file = absolute_path(path);
    std::string copy;
    if (GetModuleHandleA(file.c_str()) != nullptr) {
        copy = private_copy(file, error);
        if (copy.empty()) return nullptr;
        file = copy;
    }
    // No error dialog of the system for a DLL that cannot be loaded: the caller reports it.
    const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE handle = LoadLibraryA(file.c_str());
    const std::string reason = handle ? "" : last_error_text();
    SetErrorMode(previous);
    if (handle == nullptr) {
        if (error) *error = "cannot load " + path + ": " + reason;
        if (!copy.empty()) DeleteFileA(copy.c_str());
        return nullptr;
    }
    // What the add-in does with global blocks and launched programs is recorded from now on.
    xlhost::win32::watch_module_imports(handle);
    return std::make_unique<Library>(handle, copy);
}

bool same_file(const std::string& a, const std::string& b) {
    if (a == b) return true;
    auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
        HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        const bool known = GetFileInformationByHandle(file, info) != FALSE;
        CloseHandle(file);
        return known;
    };
    BY_HANDLE_FILE_INFORMATION first{}, second{};
    if (!identity(a, &first) || !identity(b, &second)) return lstrcmpiA(absolute_path(a).c_str(), absolute_path(b).c_str()) == 0;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

std::string absolute_path(const std::string& path) {
    char full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return path;
    return std::string(full, length);
}

}  // namespace xlhost::os
