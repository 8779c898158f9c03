// The settings file shipped beside the add-in, imported as a user imports it (regedit), sets up
// the key the add-in reads at load: the add-in then starts in Portuguese with its version.
#include "addin/addin_fixture.h"
#include "platform/win32/win32.h"

namespace addin_test {
namespace {

bool import_with_regedit(const std::string& file) {
    std::string command = "regedit.exe /S \"" + file + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    const bool finished = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return finished;
}

std::string text_of(const std::optional<plat_control::RegValue>& value) {
    if (!value) return "<missing>";
    return std::string(value->bytes.begin(), value->bytes.end());
}

class ShippedSettings : public AddinTest {};

TEST_F(ShippedSettings, TheRegFileMakesThePortugueseInstallation) {
    ASSERT_TRUE(import_with_regedit(VX_SHIPPED_REG_FILE));
    EXPECT_EQ(text_of(plat_control::registry_get(settings_key, "PATH")), std::string("C:\\Program Files\\Varentis", 26));
    EXPECT_EQ(text_of(plat_control::registry_get(settings_key, "VERSAO")), std::string("1.0", 4));
    EXPECT_EQ(text_of(plat_control::registry_get(settings_key, "IDIOMA")), std::string("1", 2));

    load_and_open();
    const auto registrations = catalogue_registers();
    ASSERT_FALSE(registrations.empty());
    EXPECT_EQ(registrations[0].arguments[4], cp("Dias Úteis, Curva de Juros, Anos Flat"));
}

}  // namespace
}  // namespace addin_test
