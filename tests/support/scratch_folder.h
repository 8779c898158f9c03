// A fresh folder of one test's own, removed with everything in it when the test ends. Tests run
// in parallel, each in its own process: a fixed file name in a shared folder would let one test
// remove or overwrite the file another is using. The name is random and the folder is made only
// if it did not exist, so no two tests (and no user's file) ever share it. Portable C++ only:
// the same sources run natively and, cross-built, under Wine.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace vx_test {

class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code code;
        const std::filesystem::path base = std::filesystem::temp_directory_path(code);
        if (code) return;
        std::random_device entropy;
        std::mt19937_64 pick((static_cast<uint64_t>(entropy()) << 32) ^ entropy() ^
                             static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto candidate = base / ("vx-test-" + std::to_string(pick()));
            if (std::filesystem::create_directory(candidate, code) && !code) {
                folder_ = candidate;
                return;
            }
        }
    }
    ~ScratchFolder() {
        std::error_code code;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, code);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // False when no folder could be made: a test should ASSERT_TRUE(ready()) before using it.
    bool ready() const { return !folder_.empty(); }
    std::string path() const { return folder_.string(); }
    // The full path of NAME inside the folder (which need not exist yet).
    std::string file(const std::string& name) const { return (folder_ / name).string(); }
    // Writes the bytes as they are into NAME inside the folder and answers its full path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return file(name);
    }

private:
    std::filesystem::path folder_;
};

}  // namespace vx_test
