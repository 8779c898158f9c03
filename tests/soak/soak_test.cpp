// Excel loading the add-in again and again in one process: load, open, recalculate the demo
// sheet, close, unload. Every cycle must give the same sheet and leave nothing behind (no host
// value waiting for xlFree, no window, no open registry key, no global memory block, no
// diagnostic of a failed call), and the process's resident memory must stay flat.
// VX_SOAK_CYCLES sets the number of cycles (`make soak` runs 10000; more than the warm-up).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/platform.h"
#include "platform/control/platform_control.h"
#include "xlhost/host.h"

namespace {

constexpr const char* settings_key = "Software\\Varentis";
constexpr int default_cycles = VX_SOAK_DEFAULT_CYCLES;
// Allocator pools, first-use tables and the like settle during the first cycles.
constexpr int warm_up_cycles = 20;
constexpr long allowed_growth_kb = 1024;

// The number of cycles asked for, 0 when VX_SOAK_CYCLES is not a count beyond the warm-up.
int cycles() {
    const char* text = std::getenv("VX_SOAK_CYCLES");
    if (text == nullptr || *text == '\0') return default_cycles;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *end == '\0' && value > warm_up_cycles && value <= 10000000 ? static_cast<int>(value) : 0;
}

// Resident set size in kB, from /proc (0 when it cannot be read).
long resident_kb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

int top_windows() {
    int count = 0;
    plat::enum_top_windows(
        [](plat::Window, void* context) {
            ++*static_cast<int*>(context);
            return true;
        },
        &count);
    return count;
}

std::string demo_sheet() {
    std::ifstream in(VX_DEMO_SHEET, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// One cycle in a fresh Excel; the language changes from one cycle to the next, as a restart
// after a change of language does. Answers the recalculated sheet ("" after a failure).
std::string cycle(const std::string& sheet, int number) {
    plat_control::registry_set_text(settings_key, "PATH", "/opt/varentis");
    plat_control::registry_set_text(settings_key, "IDIOMA", number % 2 == 0 ? "1" : "2");
    xlhost::Host host;
    std::string error;
    if (!host.load(xlhost::default_addin_path(), &error)) {
        ADD_FAILURE() << "cycle " << number << ": " << error;
        return "";
    }
    EXPECT_EQ(host.auto_open(), 1);
    if (!host.load_csv_text(sheet, &error)) ADD_FAILURE() << error;
    host.calc();
    std::string values = host.sheet_csv();
    EXPECT_EQ(host.auto_close(), 1);
    EXPECT_EQ(host.outstanding_values(), 0) << "cycle " << number;
    host.unload();
    for (const auto& fault : host.faults()) ADD_FAILURE() << "cycle " << number << ": " << fault;
    return values;
}

TEST(Soak, LoadOpenRecalculateCloseUnloadLeavesNothingBehind) {
    const std::string sheet = demo_sheet();
    ASSERT_NE(sheet.find("=VX.DURATION("), std::string::npos) << "no demo sheet at " << VX_DEMO_SHEET;
    plat_control::reset();
    const int windows_before = top_windows();
    const int count = cycles();
    ASSERT_GT(count, 0) << "VX_SOAK_CYCLES is not a number of cycles above " << warm_up_cycles;
    std::string first[2];
    long warm_kb = 0;
    for (int number = 0; number < count; ++number) {
        if (number == warm_up_cycles) warm_kb = resident_kb();
        const std::string values = cycle(sheet, number);
        std::string& expected = first[number % 2];
        if (expected.empty()) {
            expected = values;
            ASSERT_EQ(values.find("#"), std::string::npos) << "an error value on the demo sheet:\n" << values;
        }
        ASSERT_EQ(values, expected) << "cycle " << number;
        ASSERT_EQ(top_windows(), windows_before) << "cycle " << number;
        ASSERT_EQ(plat_control::registry_open_handles(), 0) << "cycle " << number;
        ASSERT_EQ(plat_control::global_blocks_outstanding(), 0) << "cycle " << number;
        ASSERT_TRUE(plat_control::debug_lines().empty()) << "cycle " << number << ": " << plat_control::debug_lines().front();
        ASSERT_TRUE(plat_control::message_boxes().empty()) << "cycle " << number;
        ASSERT_TRUE(plat_control::spawns().empty()) << "cycle " << number;
        if (HasFailure()) return;
    }
    const long growth_kb = resident_kb() - warm_kb;
    RecordProperty("cycles", count);
    RecordProperty("rss_growth_kb", static_cast<int>(growth_kb));
    std::cout << count << " cycles; resident memory grew by " << growth_kb << " kB after the first "
              << warm_up_cycles << "\n";
    if (VX_SOAK_MEASURES_MEMORY) {
        EXPECT_LT(growth_kb, allowed_growth_kb);
    }
}

}  // namespace
