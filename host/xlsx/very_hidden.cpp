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

bool mark_very_hidden(std::string* package, const std::vector<std::string>& names, std::string* error) {
    if (names.empty()) return true;
    std::vector<ZipEntry> entries;
    if (!read_zip(*package, &entries, error)) return false;
    ZipEntry* workbook = nullptr;
    for (auto& entry : entries)
        if (entry.name == "xl/workbook.xml") workbook = &entry;
    if (workbook == nullptr) {
        if (error) *error = "the workbook has no xl/workbook.xml";
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
    return write_zip(entries, package, error);
}

}  // namespace xlhost::xlsx
