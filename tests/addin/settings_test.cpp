// The language is read once at load from the settings key: only a non-empty PATH lets the add-in
// read IDIOMA at all, only its first character counts, and any value is read as raw bytes into a
// 500-byte buffer whatever its registry type. PATH and IDIOMA are decided by their first byte
// however long they are; only a value too large for the buffer reads as empty.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "addin_fixture.h"
#include "expected_catalogue.h"

namespace addin_test {
namespace {

enum class Language { pt, en };

struct SettingsCase {
    const char* name;
    std::function<void()> setup;
    Language expected;
};

plat_control::RegValue value_of(uint32_t type, const std::string& bytes) {
    return {type, std::vector<uint8_t>(bytes.begin(), bytes.end())};
}
// A text value of exactly `size` bytes: `first`, filler, and a terminating NUL.
plat_control::RegValue sized_text(char first, size_t size) {
    std::string bytes = std::string(1, first) + std::string(size - 2, 'x');
    bytes.push_back('\0');
    return value_of(plat::reg_sz, bytes);
}
void path_and(const plat_control::RegValue& idioma) {
    plat_control::registry_set_text(settings_key, "PATH", "C:\\Varentis");
    plat_control::registry_set(settings_key, "IDIOMA", idioma);
}
void idioma_text(const std::string& text) {
    plat_control::registry_set_text(settings_key, "PATH", "C:\\Varentis");
    plat_control::registry_set_text(settings_key, "IDIOMA", text);
}

void PrintTo(const SettingsCase& setting, std::ostream* out) { *out << setting.name; }

const SettingsCase cases[] = {
    {"NoSettingsKey", [] {}, Language::en},
    {"KeyWithoutValues", [] { plat_control::registry_create_key(settings_key); }, Language::en},
    {"PortugueseInstallation", [] { idioma_text("1"); }, Language::pt},
    {"EnglishInstallation", [] { idioma_text("2"); }, Language::en},
    {"IdiomaZero", [] { idioma_text("0"); }, Language::en},
    {"IdiomaEmpty", [] { idioma_text(""); }, Language::en},
    {"IdiomaMissing", [] { plat_control::registry_set_text(settings_key, "PATH", "C:\\Varentis"); }, Language::en},
    {"OnlyTheFirstCharacterCounts", [] { idioma_text("1x"); }, Language::pt},
    {"LeadingBlankIsNotOne", [] { idioma_text(" 1"); }, Language::en},
    {"PathEmpty",
     [] {
         plat_control::registry_set_text(settings_key, "PATH", "");
         plat_control::registry_set_text(settings_key, "IDIOMA", "1");
     },
     Language::en},
    {"PathMissing", [] { plat_control::registry_set_text(settings_key, "IDIOMA", "1"); }, Language::en},
    {"PathAsDwordZeroReadsEmpty",
     [] {
         plat_control::registry_set(settings_key, "PATH", value_of(plat::reg_dword, std::string(4, '\0')));
         plat_control::registry_set_text(settings_key, "IDIOMA", "1");
     },
     Language::en},
    // Values as raw bytes, with and without a terminator, around the buffer's 500 bytes.
    {"IdiomaBinaryWithoutTerminator", [] { path_and(value_of(plat::reg_binary, "1")); }, Language::pt},
    {"IdiomaBinaryOf499Bytes", [] { path_and(value_of(plat::reg_binary, std::string(499, '1'))); },
     Language::pt},
    {"IdiomaBinaryOf500BytesIsDecidedByItsFirstByte",
     [] { path_and(value_of(plat::reg_binary, std::string(500, '1'))); }, Language::pt},
    {"IdiomaBinaryOf500BytesStartingWithTwo",
     [] { path_and(value_of(plat::reg_binary, "2" + std::string(499, '1'))); }, Language::en},
    {"IdiomaBinaryOf501BytesDoesNotFit",
     [] { path_and(value_of(plat::reg_binary, std::string(501, '1'))); }, Language::en},
    {"IdiomaTextOf499Bytes", [] { path_and(sized_text('1', 499)); }, Language::pt},
    {"IdiomaTextOf500BytesWithItsTerminator", [] { path_and(sized_text('1', 500)); }, Language::pt},
    {"IdiomaTextOf501BytesDoesNotFit", [] { path_and(sized_text('1', 501)); }, Language::en},
    {"IdiomaTextOf500BytesWithoutTerminator",
     [] { path_and(value_of(plat::reg_sz, std::string(500, '1'))); }, Language::pt},
    {"PathOf500BytesWithoutTerminatorIsNotEmpty",
     [] {
         plat_control::registry_set(settings_key, "PATH", value_of(plat::reg_binary, std::string(500, 'C')));
         plat_control::registry_set_text(settings_key, "IDIOMA", "1");
     },
     Language::pt},
    {"PathOf501BytesReadsEmpty",
     [] {
         plat_control::registry_set(settings_key, "PATH", sized_text('C', 501));
         plat_control::registry_set_text(settings_key, "IDIOMA", "1");
     },
     Language::en},
    {"PathOf500BytesWithItsTerminator",
     [] {
         plat_control::registry_set(settings_key, "PATH", sized_text('C', 500));
         plat_control::registry_set_text(settings_key, "IDIOMA", "1");
     },
     Language::pt},
    // A version text that cannot be terminated does not disturb the rest (and is never read
    // past its buffer: the sanitizer build would stop here).
    {"VersionWithoutTerminator",
     [] {
         idioma_text("1");
         plat_control::registry_set(settings_key, "VERSAO", value_of(plat::reg_binary, std::string(500, '9')));
     },
     Language::pt},
    {"VersionTooLong",
     [] {
         idioma_text("1");
         plat_control::registry_set(settings_key, "VERSAO", sized_text('9', 501));
     },
     Language::pt},
};

class Settings : public AddinTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(Settings, ChooseTheLanguageOfEveryRegistration) {
    GetParam().setup();
    load_and_open();
    const auto registers = catalogue_registers();
    ASSERT_EQ(registers.size(), expected_registrations());
    ASSERT_GE(registers[0].arguments.size(), 5u);
    const std::string expected = GetParam().expected == Language::pt
                                     ? cp("Dias Úteis, Curva de Juros, Anos Flat")
                                     : "Workdays, Yield Curve, Years Flat";
    EXPECT_EQ(registers[0].arguments[4], expected);
}

INSTANTIATE_TEST_SUITE_P(Registry, Settings, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AddinTest, LanguageIsFixedUntilTheNextLoad) {
    install("2");
    load_and_open();
    plat_control::registry_set_text(settings_key, "IDIOMA", "1");
    host.clear_calls();
    ASSERT_EQ(host.auto_open(), 1);
    EXPECT_EQ(catalogue_registers().at(0).arguments.at(4), "Workdays, Yield Curve, Years Flat");
    ASSERT_EQ(host.auto_close(), 1);
    host.unload();

    host.clear_calls();
    load_and_open();
    EXPECT_EQ(catalogue_registers().at(0).arguments.at(4), cp("Dias Úteis, Curva de Juros, Anos Flat"));
}

}  // namespace
}  // namespace addin_test
