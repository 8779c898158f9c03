// Reading and writing a zip archive in full (the container of an .xlsx file), with zlib: what
// the export needs to change one part of the package libxlsxwriter wrote.
#pragma once

#include <string>
#include <vector>

namespace xlhost::xlsx {

struct ZipEntry {
    std::string name;
    std::string data;  // uncompressed
};

// Every entry of the archive, uncompressed and checked against its CRC; false with a reason.
bool read_zip(const std::string& archive, std::vector<ZipEntry>* entries, std::string* error);
// An archive of the entries in their order, each deflated.
bool write_zip(const std::vector<ZipEntry>& entries, std::string* archive, std::string* error);

}  // namespace xlhost::xlsx
