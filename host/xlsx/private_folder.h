// A folder of its own under the system's temporary folder, with a random name, removed with
// everything in it when the object goes: where the export lets libxlsxwriter write, so that
// the library never meets a file it cannot create and the user's file is written only once
// the workbook is complete.
#pragma once

#include <filesystem>
#include <string>

namespace xlhost::xlsx {

class PrivateFolder {
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // False (with a reason) when no folder could be made.
    bool made(std::string* error) const;
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    std::string path() const { return folder_.string(); }

private:
    std::filesystem::path folder_;
    std::string problem_;
};

}  // namespace xlhost::xlsx
