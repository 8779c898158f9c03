#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/platform.h"
#include "platform/control/platform_control.h"

namespace {

TEST(Windows, EnumerationInOrderWithClassNamesCutToTheBuffer) {
    plat_control::reset();
    auto first = plat_control::window_create("Shell_TrayWnd");
    auto excel = plat_control::window_create("XLMAIN");
    EXPECT_NE(reinterpret_cast<uintptr_t>(first) & 0xFFFF, reinterpret_cast<uintptr_t>(excel) & 0xFFFF);

    std::vector<plat::Window> seen;
    plat::enum_top_windows([](plat::Window w, void* context) {
        static_cast<std::vector<plat::Window>*>(context)->push_back(w);
        return true;
    }, &seen);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1], excel);

    char name[4];
    EXPECT_EQ(plat::window_class_name(excel, name, sizeof name), 3);
    EXPECT_STREQ(name, "XLM");
    plat_control::window_destroy(excel);
    EXPECT_EQ(plat::window_class_name(excel, name, sizeof name), 0);
}

TEST(GlobalMemory, LockCountsAndRelease) {
    plat_control::reset();
    plat::GlobalBlock block = plat::global_alloc_moveable(64);
    ASSERT_NE(block, nullptr);
    void* data = plat::global_lock(block);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(plat_control::global_blocks_locked(), 1);
    EXPECT_FALSE(plat::global_unlock(block));
    EXPECT_EQ(plat::global_free(block), nullptr);
    EXPECT_EQ(plat::global_free(block), block);  // a second free fails
    EXPECT_EQ(plat_control::global_blocks_outstanding(), 0);
}

TEST(Processes, SpawnSearchesPathAndReportsFailure) {
    plat_control::reset();
    EXPECT_EQ(plat::spawn_nowait("no-such-program-here.exe", "no-such-program-here.exe", "x"), -1);
    EXPECT_GT(plat::spawn_nowait("true", "true", "http://example.invalid/"), 0);
    ASSERT_EQ(plat_control::spawns().size(), 2u);
    EXPECT_EQ(plat_control::spawns()[1].arg1, "http://example.invalid/");

    char buffer[500];
    EXPECT_GT(plat::search_path("sh", nullptr, buffer, sizeof buffer), 0u);
    EXPECT_EQ(plat::search_path("no-such-file", ".exe", buffer, sizeof buffer), 0u);
    char tiny[2];
    EXPECT_GT(plat::search_path("sh", nullptr, tiny, sizeof tiny), sizeof tiny);
}

}  // namespace
