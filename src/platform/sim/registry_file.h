// The stand-in registry's file: one line per value (key, name, type and the bytes in hex,
// separated by tabs), a key without values as a line with the key alone.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <string>

#include "platform/control/platform_control.h"

namespace sim::detail {

using plat_control::RegValue;

// Key and value names compare without regard to case, as Windows compares them.
struct NoCase {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    }
};
using RegistryValues = std::map<std::string, RegValue, NoCase>;
using RegistryKeys = std::map<std::string, RegistryValues, NoCase>;

// The file's text for these keys.
std::string format_registry(const RegistryKeys& keys);
// Reads TEXT into KEYS (which it clears first). Any malformed line refuses the whole text:
// false, KEYS empty, and "line N: what is wrong" in *error.
bool parse_registry(const std::string& text, RegistryKeys& keys, std::string* error);

// The file at PATH into KEYS; a missing file is an empty registry. Refused, with the reason in
// *error: a path that is not a regular file, a file that cannot be read or opened for
// writing, a folder that does not exist, a malformed line.
bool read_registry_file(const std::string& path, RegistryKeys& keys, std::string* error);
// KEYS into the file at PATH; false with the reason in *error when it could not be written.
bool write_registry_file(const std::string& path, const RegistryKeys& keys, std::string* error);

}  // namespace sim::detail
