// The export's scratch files, followed through TMPDIR: a POSIX environment variable, so this
// runs natively only.
#include <cstdlib>
#include <filesystem>

#include "command_script.h"
#include "support/scratch_folder.h"

namespace {

class ScratchFiles : public CommandScript {
protected:
    vx_test::ScratchFolder folder;
};

// Nothing of the library's scratch files stays behind, saved or not (the temporary folder is
// this test's own, so that other tests running meanwhile do not count).
TEST_F(ScratchFiles, SavingLeavesNoScratchFolder) {
    const std::string temporary = folder.file("tmp");
    std::filesystem::create_directory(temporary);
    const char* before = std::getenv("TMPDIR");
    const std::string restore = before ? before : "";
    setenv("TMPDIR", temporary.c_str(), 1);
    ASSERT_EQ(call(xlSet, {area(0, 0, 0, 0), num(1)}), 0);
    std::string error;
    EXPECT_TRUE(host->save_xlsx(folder.file("book.xlsx"), &error)) << error;
    EXPECT_FALSE(host->save_xlsx(folder.file("missing/book.xlsx"), &error));
    if (before) setenv("TMPDIR", restore.c_str(), 1);
    else unsetenv("TMPDIR");
    EXPECT_TRUE(std::filesystem::is_empty(temporary));
    EXPECT_TRUE(std::filesystem::exists(folder.file("book.xlsx")));
}

}  // namespace
