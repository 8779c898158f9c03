// The bridge command as a person runs it: natively against the platform stand-in, under Wine
// through the real DLL and real COM.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scratch_folder.h"
#include "xlhost/host.h"

namespace bridge_test {
namespace {

class BridgeCommand : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scratch.ready());
        sheet = scratch.write("curve.csv", "0.18,21\n0.185,63\n0.195,126\n0.2,252\n");
    }
    int run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"--registry", scratch.file("registry.txt")});
        out.clear();
        err.clear();
        return xlhost::run_command_line(arguments, out, err);
    }
    vx_test::ScratchFolder scratch;
    std::string sheet, out, err;
};

// With real COM each instance is a process, and COM answers GetActiveObject from the asking
// process's own registration first (Wine's does); the stand-in answers the earliest one.
#ifdef _WIN32
constexpr const char* probes_of_the_last = "probes: 1 (instance 1: 0, instance 2: 0, instance 3: 1)\n";
#else
constexpr const char* probes_of_the_last = "probes: 4 (instance 1: 2, instance 2: 1, instance 3: 1)\n";
#endif

TEST_F(BridgeCommand, ThreeInstancesConnectAndReadTheCurve) {
    ASSERT_EQ(run({"--instances", "3", "bridge", "--sheet", sheet, "A1:B4"}), 0) << err;
    EXPECT_EQ(out,
              std::string("version: 8.0\n"
                          "state: connected\n") +
              probes_of_the_last +
              "own instance: found\n"
              "CheckInstance registered: yes\n"
              "0.17999999999999999\t21\n"
              "0.185\t63\n"
              "0.19500000000000001\t126\n"
              "0.20000000000000001\t252\n"
              "after close: registered no, objects held 0\n");
}

TEST_F(BridgeCommand, AnotherVersionStaysRegistered) {
    ASSERT_EQ(run({"--excel-version", "16.0", "bridge"}), 0) << err;
    EXPECT_NE(out.find("state: registered\n"), std::string::npos) << out;
    EXPECT_NE(out.find("own instance: not found\n"), std::string::npos) << out;
    EXPECT_NE(out.find("after close: registered no, objects held 0\n"), std::string::npos) << out;
}

TEST_F(BridgeCommand, OursFirstIsFoundByTheActiveObject) {
    ASSERT_EQ(run({"--instances", "3", "--own", "1", "bridge"}), 0) << err;
    EXPECT_NE(out.find("probes: 1 (instance 1: 1, instance 2: 0, instance 3: 0)\n"), std::string::npos) << out;
}

TEST_F(BridgeCommand, ALateInstanceShowsTheMessageBoxThenReadsOnTheRetry) {
    ASSERT_EQ(run({"--instances", "2", "--own-late", "bridge", "--sheet", sheet, "A1:A2"}), 0) << err;
    EXPECT_NE(out.find("state: registered\n"), std::string::npos) << out;
    // The search passed over the other instance, each probe running where it landed.
    EXPECT_NE(out.find("probes: 2 (instance 1: 2, instance 2: 0)\n"), std::string::npos) << out;
    EXPECT_NE(out.find("[message: Error]\nUnable to complete calculation with other instances of Excel Opened\n"
                       "Please close all other instances of Excel, then Click OK\n0.17999999999999999\n0.185\n"),
              std::string::npos)
        << out;
}

TEST_F(BridgeCommand, RefusesWhatItCannotRun) {
    EXPECT_EQ(run({"--instances", "0", "bridge"}), 2);
    EXPECT_EQ(run({"--instances", "2", "--own", "3", "bridge"}), 2);
    EXPECT_EQ(run({"bridge", "A1:B4"}), 2);
    EXPECT_EQ(run({"--instances", "2", "eval", "=1"}), 2);
    EXPECT_NE(err.find("go with bridge"), std::string::npos) << err;
}

}  // namespace
}  // namespace bridge_test
