// The settings key in the real (Wine) registry: the access each handle is opened with, and the
// size rules of RegQueryValueExA that the add-in's reading of its settings relies on.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/win32/win32.h"

namespace {

constexpr const char* settings_key = "Software\\Varentis";

void delete_settings_key() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, settings_key);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, settings_key);
}

void store(const char* name, DWORD type, const void* bytes, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, settings_key, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(bytes), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

bool key_exists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, settings_key, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override { delete_settings_key(); }
    void TearDown() override { delete_settings_key(); }
};

TEST_F(Registry, MissingKeyAndMissingValue) {
    plat::RegKey key = nullptr;
    EXPECT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_not_found);
    store("OTHER", REG_SZ, "x", 2);
    ASSERT_EQ(plat::reg_open_query("software\\VARENTIS", &key), plat::reg_ok);
    char buffer[8] = "x";
    uint32_t size = sizeof buffer;
    EXPECT_EQ(plat::reg_query_value(key, "PATH", nullptr, buffer, &size), plat::reg_not_found);
    EXPECT_EQ(plat::reg_close(key), plat::reg_ok);
}

TEST_F(Registry, RawBytesAndSizeRules) {
    store("VERSAO", REG_SZ, "1.2.3", 6);
    store("BIN", REG_BINARY, "abc", 3);
    plat::RegKey key = nullptr;
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);

    char buffer[6];
    uint32_t type = 0, size = sizeof buffer;
    ASSERT_EQ(plat::reg_query_value(key, "versao", &type, buffer, &size), plat::reg_ok);
    EXPECT_EQ(type, plat::reg_sz);
    EXPECT_EQ(size, 6u);
    EXPECT_STREQ(buffer, "1.2.3");

    size = 5;  // one byte short of the terminator
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
    const std::string too_long(500, 'p');
    store("PATH", REG_SZ, fits.c_str(), 500);
    store("VERSAO", REG_SZ, too_long.c_str(), 501);
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

TEST_F(Registry, QueryHandleCannotWriteAndSetHandleCannotRead) {
    store("IDIOMA", REG_SZ, "2", 2);
    plat::RegKey key = nullptr;
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(key, "IDIOMA", "1"), plat::reg_access_denied);
    plat::reg_close(key);

    ASSERT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_ok);
    char buffer[8];
    uint32_t size = sizeof buffer;
    EXPECT_EQ(plat::reg_query_value(key, "IDIOMA", nullptr, buffer, &size), plat::reg_access_denied);
    plat::reg_close(key);
}

TEST_F(Registry, CreateForSetMakesTheKeyAndStoresTheTextWithItsTerminator) {
    plat::RegKey key = nullptr;
    ASSERT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(key, "IDIOMA", "1"), plat::reg_ok);
    EXPECT_EQ(plat::reg_close(key), plat::reg_ok);
    ASSERT_TRUE(key_exists());

    BYTE data[8] = {};
    DWORD type = 0, size = sizeof data;
    HKEY reader = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, settings_key, 0, KEY_READ, &reader), ERROR_SUCCESS);
    ASSERT_EQ(RegQueryValueExA(reader, "IDIOMA", nullptr, &type, data, &size), ERROR_SUCCESS);
    RegCloseKey(reader);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(data[0], '1');
    EXPECT_EQ(data[1], 0);

    // Opening an existing key for setting keeps what it holds.
    ASSERT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(key, "IDIOMA", "2"), plat::reg_ok);
    plat::reg_close(key);
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);
    char text[8];
    uint32_t text_size = sizeof text;
    EXPECT_EQ(plat::reg_query_value(key, "IDIOMA", nullptr, text, &text_size), plat::reg_ok);
    EXPECT_STREQ(text, "2");
    plat::reg_close(key);
}

}  // namespace
