// The add-in as a shared library. A library that is still mapped cannot attach afresh (a GNU
// unique symbol pins it, or someone else holds it open), so such a load maps a private copy
// of the file instead: every load then runs the library's load-time initialisation again.
#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <system_error>

#include "os/os.h"

namespace xlhost::os {
namespace {

class SharedLibrary final : public Module {
public:
    SharedLibrary(void* handle, std::string copy) : handle_(handle), copy_(std::move(copy)) {}
    ~SharedLibrary() override {
        dlclose(handle_);
        if (!copy_.empty()) {
            std::error_code ignored;
            std::filesystem::remove(copy_, ignored);
        }
    }
    void* symbol(const std::string& name) const override { return dlsym(handle_, name.c_str()); }

private:
    void* handle_;
    std::string copy_;
};

bool still_mapped(const std::string& path) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) return false;
    dlclose(handle);
    return true;
}

std::string private_copy(const std::string& path, std::string* error) {
    static std::atomic<int> serial{0};
    std::error_code code;
    auto folder = std::filesystem::temp_directory_path(code);
    if (code) folder = "/tmp";
    const auto name = "xlhost-" + std::to_string(getpid()) + "-" + std::to_string(++serial) + "-" +
                      std::filesystem::path(path).filename().string();
    const auto copy = (folder / name).string();
    std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing, code);
    if (code) {
        if (error) *error = "cannot copy " + path + " for a fresh load: " + code.message();
        return "";
    }
    return copy;
}

}  // namespace

std::unique_ptr<Module> load_module(const std::string& path, std::string* error) {
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        if (error) *error = "no add-in file at " + path;
        return nullptr;
    }
    std::string file = absolute_path(path);
    std::string copy;
    if (still_mapped(file)) {
        copy = private_copy(file, error);
        if (copy.empty()) return nullptr;
        file = copy;
    }
    dlerror();
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        if (error) *error = std::string("cannot load ") + path + ": " + (reason ? reason : "unknown reason");
        if (!copy.empty()) std::filesystem::remove(copy, code);
        return nullptr;
    }
    return std::make_unique<SharedLibrary>(handle, copy);
}

bool same_file(const std::string& a, const std::string& b) {
    if (a == b) return true;
    std::error_code code;
    const bool same = std::filesystem::equivalent(a, b, code);
    return !code && same;
}

std::string absolute_path(const std::string& path) {
    std::error_code code;
    auto absolute = std::filesystem::absolute(path, code);
    if (code) return path;
    return absolute.lexically_normal().string();
}

}  // namespace xlhost::os
