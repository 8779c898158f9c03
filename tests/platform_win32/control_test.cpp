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
    void SetUp() override { sim::reset(); }
    void TearDown() override {
        sim::reset();
        EXPECT_FALSE(sim::registry_key_exists(settings_key));
    }
};

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
