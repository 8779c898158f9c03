// The export and import tables of a 32-bit Windows DLL, read from its file.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace win32_test {

struct PeTables {
    std::vector<std::string> exports;                           // exported names
    std::map<std::string, std::vector<std::string>> imports;  // DLL name -> imported names
};

// False (with a reason) when the file is not a readable 32-bit PE image.
bool read_pe_tables(const std::string& path, PeTables* tables, std::string* error);

}  // namespace win32_test
