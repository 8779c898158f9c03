// The control side that the add-in suites use on Windows in place of the stand-in: it must set
// up and observe the real registry and message boxes as the stand-in does its own.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/control/platform_control.h"

namespace {

constexpr const char* settings_key = "Software\\Varentis";

class Control : public ::testing::Test {
protected:
    void SetUp() override { sim::reset(); }
    void TearDown() override {
        sim::reset();
        EXPECT_FALSE(sim::registry_key_exists(settings_key));
    }
};

TEST_F(Control, ValuesSetAreWhatThePlatformReads) {
    sim::registry_set(settings_key, "BIN", {plat::reg_binary, {'a', 0, 'b'}});
    sim::registry_set_text(settings_key, "IDIOMA", "1");
    plat::RegKey key = nullptr;
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);
    char buffer[8];
    uint32_t type = 0, size = sizeof buffer;
    ASSERT_EQ(plat::reg_query_value(key, "BIN", &type, buffer, &size), plat::reg_ok);
    EXPECT_EQ(type, plat::reg_binary);
    EXPECT_EQ(std::string(buffer, size), std::string("a\0b", 3));
    plat::reg_close(key);

    auto stored = sim::registry_get(settings_key, "IDIOMA");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, plat::reg_sz);
    EXPECT_EQ(stored->bytes, (std::vector<uint8_t>{'1', 0}));
    EXPECT_FALSE(sim::registry_get(settings_key, "PATH"));
}

TEST_F(Control, OpenHandlesAreCountedUntilClosed) {
    sim::registry_create_key(settings_key);
    EXPECT_EQ(sim::registry_open_handles(), 0);
    plat::RegKey first = nullptr, second = nullptr;
    ASSERT_EQ(plat::reg_open_query(settings_key, &first), plat::reg_ok);
    ASSERT_EQ(plat::reg_create_for_set(settings_key, &second), plat::reg_ok);
    EXPECT_EQ(sim::registry_open_handles(), 2);
    plat::reg_close(first);
    EXPECT_EQ(sim::registry_open_handles(), 1);
    plat::reg_close(second);
    EXPECT_EQ(sim::registry_open_handles(), 0);
}

TEST_F(Control, DeniedWritesCreateNothingAndSetNothing) {
    sim::registry_deny_writes(true);
    plat::RegKey key = nullptr;
    EXPECT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_access_denied);
    EXPECT_FALSE(sim::registry_key_exists(settings_key));
    sim::registry_deny_writes(false);

    sim::registry_set_text(settings_key, "IDIOMA", "2");
    sim::registry_deny_writes(true);
    EXPECT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_access_denied);
    // Reading is still allowed.
    ASSERT_EQ(plat::reg_open_query(settings_key, &key), plat::reg_ok);
    plat::reg_close(key);
    sim::registry_deny_writes(false);
    ASSERT_EQ(plat::reg_create_for_set(settings_key, &key), plat::reg_ok);
    EXPECT_EQ(plat::reg_set_text(key, "IDIOMA", "1"), plat::reg_ok);
    plat::reg_close(key);
    EXPECT_EQ(sim::registry_get(settings_key, "IDIOMA")->bytes, (std::vector<uint8_t>{'1', 0}));
}

TEST_F(Control, ClearRemovesEveryKeyMadeThroughIt) {
    sim::registry_set_text("Software\\VarentisTest\\Inner", "X", "y");
    sim::registry_set_text(settings_key, "PATH", "C:\\Varentis");
    sim::registry_clear();
    EXPECT_FALSE(sim::registry_key_exists("Software\\VarentisTest\\Inner"));
    EXPECT_FALSE(sim::registry_key_exists(settings_key));
    EXPECT_TRUE(sim::registry_key_exists("Software"));
    sim::registry_delete_key("Software\\VarentisTest");
}

TEST_F(Control, MessageBoxesAndDebugLinesAsTheStandInRecordsThem) {
    auto owner = sim::window_create("XLMAIN");
    ASSERT_NE(owner, nullptr);
    sim::message_box_set_answer(plat::id_cancel);
    EXPECT_EQ(plat::message_box(owner, "Texto", "Aten\xE7\xE3o", plat::mb_okcancel | plat::mb_iconerror),
              plat::id_cancel);
    ASSERT_EQ(sim::message_boxes().size(), 1u);
    EXPECT_EQ(sim::message_boxes()[0].owner, owner);
    EXPECT_EQ(sim::message_boxes()[0].caption, "Aten\xE7\xE3o");
    EXPECT_EQ(sim::message_boxes()[0].style, plat::mb_okcancel | plat::mb_iconerror);
    sim::message_boxes_clear();
    EXPECT_TRUE(sim::message_boxes().empty());

    plat::debug_output("um");
    plat::debug_output("dois\r");
    EXPECT_EQ(sim::debug_lines(), (std::vector<std::string>{"um", "dois\r"}));
    sim::debug_lines_clear();
    EXPECT_TRUE(sim::debug_lines().empty());
}

}  // namespace
