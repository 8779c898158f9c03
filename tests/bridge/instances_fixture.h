// Several Excel instances in one process, each a host with its own copy of the add-in (copied
// to a folder of its own inside the test's scratch folder), and the checks every scenario ends
// with: nothing of Excel's outstanding, no automation string, array or helper object alive, every
// reference to the instances' objects given back, OLE uninitialised as often as initialised.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/sim_automation.h"
#include "platform/control/platform_control.h"
#include "support/scratch_folder.h"
#include "xll/xloper.h"
#include "xlhost/host.h"

namespace bridge_test {

class Instances : public ::testing::Test {
protected:
    void SetUp() override {
        sim::reset();
        ASSERT_TRUE(scratch.ready());
    }
    void TearDown() override {
        for (auto& host : hosts) host->auto_close();
        expect_clean();
        for (auto& host : hosts) {
            host->unload();
            EXPECT_TRUE(host->faults().empty()) << host->faults().front();
        }
    }

    // `count` instances answering GET.WORKSPACE(2) with `version`, not yet serving.
    void make(int count, const std::string& version = "8.0") {
        xlhost::Options options;
        options.excel_version = version;
        options.beside_others = true;
        for (int i = 0; i < count; ++i) hosts.push_back(std::make_unique<xlhost::Host>(options));
    }
    xlhost::Host& instance(int number) { return *hosts.at(static_cast<size_t>(number - 1)); }
    // Serves the instance's Application, as an Excel does when it starts.
    void serve(int number) { ASSERT_TRUE(instance(number).serve_automation()); }
    // Loads the instance's own copy of the add-in.
    void load(int number) {
        const auto folder = scratch.file("instance" + std::to_string(number));
        std::filesystem::create_directories(folder);
        const std::string copy = folder + "/" + std::filesystem::path(xlhost::default_addin_path()).filename().string();
        std::filesystem::copy_file(xlhost::default_addin_path(), copy, std::filesystem::copy_options::overwrite_existing);
        std::string error;
        ASSERT_TRUE(instance(number).load(copy, &error)) << error;
    }
    void open(int number) { ASSERT_EQ(instance(number).auto_open(), 1); }
    std::vector<int> probes() const {
        std::vector<int> counts;
        for (const auto& host : hosts) counts.push_back(host->probes_evaluated());
        return counts;
    }
    bool probe_registered(int number) {
        for (const auto& entry : instance(number).registrations())
            if (entry.procedure == "CheckInstance" && entry.use_count > 0) return true;
        return false;
    }
    // The calls of one function number an instance's add-in made.
    int count_calls(int number, int function) {
        int found = 0;
        for (const auto& call : instance(number).calls()) found += call.function == function;
        return found;
    }
    void expect_clean() {
        for (size_t i = 0; i < hosts.size(); ++i) {
            EXPECT_EQ(hosts[i]->outstanding_values(), 0) << "instance " << i + 1;
            EXPECT_EQ(hosts[i]->automation_references_held(), 0) << "instance " << i + 1;
        }
        EXPECT_EQ(sim::automation_strings_alive(), 0);
        EXPECT_EQ(sim::safe_arrays_alive(), 0);
        EXPECT_EQ(sim::automation_helpers_alive(), 0);
        EXPECT_EQ(sim::ole_initializations(), sim::ole_uninitializations());
    }

    vx_test::ScratchFolder scratch;
    std::vector<std::unique_ptr<xlhost::Host>> hosts;
};

}  // namespace bridge_test
