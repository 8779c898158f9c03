// Reading and writing the stand-in registry's file. Reading is strict: the file is the user's
// to edit, and a value taken wrongly (a type of 4294967295 for "-1") would mislead the add-in,
// so a line that is not exactly what the writer writes refuses the file, with its number.
#include "platform/sim/registry_file.h"

#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace sim::detail {
namespace {

const char hex_digits[] = "0123456789abcdef";

std::string hex(const std::vector<uint8_t>& bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        out += hex_digits[b >> 4];
        out += hex_digits[b & 0x0F];
    }
    return out;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool unhex(const std::string& text, std::vector<uint8_t>& bytes) {
    if (text.size() % 2 != 0) return false;
    bytes.clear();
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = hex_digit(text[i]), low = hex_digit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return true;
}

// Only plain decimal digits of a value a registry type (a DWORD) can hold: no sign, no
// blanks, no exponent.
bool decimal_type(const std::string& text, uint32_t& type) {
    if (text.empty()) return false;
    const char* end = text.data() + text.size();
    const auto [stop, code] = std::from_chars(text.data(), end, type);
    return code == std::errc() && stop == end;
}

// The fields of a line between its tabs, empty ones included (a value of no bytes ends with a
// tab and an empty hex field).
std::vector<std::string> fields_of(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool parse_line(const std::string& line, RegistryKeys& keys, std::string* problem) {
    const std::vector<std::string> fields = fields_of(line);
    if (fields.size() == 1) {
        keys[fields[0]];
        return true;
    }
    if (fields.size() != 4) {
        *problem = "expected a key alone, or a key, a name, a type and the bytes, separated by tabs";
        return false;
    }
    RegValue value;
    if (!decimal_type(fields[2], value.type)) {
        *problem = "the type " + fields[2] + " is not a decimal number from 0 to 4294967295";
        return false;
    }
    if (!unhex(fields[3], value.bytes)) {
        *problem = "the bytes are not pairs of hexadecimal digits";
        return false;
    }
    keys[fields[0]][fields[1]] = value;
    return true;
}

std::string reason(int error_number) { return std::generic_category().message(error_number); }

}  // namespace

std::string format_registry(const RegistryKeys& keys) {
    std::string out;
    for (const auto& [key, values] : keys) {
        if (values.empty()) out += key + "\n";
        for (const auto& [name, value] : values)
            out += key + '\t' + name + '\t' + std::to_string(value.type) + '\t' + hex(value.bytes) + "\n";
    }
    return out;
}

bool parse_registry(const std::string& text, RegistryKeys& keys, std::string* error) {
    keys.clear();
    size_t start = 0;
    for (int number = 1; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        std::string problem;
        if (!line.empty() && !parse_line(line, keys, &problem)) {
            keys.clear();
            if (error) *error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
    }
    return true;
}

bool read_registry_file(const std::string& path, RegistryKeys& keys, std::string* error) {
    namespace fs = std::filesystem;
    keys.clear();
    const auto fail = [&](const std::string& text) {
        if (error) *error = text;
        return false;
    };
    std::error_code code;
    const fs::file_status status = fs::status(path, code);
    if (status.type() == fs::file_type::not_found) {
        // No file yet: an empty registry, written at the first change into a folder that must exist.
        fs::path folder = fs::path(path).parent_path();
        if (folder.empty()) folder = ".";
        if (!fs::is_directory(folder, code)) return fail("no folder " + folder.string() + " for the registry file " + path);
        return true;
    }
    if (code) return fail("cannot read the registry file " + path + ": " + code.message());
    if (status.type() == fs::file_type::directory) return fail("the registry file " + path + " is a folder");
    if (status.type() != fs::file_type::regular) return fail("the registry file " + path + " is not a regular file");

    std::ifstream in(path, std::ios::binary);
    if (!in) return fail("cannot read the registry file " + path + ": " + reason(errno));
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return fail("cannot read the registry file " + path + ": " + reason(errno));
    // Every change is saved at once: a file that cannot be written is refused now, before any
    // change is made that would then be lost.
    if (!std::ofstream(path, std::ios::binary | std::ios::app))
        return fail("cannot write the registry file " + path + ": " + reason(errno));
    std::string problem;
    if (!parse_registry(text, keys, &problem)) return fail("the registry file " + path + ", " + problem);
    return true;
}

bool write_registry_file(const std::string& path, const RegistryKeys& keys, std::string* error) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) out << format_registry(keys);
    if (out) out.flush();
    if (out) return true;
    if (error) *error = "cannot write the registry file " + path + ": " + reason(errno);
    return false;
}

}  // namespace sim::detail
