// A fresh directory of one test's own under the system's temporary folder, removed with what
// it holds when the test ends: tests run in parallel, and in other checkouts at the same time.
#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace workbooks_test {

class ScratchDirectory {
public:
    ScratchDirectory() {
        std::random_device random;
        const auto temp = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate = temp / ("vx_workbooks_" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
        }
    }
    ~ScratchDirectory() {
        std::error_code error;
        if (!path_.empty()) std::filesystem::remove_all(path_, error);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    bool made() const { return !path_.empty(); }
    // A file name inside the directory.
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace workbooks_test
