// What a user sees of the add-in: the function wizard and the Add-In Manager's line.
#include <algorithm>
#include <filesystem>

#include "engine/host_impl.h"

namespace xlhost {

namespace {
std::vector<std::string> argument_names(const std::string& text) {
    std::vector<std::string> names;
    if (text.empty()) return names;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        std::string name = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const size_t first = name.find_first_not_of(' ');
        const size_t last = name.find_last_not_of(' ');
        names.push_back(first == std::string::npos ? "" : name.substr(first, last - first + 1));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return names;
}

std::string upper(std::string text) {
    for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}
}  // namespace

// Categories in alphabetical order, and in each the functions in alphabetical order, as the
// wizard lists them. Hidden functions (macro type 0), commands and deleted names are not shown.
std::string Host::function_wizard() const {
    std::vector<const Registration*> shown;
    for (const auto& entry : registrations())
        if (entry.macro_type == 1 && entry.name_defined && !entry.function_text.empty()) shown.push_back(&entry);
    std::stable_sort(shown.begin(), shown.end(), [](const Registration* a, const Registration* b) {
        const auto ca = upper(a->category), cb = upper(b->category);
        if (ca != cb) return ca < cb;
        return upper(a->function_text) < upper(b->function_text);
    });
    std::string out;
    std::string category;
    bool first = true;
    for (const Registration* entry : shown) {
        if (first || upper(entry->category) != upper(category)) {
            if (!first) out += "\n";
            category = entry->category;
            out += "Category: " + category + "\n";
            first = false;
        }
        const auto names = argument_names(entry->argument_text);
        out += "\n  " + entry->function_text + "(";
        for (size_t i = 0; i < names.size(); ++i) out += (i ? ", " : "") + names[i];
        out += ")\n";
        if (!entry->function_help.empty()) out += "    " + entry->function_help + "\n";
        for (size_t i = 0; i < names.size(); ++i) {
            const std::string help = i < entry->argument_help.size() ? entry->argument_help[i] : "";
            out += "    " + names[i] + (help.empty() ? "" : ": " + help) + "\n";
        }
    }
    return utf8(out);
}

// The manager lists an add-in by the long name its xlAddInManagerInfo gives, or else by its
// file name.
std::string Host::addin_manager_line() {
    if (!loaded()) return "";
    const Value name = addin_manager_info(Value::num(1));
    if (name.kind == Value::Kind::text) return utf8(name.text);
    return utf8(std::filesystem::path(addin_path()).stem().string());
}

}  // namespace xlhost
