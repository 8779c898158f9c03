// The stand-in registry's file (--registry) on any bytes, and the add-in's settings read from
// what it loaded. Invariants: no crash, no undefined behaviour; a file either loads or is
// refused; the add-in's language is 1 or 2 and its version text ends inside its buffer; no key
// is left open; a file the registry wrote back is one it loads again.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "addin/settings.h"
#include "fuzz_support.h"

namespace {

// One file for the whole run, in a folder of its own.
const std::string& registry_file() {
    static const std::string path = [] {
        std::string folder = (std::filesystem::temp_directory_path() / "vx-registry-fuzz-XXXXXX").string();
        if (mkdtemp(folder.data()) == nullptr) fuzz::violation("no temporary folder");
        static const std::string removed_at_exit = folder;
        std::atexit([] { std::filesystem::remove_all(removed_at_exit); });
        return folder + "/registry.txt";
    }();
    return path;
}

// A type field that is not a plain decimal number of 32 bits throws out of the reader until the
// reader refuses such lines itself (a known fault, mended in the stand-in's registry); such
// inputs are set aside here.
bool type_field_the_reader_throws_on(const std::string& text) {
    std::stringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        std::string field;
        while (std::getline(split, field, '\t')) fields.push_back(field);
        if (fields.size() != 4) continue;
        const std::string& type = fields[2];
        if (type.empty() || type.size() > 9 || type.find_first_not_of("0123456789") != std::string::npos) return true;
    }
    return false;
}

void check_settings(const std::string& during) {
    addin::read_settings();
    if (addin::idioma != 1 && addin::idioma != 2)
        fuzz::violation(during + ": idioma is " + std::to_string(addin::idioma));
    if (std::memchr(addin::versao_text, '\0', sizeof addin::versao_text) == nullptr)
        fuzz::violation(during + ": the version text has no end");
    if (sim::registry_open_handles() != 0) fuzz::violation(during + ": a registry key was left open");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    if (type_field_the_reader_throws_on(text)) return -1;
    {
        std::ofstream file(registry_file(), std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    if (sim::registry_use_file(registry_file())) {
        check_settings("reading the settings");
        // Any change writes the whole registry back; what was written must load again, and
        // give the add-in the same settings.
        const int idioma = addin::idioma;
        const std::string versao = addin::versao_text;
        sim::registry_create_key("Software\\Varentis\\Fuzz");
        if (!sim::registry_use_file(registry_file())) fuzz::violation("the registry's own file does not load");
        check_settings("reading the settings written back");
        if (addin::idioma != idioma || versao != addin::versao_text)
            fuzz::violation("the settings changed when the registry was written back");
    }
    sim::registry_use_file("");
    return 0;
}
