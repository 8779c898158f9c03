// What the user saw, as the command line prints it: alerts and the add-in's Windows message
// boxes, each as a box, in the order they came.
#include "support/scratch_folder.h"
#include "host_fixture.h"

namespace {

TEST(MessageBoxes, RunPrintsAlertsAndMessageBoxesInTheirOrder) {
    plat_control::reset();
    vx_test::ScratchFolder folder;
    std::string out, err;
    const int status = xlhost::run_command_line(
        {"--registry", folder.file("registry.txt"), "--addin", XLHOST_TEST_ADDIN, "run", "t_alert_and_box"}, out, err);
    EXPECT_EQ(status, 0) << err;
    EXPECT_EQ(out,
              "[information]\nbefore the box\n"
              "[warning: Atenção]\nCaixa do Windows\n"
              "[error]\nafter the box\n");
}

class ShownBoxes : public LoadedHost {};

// The host keeps what this host's add-in showed, from its start or the last clear_alerts().
TEST_F(ShownBoxes, EachBoxWithItsCaptionTextAndStyleAndItsPlaceAmongTheAlerts) {
    host->run_macro("t_alert_and_box");
    const auto boxes = host->message_boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, xlhost::cp1252("Atenção"));
    EXPECT_EQ(boxes[0].text, "Caixa do Windows");
    EXPECT_EQ(boxes[0].style & 0xF0, 0x30u);  // the warning icon
    ASSERT_EQ(host->alerts().size(), 2u);
    EXPECT_EQ(host->alerts()[0].message_boxes_before, 0u);
    EXPECT_EQ(host->alerts()[1].message_boxes_before, 1u);
    host->clear_alerts();
    EXPECT_TRUE(host->message_boxes().empty());
    EXPECT_TRUE(host->alerts().empty());
    host->run_macro("t_alert_and_box");
    EXPECT_EQ(host->message_boxes().size(), 1u);
}

TEST(MessageBoxes, AHostStartsWithNothingShown) {
    plat_control::reset();
    {
        xlhost::Host first;
        ASSERT_TRUE(first.load(XLHOST_TEST_ADDIN));
        first.auto_open();
        first.run_macro("t_alert_and_box");
        EXPECT_EQ(first.message_boxes().size(), 1u);
    }
    xlhost::Host second;
    EXPECT_TRUE(second.message_boxes().empty());
}

}  // namespace
