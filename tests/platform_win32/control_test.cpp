// The control side that the add-in suites use on Windows in place of the stand-in: it must set
// up and observe the real registry and message boxes as the stand-in does its own. What it
// shares with the stand-in's registry is tested for both in tests/registry; here, what only the
// real machine can get wrong.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/control/platform_control.h"

namespace {

constexpr const char* settings_key = "Software\\Varentis";

class Control : public ::testing::Test {
protected:
    void SetUp() override { plat_control::reset(); }
    void TearDown() override {
        plat_control::reset();
        EXPECT_FALSE(plat_control::registry_key_exists(settings_key));
    }
};

TEST_F(Control, ClearRemovesEveryKeyMadeThroughIt) {
    plat_control::registry_set_text("Software\\VarentisTest\\Inner", "X", "y");
    plat_control::registry_set_text(settings_key, "PATH", "C:\\Varentis");
    plat_control::registry_clear();
    EXPECT_FALSE(plat_control::registry_key_exists("Software\\VarentisTest\\Inner"));
    EXPECT_FALSE(plat_control::registry_key_exists(settings_key));
    EXPECT_TRUE(plat_control::registry_key_exists("Software"));
    plat_control::registry_delete_key("Software\\VarentisTest");
}

TEST_F(Control, MessageBoxesAndDebugLinesAsTheStandInRecordsThem) {
    auto owner = plat_control::window_create("XLMAIN");
    ASSERT_NE(owner, nullptr);
    plat_control::message_box_set_answer(plat::id_cancel);
    EXPECT_EQ(plat::message_box(owner, "Texto", "Aten\xE7\xE3o", plat::mb_okcancel | plat::mb_iconerror),
              plat::id_cancel);
    ASSERT_EQ(plat_control::message_boxes().size(), 1u);
    EXPECT_EQ(plat_control::message_boxes()[0].owner, owner);
    EXPECT_EQ(plat_control::message_boxes()[0].caption, "Aten\xE7\xE3o");
    EXPECT_EQ(plat_control::message_boxes()[0].style, plat::mb_okcancel | plat::mb_iconerror);
    plat_control::message_boxes_clear();
    EXPECT_TRUE(plat_control::message_boxes().empty());

    plat::debug_output("um");
    plat::debug_output("dois\r");
    EXPECT_EQ(plat_control::debug_lines(), (std::vector<std::string>{"um", "dois\r"}));
    plat_control::debug_lines_clear();
    EXPECT_TRUE(plat_control::debug_lines().empty());
}

}  // namespace
