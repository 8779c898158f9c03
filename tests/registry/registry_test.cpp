// The settings key as the add-in's platform layer sees it, on both platforms: the stand-in on
// Linux and the real (Wine) registry on Windows answer alike. The access each handle is opened
// with, and the size rules of RegQueryValueExA that the reading of the settings relies on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/control/platform_control.h"
#include "platform/platform.h"

namespace {

constexpr const char* settings_key = "Software\\Varentis";

class Registry : public ::testing::Test {
protected:
    void SetUp() override { plat_control::reset(); }
    void TearDown() override {
        EXPECT_EQ(plat_control::registry_open_handles(), 0);
        plat_control::reset();
        EXPECT_FALSE(plat_control::registry_key_exists(settings_key));
    }
};

TEST_F(Registry, MissingKeyAndMissingValue) {
    plat::RegKey key = nullptr;
    EXPECT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_not_found);
    plat_control::registry_create_key(settings_key);
    ASSERT_EQ(plat::reg_open_query("software\\VARENTIS", &key), plat::reg_ok);
    char buffer[8] = "x";
    uint32_t size = sizeof buffer;
    EXPECT_EQ(plat::reg_query_value(key, "PATH", nullptr, buffer, &size), plat::reg_not_found);
    EXPECT_EQ(plat::reg_close(key), plat::reg_ok);
}

TEST_F(Registry, RawBytesAndSizeRules) {
    plat_control::registry_set_text(settings_key, "VERSAO", "1.2.3");
    plat_control::registry_set(settings_key, "BIN", {plat::reg_binary, {'a', 'b', 'c'}});
    plat::RegKey key = nullptr;
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);

    char buffer[6];
    uint32_t type = 0, size = sizeof buffer;
    ASSERT_EQ(plat::reg_query_value(key, "versao", &type, buffer, &size), plat::reg_ok);
    EXPECT_EQ(type, plat::reg_sz);
    EXPECT_EQ(size, 6u);
    EXPECT_STREQ(buffer, "1.2.3");

    size = 5;  // one byte short of the terminator
    type = 0;
    EXPECT_EQ(plat::reg_query_value(key, "VERSAO", &type, buffer, &size), plat::reg_more_data);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, plat::reg_sz);

    size = sizeof buffer;
    std::memset(buffer, 'z', sizeof buffer);
    ASSERT_EQ(plat::reg_query_value(key, "BIN", &type, buffer, &size), plat::reg_ok);
    EXPECT_EQ(type, plat::reg_binary);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(std::string(buffer, 4), "abcz");  // raw bytes: no terminator added
    plat::reg_close(key);
}

TEST_F(Registry, ValuesAroundTheSettingsBufferSize) {
    const std::string fits(499, 'p');  // 499 characters and the NUL: exactly 500 bytes
    plat_control::registry_set_text(settings_key, "PATH", fits);
    plat_control::registry_set_text(settings_key, "VERSAO", std::string(500, 'p'));
    plat::RegKey key = nullptr;
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);
    char buffer[500];
    uint32_t size = sizeof buffer;
    EXPECT_EQ(plat::reg_query_value(key, "PATH", nullptr, buffer, &size), plat::reg_ok);
    EXPECT_EQ(size, 500u);
    EXPECT_EQ(std::string(buffer), fits);
    size = sizeof buffer;
    EXPECT_EQ(plat::reg_query_value(key, "VERSAO", nullptr, buffer, &size), plat::reg_more_data);
    EXPECT_EQ(size, 501u);
    plat::reg_close(key);
}

TEST_F(Registry, AQueryHandleCannotWriteAndASetHandleCannotRead) {
    plat_control::registry_set_text(settings_key, "IDIOMA", "2");
    plat::RegKey key = nullptr;
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(key, "IDIOMA", "1"), plat::reg_access_denied);
    plat::reg_close(key);

    ASSERT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_ok);
    char buffer[8];
    uint32_t size = sizeof buffer;
    EXPECT_EQ(plat::reg_query_value(key, "IDIOMA", nullptr, buffer, &size), plat::reg_access_denied);
    plat::reg_close(key);
    EXPECT_EQ(plat_control::registry_get(settings_key, "IDIOMA")->bytes, (std::vector<uint8_t>{'2', 0}));
}

