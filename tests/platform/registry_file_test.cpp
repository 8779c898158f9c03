// The stand-in registry's file: what the writer writes reads back exactly, anything else refuses
// the whole file with the number of the bad line, and a save that fails is remembered.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/control/platform_control.h"
#include "platform/platform.h"
#include "support/scratch_folder.h"

namespace {

const char* const key = "Software\\Varentis";

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class RegistryFile : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::reset();
        ASSERT_TRUE(scratch.ready());
        path = scratch.file("registry.txt");
    }
    void TearDown() override { plat_control::registry_use_file(""); }
    void write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    // The error for a file of one good line and then `line`.
    std::string refusal(const std::string& line) {
        write(std::string(key) + "\tPATH\t1\t4300\n" + line + "\n");
        std::string error;
        EXPECT_FALSE(plat_control::registry_use_file(path, &error)) << line;
        return error;
    }
    vx_test::ScratchFolder scratch;
    std::string path;
};

TEST_F(RegistryFile, EveryKindOfValueReadsBackAsItWasSaved) {
    ASSERT_TRUE(plat_control::registry_use_file(path));
    plat_control::registry_set_text(key, "VERSAO", "1.2");
    plat_control::registry_set(key, "EMPTY", {plat::reg_binary, {}});  // saved as a line ending in a tab
    plat_control::registry_set(key, "HIGH", {4294967295u, {0x00, 0xAB, 0xFF}});
    plat_control::registry_create_key("Software\\Other");
    ASSERT_EQ(plat_control::registry_file_error(), "");
    ASSERT_TRUE(plat_control::registry_use_file(""));
    std::string error;
    ASSERT_TRUE(plat_control::registry_use_file(path, &error)) << error << "\n" << read(path);
    EXPECT_EQ(plat_control::registry_get(key, "VERSAO")->bytes, (std::vector<uint8_t>{'1', '.', '2', 0}));
    auto empty = plat_control::registry_get(key, "empty");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->type, plat::reg_binary);
    EXPECT_TRUE(empty->bytes.empty());
    auto high = plat_control::registry_get(key, "HIGH");
    ASSERT_TRUE(high);
    EXPECT_EQ(high->type, 4294967295u);
    EXPECT_EQ(high->bytes, (std::vector<uint8_t>{0x00, 0xAB, 0xFF}));
    EXPECT_TRUE(plat_control::registry_key_exists("Software\\Other"));
}

TEST_F(RegistryFile, HandWrittenLinesInEitherCaseOfHexAndWithBlankLinesAreRead) {
    write(std::string("\n") + key + "\tIDIOMA\t1\t3100\n\n" + key + "\tBIN\t3\tAbCd\nSoftware\\Empty");
    ASSERT_TRUE(plat_control::registry_use_file(path));
    EXPECT_EQ(plat_control::registry_get(key, "IDIOMA")->bytes, (std::vector<uint8_t>{'1', 0}));
    EXPECT_EQ(plat_control::registry_get(key, "BIN")->bytes, (std::vector<uint8_t>{0xAB, 0xCD}));
    EXPECT_TRUE(plat_control::registry_key_exists("Software\\Empty"));
}

TEST_F(RegistryFile, ATypeThatIsNotAPlainDecimalDwordRefusesTheFile) {
    for (const char* type : {"2e00", "99999999999999999999", "4294967296", "-1", "+1", " 1", "1 ", "0x1", "", "1.0"}) {
        EXPECT_EQ(refusal(std::string(key) + "\tIDIOMA\t" + type + "\t3100"),
                  "the registry file " + path + ", line 2: the type " + type +
                      " is not a decimal number from 0 to 4294967295");
        // Nothing of the file is taken, not even its good first line, and the file is not
        // the registry's: changes neither reach nor overwrite it.
        EXPECT_FALSE(plat_control::registry_get(key, "PATH")) << type;
        const std::string before = read(path);
        plat_control::registry_set_text(key, "IDIOMA", "2");
        EXPECT_EQ(read(path), before);
    }
}

