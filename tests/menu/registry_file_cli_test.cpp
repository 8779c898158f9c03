// The stand-in registry's file as the command line meets it: a file that cannot be read or
// written stops xlhost with one line and status 2 before anything runs, and a language that
// could not be stored is told, never lost silently. The real registry of Windows has no file:
// this is the Linux host's alone.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "menu_fixture.h"
#include "support/scratch_folder.h"

namespace menu_test {
namespace {

namespace fs = std::filesystem;

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class RegistryFileCli : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::reset();
        ASSERT_TRUE(scratch.ready());
    }
    void TearDown() override { plat_control::registry_use_file(""); }
    int run(std::vector<std::string> arguments) {
        out.clear();
        err.clear();
        return xlhost::run_command_line(arguments, out, err);
    }
    vx_test::ScratchFolder scratch;
    std::string out, err;
};

TEST_F(RegistryFileCli, AGarbledFileIsRefusedWithItsLineAndLeftAsItWas) {
    const std::string file = scratch.file("registry.txt");
    const std::string text = "Software\\Varentis\tPATH\t1\t2f00\nSoftware\\Varentis\tIDIOMA\t2e00\t3100\n";
    std::ofstream(file, std::ios::binary) << text;
    EXPECT_EQ(run({"--registry", file, "--lang", "pt", "menu"}), 2);
    EXPECT_EQ(err, "xlhost: the registry file " + file +
                       ", line 2: the type 2e00 is not a decimal number from 0 to 4294967295\n");
    EXPECT_EQ(out, "");
    EXPECT_EQ(read(file), text);
}

TEST_F(RegistryFileCli, AFolderOrAMissingFolderIsRefusedAndNothingIsMade) {
    EXPECT_EQ(run({"--registry", scratch.path(), "--lang", "pt", "menu"}), 2);
    EXPECT_EQ(err, "xlhost: the registry file " + scratch.path() + " is a folder\n");
    const std::string missing = scratch.file("missing");
    const std::string in_missing = (fs::path(missing) / "registry.txt").string();
    EXPECT_EQ(run({"--registry", in_missing, "menu"}), 2);
    EXPECT_EQ(err, "xlhost: no folder " + missing + " for the registry file " + in_missing + "\n");
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_EQ(out, "");
}

// A link to a file in a folder that is gone passes every check before the run; the language
// the user picks is then stored in memory only, and xlhost says so.
TEST_F(RegistryFileCli, ALanguageThatCouldNotBeStoredIsToldWithStatusTwo) {
    const std::string file = scratch.file("registry.txt");
    fs::create_symlink(scratch.file("gone/registry.txt"), file);
    const std::string lost = "xlhost: cannot write the registry file " + file + ": No such file or directory\n";
    EXPECT_EQ(run({"--registry", file, "pick", "Varentis", "Idiom", "Portuguese (Brazil)"}), 2);
    EXPECT_EQ(out, "[information]\nPlease, restart Microsoft Excel to enjoy all changes.\n");
    EXPECT_EQ(err, lost);
    EXPECT_EQ(run({"--registry", file, "--lang", "pt", "menu"}), 2);
    EXPECT_EQ(err, lost);
    EXPECT_EQ(out, "");  // told before the add-in runs
}

// Without --registry the file is the user's own, in a folder made when missing.
TEST_F(RegistryFileCli, TheDefaultFileIsMadeInTheUsersConfigurationFolder) {
    const std::string config = scratch.file("config");
    ASSERT_EQ(::setenv("XDG_CONFIG_HOME", config.c_str(), 1), 0);
    EXPECT_EQ(run({"--lang", "pt", "menu"}), 0) << err;
    EXPECT_NE(read((fs::path(config) / "varentis" / "registry.txt").string()).find("\tIDIOMA\t1\t3100\n"),
              std::string::npos);
}

}  // namespace
}  // namespace menu_test
