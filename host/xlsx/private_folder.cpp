#include "xlsx/private_folder.h"

#include <random>
#include <system_error>

namespace xlhost::xlsx {

PrivateFolder::PrivateFolder() {
    std::error_code code;
    const auto base = std::filesystem::temp_directory_path(code);
    if (code) {
        problem_ = "no temporary folder: " + code.message();
        return;
    }
    std::random_device seed;
    std::mt19937_64 random((static_cast<std::uint64_t>(seed()) << 32) ^ seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = base / ("xlhost-xlsx-" + std::to_string(random()));
        if (std::filesystem::create_directory(candidate, code)) {
            folder_ = candidate;
            return;
        }
        if (code) break;
    }
    problem_ = "cannot make a folder under " + base.string() + (code ? ": " + code.message() : "");
}

PrivateFolder::~PrivateFolder() {
    if (folder_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

bool PrivateFolder::made(std::string* error) const {
    if (!folder_.empty()) return true;
    if (error) *error = problem_;
    return false;
}

}  // namespace xlhost::xlsx
