// The stand-in registry must answer like RegQueryValueExA, since the add-in's reading of its
// settings depends on the size rules of that call.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/control/platform_control.h"
#include "support/scratch_folder.h"

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override { sim::reset(); }
    void TearDown() override { EXPECT_EQ(sim::registry_open_handles(), 0); }
};

TEST_F(Registry, MissingKeyAndMissingValue) {
    plat::RegKey key = nullptr;
    EXPECT_EQ(plat::reg_open_query("Software\\Varentis", &key), plat::reg_not_found);
    sim::registry_create_key("Software\\Varentis");
    ASSERT_EQ(plat::reg_open_query("software\\VARENTIS", &key), plat::reg_ok);
    char buffer[8] = "x";
    uint32_t size = sizeof buffer;
    EXPECT_EQ(plat::reg_query_value(key, "PATH", nullptr, buffer, &size), plat::reg_not_found);
    EXPECT_EQ(plat::reg_close(key), plat::reg_ok);
}

TEST_F(Registry, RawBytesAndSizeRules) {
    sim::registry_set_text("Software\\Varentis", "VERSAO", "1.2.3");
    sim::registry_set("Software\\Varentis", "BIN", {plat::reg_binary, {'a', 'b', 'c'}});
    plat::RegKey key = nullptr;
    ASSERT_EQ(plat::reg_open_query("Software\\Varentis", &key), plat::reg_ok);

    char buffer[6];
    uint32_t type = 0, size = sizeof buffer;
    ASSERT_EQ(plat::reg_query_value(key, "versao", &type, buffer, &size), plat::reg_ok);
    EXPECT_EQ(type, plat::reg_sz);
    EXPECT_EQ(size, 6u);
    EXPECT_STREQ(buffer, "1.2.3");

    size = 5;  // one byte short of the terminator
    EXPECT_EQ(plat::reg_query_value(key, "VERSAO", nullptr, buffer, &size), plat::reg_more_data);
    EXPECT_EQ(size, 6u);

    size = sizeof buffer;
    std::memset(buffer, 'z', sizeof buffer);
    ASSERT_EQ(plat::reg_query_value(key, "BIN", &type, buffer, &size), plat::reg_ok);
    EXPECT_EQ(type, plat::reg_binary);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(std::string(buffer, 4), "abcz");  // raw bytes: no terminator added
    plat::reg_close(key);
}

TEST_F(Registry, WritesNeedSetAccessAndSurviveInTheFile) {
    vx_test::ScratchFolder scratch;
    ASSERT_TRUE(scratch.ready());
    const std::string file = scratch.file("registry.txt");
    ASSERT_TRUE(sim::registry_use_file(file));

    plat::RegKey key = nullptr;
    sim::registry_create_key("Software\\Varentis");
    ASSERT_EQ(plat::reg_open_query("Software\\Varentis", &key), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(key, "IDIOMA", "1"), plat::reg_access_denied);
    plat::reg_close(key);

    ASSERT_EQ(plat::reg_create_for_set("Software\\Varentis", &key), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(key, "IDIOMA", "1"), plat::reg_ok);
    plat::reg_close(key);

    ASSERT_TRUE(sim::registry_use_file(""));
    EXPECT_FALSE(sim::registry_get("Software\\Varentis", "IDIOMA"));
    ASSERT_TRUE(sim::registry_use_file(file));
    auto stored = sim::registry_get("Software\\Varentis", "IDIOMA");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->bytes, (std::vector<uint8_t>{'1', 0}));
    sim::registry_use_file("");
}

TEST_F(Registry, DeniedWritesCreateNothing) {
    sim::registry_deny_writes(true);
    plat::RegKey key = nullptr;
    EXPECT_EQ(plat::reg_create_for_set("Software\\Varentis", &key), plat::reg_access_denied);
    EXPECT_FALSE(sim::registry_key_exists("Software\\Varentis"));
}

}  // namespace
