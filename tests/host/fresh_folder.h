// A folder of its own for one test, under the system's temporary folder with a random name,
// removed with everything in it when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

class FreshFolder {
public:
    FreshFolder() {
        std::random_device seed;
        std::mt19937_64 random(static_cast<std::mt19937_64::result_type>(seed()) << 32 ^ seed());
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto candidate = base / ("xlhost-test-" + std::to_string(random()));
            std::error_code code;
            if (std::filesystem::create_directory(candidate, code)) {
                folder_ = candidate;
                return;
            }
        }
        throw std::runtime_error("cannot make a fresh folder under " + base.string());
    }
    ~FreshFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    FreshFolder(const FreshFolder&) = delete;
    FreshFolder& operator=(const FreshFolder&) = delete;

    std::string path() const { return folder_.string(); }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    // Writes the bytes as they are into a file of the folder and answers its path.
    std::string file(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return path(name);
    }

private:
    std::filesystem::path folder_;
};
