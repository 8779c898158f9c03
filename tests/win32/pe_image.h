// The export and import tables of a Windows DLL (32-bit PE or 64-bit PE32+), read from its file.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace win32_test {

struct PeTables {
    unsigned machine = 0;       // IMAGE_FILE_MACHINE_I386 or IMAGE_FILE_MACHINE_AMD64
    bool plus = false;          // PE32+, the 64-bit format
    bool dll = false;           // IMAGE_FILE_DLL
    std::vector<std::string> exports;                           // exported names
    std::map<std::string, std::vector<std::string>> imports;  // DLL name -> imported names
};

// False (with a reason) when the file is not a readable PE or PE32+ image.
bool read_pe_tables(const std::string& path, PeTables* tables, std::string* error);

}  // namespace win32_test