TEST_F(Registry, CreateForSetMakesTheKeyAndStoresTheTextWithItsTerminator) {
    plat::RegKey key = nullptr;
    ASSERT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(key, "IDIOMA", "1"), plat::reg_ok);
    EXPECT_EQ(plat::reg_close(key), plat::reg_ok);
    ASSERT_TRUE(plat_control::registry_key_exists(settings_key));
    auto stored = plat_control::registry_get(settings_key, "IDIOMA");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, plat::reg_sz);
    EXPECT_EQ(stored->bytes, (std::vector<uint8_t>{'1', 0}));

    // Opening an existing key for setting keeps what it holds.
    plat_control::registry_set_text(settings_key, "PATH", "C:\\Varentis");
    ASSERT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(key, "IDIOMA", "2"), plat::reg_ok);
    plat::reg_close(key);
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);
    char text[16];
    uint32_t size = sizeof text;
    EXPECT_EQ(plat::reg_query_value(key, "IDIOMA", nullptr, text, &size), plat::reg_ok);
    EXPECT_STREQ(text, "2");
    size = sizeof text;
    EXPECT_EQ(plat::reg_query_value(key, "PATH", nullptr, text, &size), plat::reg_ok);
    EXPECT_STREQ(text, "C:\\Varentis");
    plat::reg_close(key);
}

// What a host sets up through the control side is what the add-in reads, and what the add-in
// leaves open or is refused the control side sees.
TEST_F(Registry, ValuesSetUpAreWhatThePlatformReads) {
    plat_control::registry_set(settings_key, "BIN", {plat::reg_binary, {'a', 0, 'b'}});
    plat::RegKey key = nullptr;
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);
    char buffer[8];
    uint32_t type = 0, size = sizeof buffer;
    ASSERT_EQ(plat::reg_query_value(key, "BIN", &type, buffer, &size), plat::reg_ok);
    EXPECT_EQ(type, plat::reg_binary);
    EXPECT_EQ(std::string(buffer, size), std::string("a\0b", 3));
    plat::reg_close(key);
    EXPECT_FALSE(plat_control::registry_get(settings_key, "PATH"));
}

TEST_F(Registry, OpenHandlesAreCountedUntilClosed) {
    plat_control::registry_create_key(settings_key);
    EXPECT_EQ(plat_control::registry_open_handles(), 0);
    plat::RegKey first = nullptr, second = nullptr;
    ASSERT_EQ(plat::reg_open_query(settings_key, &first), plat::reg_ok);
    ASSERT_EQ(plat::reg_create_for_set(settings_key, &second), plat::reg_ok);
    EXPECT_EQ(plat_control::registry_open_handles(), 2);
    plat::reg_close(first);
    EXPECT_EQ(plat_control::registry_open_handles(), 1);
    plat::reg_close(second);
    EXPECT_EQ(plat_control::registry_open_handles(), 0);
}

TEST_F(Registry, DeniedWritesCreateNothingAndSetNothing) {
    plat_control::registry_deny_writes(true);
    plat::RegKey key = nullptr;
    EXPECT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_access_denied);
    EXPECT_FALSE(plat_control::registry_key_exists(settings_key));
    plat_control::registry_deny_writes(false);

    plat_control::registry_set_text(settings_key, "IDIOMA", "2");
    plat_control::registry_deny_writes(true);
    EXPECT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_access_denied);
    // Reading is still allowed.
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);
    plat::reg_close(key);
    plat_control::registry_deny_writes(false);
    ASSERT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(key, "IDIOMA", "1"), plat::reg_ok);
    plat::reg_close(key);
    EXPECT_EQ(plat_control::registry_get(settings_key, "IDIOMA")->bytes, (std::vector<uint8_t>{'1', 0}));
}

}  // namespace
