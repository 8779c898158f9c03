// The stand-in registry's file (--registry) on any bytes, and the add-in's settings read from
// what it loaded. Invariants: no crash, no undefined behaviour; a file either loads or is
// refused; the add-in's language is the one PATH and IDIOMA choose and its version text ends
// inside its buffer; no key is left open; a refusal says why; a file the registry wrote back is
// one it loads again.
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "ambiente/configuracao.h"
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

// The first byte of a setting as the settings buffer receives it, NUL for a missing value, an
// empty one, or one larger than the buffer (which reads as empty).
char first_byte(const char* name) {
    const auto value = plat_control::registry_get(ambiente::settings_key, name);
    if (!value || value->bytes.empty() || value->bytes.size() > ambiente::setting_buffer_size) return '\0';
    return static_cast<char>(value->bytes[0]);
}

// The language rule, from the registry's own bytes: Portuguese when PATH is not empty and IDIOMA
// starts with "1", English otherwise.
ambiente::Idioma language_of_the_registry() {
    return first_byte("PATH") != '\0' && first_byte("IDIOMA") == '1' ? ambiente::Idioma::portugues
                                                                   : ambiente::Idioma::ingles;
}

void check_settings(const std::string& during) {
    ambiente::read_settings();
    if (ambiente::idioma != language_of_the_registry())
        fuzz::violation(during + ": the language read is not the one the registry chooses");
    if (std::memchr(ambiente::versao_text, '\0', sizeof ambiente::versao_text) == nullptr)
        fuzz::violation(during + ": the version text has no end");
    if (plat_control::registry_open_handles() != 0) fuzz::violation(during + ": a registry key was left open");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    {
        std::ofstream file(registry_file(), std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    std::string why;
    if (!plat_control::registry_use_file(registry_file(), &why)) {
        if (why.empty()) fuzz::violation("a registry file refused without a reason");
    } else {
        check_settings("reading the settings");
        // Any change writes the whole registry back; what was written must load again, and
        // give the add-in the same settings.
        const ambiente::Idioma idioma = ambiente::idioma;
        const std::string versao = ambiente::versao_text;
        plat_control::registry_create_key("Software\\Varentis\\Fuzz");
        if (!plat_control::registry_file_error().empty()) fuzz::violation("writing back failed: " + plat_control::registry_file_error());
        if (!plat_control::registry_use_file(registry_file(), &why)) fuzz::violation("the registry's own file does not load: " + why);
        check_settings("reading the settings written back");
        if (ambiente::idioma != idioma || versao != ambiente::versao_text)
            fuzz::violation("the settings changed when the registry was written back");
    }
    plat_control::registry_use_file("");
    return 0;
}
