#include <fstream>
#include <sstream>

#include "xlsx/xlsx_export.h"
#include "xlsx/zip_archive.h"

namespace xlhost::xlsx {

namespace {

std::string xml_escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

}  // namespace

bool mark_very_hidden(const std::string& path, const std::vector<std::string>& names, std::string* error) {
    if (names.empty()) return true;
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    if (!in) {
        if (error) *error = "cannot read " + path;
        return false;
    }
    std::vector<ZipEntry> entries;
    if (!read_zip(bytes.str(), &entries, error)) return false;
    ZipEntry* workbook = nullptr;
    for (auto& entry : entries)
        if (entry.name == "xl/workbook.xml") workbook = &entry;
    if (workbook == nullptr) {
        if (error) *error = path + " has no xl/workbook.xml";
        return false;
    }
    for (const auto& name : names) {
        const std::string start = "<sheet name=\"" + xml_escaped(name) + "\"";
        const auto at = workbook->data.find(start);
        const auto end = at == std::string::npos ? at : workbook->data.find("/>", at);
        const auto state = at == std::string::npos ? at : workbook->data.find(" state=\"hidden\"", at);
        if (at == std::string::npos || state == std::string::npos || state > end) {
            if (error) *error = "xl/workbook.xml does not list the hidden sheet " + name;
            return false;
        }
        workbook->data.replace(state, 15, " state=\"veryHidden\"");
    }
    std::string archive;
    if (!write_zip(entries, &archive, error)) return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(archive.data(), static_cast<std::streamsize>(archive.size()));
    if (!out) {
        if (error) *error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace xlhost::xlsx