TEST_F(RegistryFile, BytesThatAreNotHexPairsRefuseTheFile) {
    for (const char* bytes : {"310", "3g", "-1", " 1", "+1", "0x"}) {
        EXPECT_EQ(refusal(std::string(key) + "\tIDIOMA\t1\t" + bytes),
                  "the registry file " + path + ", line 2: the bytes are not pairs of hexadecimal digits")
            << bytes;
    }
}

TEST_F(RegistryFile, ALineOfTheWrongShapeRefusesTheFile) {
    for (const std::string& line : {std::string(key) + "\tIDIOMA", std::string(key) + "\tIDIOMA\t1",
                                   std::string(key) + "\tIDIOMA\t1\t31\textra"}) {
        EXPECT_EQ(refusal(line), "the registry file " + path +
                                     ", line 2: expected a key alone, or a key, a name, a type and the bytes, "
                                     "separated by tabs");
    }
}

TEST_F(RegistryFile, WhatCannotBeAFileIsRefusedBeforeAnythingIsRead) {
    std::string error;
    EXPECT_FALSE(plat_control::registry_use_file(scratch.path(), &error));
    EXPECT_EQ(error, "the registry file " + scratch.path() + " is a folder");
    EXPECT_FALSE(plat_control::registry_use_file("/dev/null", &error));
    EXPECT_EQ(error, "the registry file /dev/null is not a regular file");
    // Every change is saved at once, so a file that can be read but not written is refused too.
    EXPECT_FALSE(plat_control::registry_use_file("/proc/version", &error));
    EXPECT_EQ(error.rfind("cannot write the registry file /proc/version: ", 0), 0u) << error;
    const std::string missing = scratch.file("missing");
    const std::string in_missing = (std::filesystem::path(missing) / "registry.txt").string();
    EXPECT_FALSE(plat_control::registry_use_file(in_missing, &error));
    EXPECT_EQ(error, "no folder " + missing + " for the registry file " + in_missing);
    EXPECT_FALSE(std::filesystem::exists(missing));
    // A file not there yet is an empty registry, and is written at the first change.
    ASSERT_TRUE(plat_control::registry_use_file(path, &error)) << error;
    EXPECT_FALSE(std::filesystem::exists(path));
    plat_control::registry_set_text(key, "IDIOMA", "1");
    EXPECT_EQ(read(path), std::string(key) + "\tIDIOMA\t1\t3100\n");
}

TEST_F(RegistryFile, WhatTheAddInWritesSurvivesInTheFile) {
    ASSERT_TRUE(plat_control::registry_use_file(path));
    plat::RegKey handle = nullptr;
    ASSERT_EQ(plat::reg_create_for_set(key, &handle), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(handle, "IDIOMA", "1"), plat::reg_ok);
    plat::reg_close(handle);

    ASSERT_TRUE(plat_control::registry_use_file(""));
    EXPECT_FALSE(plat_control::registry_get(key, "IDIOMA"));
    ASSERT_TRUE(plat_control::registry_use_file(path));
    auto stored = plat_control::registry_get(key, "IDIOMA");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->bytes, (std::vector<uint8_t>{'1', 0}));
}

TEST_F(RegistryFile, ASaveThatFailsKeepsTheChangeInMemoryAndIsRememberedUntilOneSucceeds) {
    const std::string folder = scratch.file("sub");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    const std::string file = (std::filesystem::path(folder) / "registry.txt").string();
    ASSERT_TRUE(plat_control::registry_use_file(file));
    std::filesystem::remove_all(folder);
    plat_control::registry_set_text(key, "IDIOMA", "1");
    EXPECT_TRUE(plat_control::registry_get(key, "IDIOMA"));
    EXPECT_EQ(plat_control::registry_file_error(), "cannot write the registry file " + file + ": No such file or directory");
    // A later save writes the whole registry, the lost change with it.
    plat_control::registry_create_key("Software\\Other");
    EXPECT_NE(plat_control::registry_file_error(), "");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    plat_control::registry_set_text(key, "VERSAO", "1.0");
    EXPECT_EQ(plat_control::registry_file_error(), "");
    EXPECT_NE(read(file).find("\tIDIOMA\t"), std::string::npos);
}

}  // namespace
