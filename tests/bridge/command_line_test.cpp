// The bridge command as a person runs it: natively against the platform stand-in, under Wine
// through the real DLL and real COM.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
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
    // The folders of add-in copies this process's bridge commands left in the temporary folder.
    static std::vector<std::string> folders_left() {
        std::vector<std::string> left;
        std::error_code code;
        const std::string mine = "xlhost-bridge-" + std::to_string(getpid()) + "-";
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::temp_directory_path(code), code))
            if (entry.path().filename().string().rfind(mine, 0) == 0) left.push_back(entry.path().string());
        return left;
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

// A range is one rectangle of cells in A1 form on the sheet given: anything else is refused in
// one line before an instance starts, with nothing printed and no folder of copies made.
TEST_F(BridgeCommand, ARangeThatIsNotOneRangeOfCellsIsRefusedBeforeAnythingStarts) {
    for (const std::string range : {"A0", "IW1", "Sheet1!A1", "A1:B2:C3", "R1C1", "A1:B2,C3:D4", ""}) {
        EXPECT_EQ(run({"--instances", "2", "bridge", "--sheet", sheet, range}), 2) << range;
        EXPECT_TRUE(out.empty()) << range << ": " << out;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << "one line: " << err;
        EXPECT_EQ(err.rfind("xlhost: bridge: ", 0), 0u) << err;
        EXPECT_TRUE(folders_left().empty()) << range << ": " << folders_left().front();
    }
}

// Whichever way the command ends, the instances' copies of the add-in go with it.
TEST_F(BridgeCommand, EveryWayOutRemovesTheCopiesOfTheAddIn) {
    EXPECT_EQ(run({"--instances", "2", "bridge", "--sheet", scratch.file("missing.csv"), "A1"}), 2);
    EXPECT_TRUE(folders_left().empty());
    EXPECT_EQ(run({"--addin", scratch.write("not_an_addin.xll", "text"), "--instances", "2", "bridge"}), 1);
    EXPECT_TRUE(folders_left().empty());
    EXPECT_EQ(run({"--instances", "2", "bridge", "--sheet", sheet, "A1:B4"}), 0) << err;
    EXPECT_TRUE(folders_left().empty());
}

// A formula of the sheet is worked out when the sheet opens, with the add-in there: the bridge
// reads the value Excel (and xlhost's own calculation) gives it, through automation and through
// xlCoerce alike.
TEST_F(BridgeCommand, TheSheetIsCalculatedWhenItOpens) {
    const std::string book = scratch.write("formula.csv", "0.18,21,=VX.INTERPOLEX(42;A1:B4;0)\n0.185,63\n0.195,126\n0.2,252\n");
    ASSERT_EQ(run({"eval", "=VX.INTERPOLEX(42;A1:B4;0)", "--sheet", book}), 0) << err;
    const std::string rate = out.substr(0, out.size() - 1);
    ASSERT_EQ(rate.rfind("0.1837", 0), 0u) << rate;
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--instances", "3"}, std::vector<std::string>{"--excel-version", "16.0"}}) {
        std::vector<std::string> arguments = options;
        arguments.insert(arguments.end(), {"bridge", "--sheet", book, "A1:C1"});
        ASSERT_EQ(run(arguments), 0) << err;
        EXPECT_NE(out.find("\n0.17999999999999999\t21\t" + rate + "\n"), std::string::npos) << options[0] << "\n" << out;
    }
}

// The version is what every instance answers, cp1252 as Excel keeps its texts; it is shown as
// given, its control characters escaped, so that it cannot make a line of its own.
TEST_F(BridgeCommand, TheVersionIsShownAsGivenOnItsOwnLine) {
    ASSERT_EQ(run({"--excel-version", "8.0\nstate: connected", "bridge"}), 0) << err;
    EXPECT_EQ(out.rfind("version: 8.0\\x0Astate: connected\nstate: registered\n", 0), 0u) << out;
    ASSERT_EQ(run({"--excel-version", "Vers\xC3\xA3o 8", "bridge"}), 0) << err;  // Versão
    EXPECT_EQ(out.rfind("version: Vers\xC3\xA3o 8\nstate: registered\n", 0), 0u) << out;
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
