// Movable global blocks with their lock counts, program launch with path search, and the
// system's file search with its size rules.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/win32/win32.h"

namespace {

TEST(GlobalMemory, MovableBlockLocksNestAndFreeReleases) {
    plat::GlobalBlock block = plat::global_alloc_moveable(64);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 0u);
    auto* data = static_cast<char*>(plat::global_lock(block));
    ASSERT_NE(data, nullptr);
    std::memset(data, 'm', 64);
    EXPECT_EQ(plat::global_lock(block), data);
    EXPECT_TRUE(plat::global_unlock(block));   // one lock left
    EXPECT_FALSE(plat::global_unlock(block));  // unlocked now
    EXPECT_GE(GlobalSize(block), 64u);
    EXPECT_EQ(plat::global_free(block), nullptr);
}

void wait_and_close(intptr_t started) {
    const auto process = reinterpret_cast<HANDLE>(started);
    EXPECT_EQ(WaitForSingleObject(process, 30000), WAIT_OBJECT_0);
    CloseHandle(process);
}

// Wine's runtime finds no program by name any more once one search by name has failed in the
// process (a full path still starts), so the successful search by name comes first.
TEST(Processes, SpawnFindsProgramsAlongThePathAndReportsFailure) {
    const intptr_t by_name = plat::spawn_nowait("cmd.exe", "cmd.exe", "/c");
    ASSERT_NE(by_name, -1);
    wait_and_close(by_name);
    EXPECT_EQ(plat::spawn_nowait("no-such-program-here.exe", "no-such-program-here.exe", "x"), -1);

    char full[500];
    ASSERT_GT(plat::search_path("cmd", ".exe", full, sizeof full), 0u);
    const intptr_t by_path = plat::spawn_nowait(full, full, "/c");
    ASSERT_NE(by_path, -1);
    wait_and_close(by_path);
}

TEST(Processes, SearchPathAnswersLengthOrTheSizeNeeded) {
    char buffer[500];
    const uint32_t length = plat::search_path("explorer", ".exe", buffer, sizeof buffer);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(length, std::strlen(buffer));
    const std::string found = buffer;
    EXPECT_EQ(CharLowerA(buffer), buffer);
    EXPECT_NE(std::string(buffer).find("explorer.exe"), std::string::npos) << found;

    char tiny[4];
    EXPECT_EQ(plat::search_path("explorer", ".exe", tiny, sizeof tiny), length + 1);
    EXPECT_EQ(plat::search_path("no-such-file-here", ".exe", buffer, sizeof buffer), 0u);
}

}  // namespace
