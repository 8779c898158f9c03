// Files of a POSIX system that are not sheets: a device that never ends and a pipe that waits
// for a writer. The host refuses both at once, without opening them.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "support/scratch_folder.h"
#include "host_fixture.h"

namespace {

int calc(const std::string& sheet, const vx_test::ScratchFolder& folder, std::string* err) {
    std::string out;
    return xlhost::run_command_line({"--registry", folder.file("registry.txt"), "--addin", XLHOST_TEST_ADDIN, "calc", sheet},
                                    out, *err);
}

TEST(SpecialFiles, ADeviceIsNotASheet) {
    plat_control::reset();
    vx_test::ScratchFolder folder;
    std::string err;
    EXPECT_EQ(calc("/dev/zero", folder, &err), 2);
    EXPECT_EQ(err, "xlhost: cannot read /dev/zero: not a regular file\n");
}

TEST(SpecialFiles, APipeIsNotASheet) {
    plat_control::reset();
    vx_test::ScratchFolder folder;
    const std::string pipe = folder.file("sheet.fifo");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // A writer offers a sheet to whoever opens the pipe.
    std::thread writer([&] {
        const int fd = open(pipe.c_str(), O_WRONLY);
        if (fd >= 0) {
            (void)!write(fd, "1\n", 2);
            close(fd);
        }
    });
    std::string err;
    const int status = calc(pipe, folder, &err);
    const int unblock = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);  // lets the writer go when the host never read
    writer.join();
    close(unblock);
    EXPECT_EQ(status, 2);
    EXPECT_EQ(err, "xlhost: cannot read " + pipe + ": not a regular file\n");
}

}  // namespace
