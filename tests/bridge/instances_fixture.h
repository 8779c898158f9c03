// Several Excel instances, each with its own copy of the add-in (copied to a folder of its own
// inside the test's scratch folder): natively all in this process on the platform stand-in,
// under Wine each in an xlhost.exe process of its own with real COM. Every scenario ends with
// the same checks: nothing of Excel's outstanding, no automation string, array or helper object
// alive, every reference to the instances' objects given back, OLE uninitialised as often as
// initialised.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "instances/instance.h"
#include "platform/control/platform_control.h"
#include "support/scratch_folder.h"
#include "xll/xloper.h"
#include "xlhost/host.h"

namespace bridge_test {

using xlhost::instances::AutomationLedger;
using xlhost::instances::Instance;

class Instances : public ::testing::Test {
protected:
    void SetUp() override {
        plat_control::reset();
        ASSERT_TRUE(scratch.ready());
    }
    void TearDown() override {
        for (auto& excel : excels) excel->close();
        // Once no instance can be found any more, what COM kept for the registrations is gone:
        // what is left is held by someone.
        for (auto& excel : excels) excel->withdraw();
        expect_clean();
        for (auto& excel : excels) {
            const std::vector<std::string> faults = excel->unload();
            EXPECT_TRUE(faults.empty()) << faults.front();
            std::string error;
            EXPECT_TRUE(excel->intact(&error)) << error;
        }
    }

    // `count` instances answering GET.WORKSPACE(2) with `version`, not yet serving; `disturbed`
    // ones answer the add-in's reference coercion as an Excel 97 beside other instances does.
    void make(int count, const std::string& version = "8.0", bool disturbed = false) {
        make(count, version, disturbed ? xlhost::CoercionProbes::disturbed() : xlhost::CoercionProbes{});
    }
    void make(int count, const std::string& version, const xlhost::CoercionProbes& probes) {
        xlhost::instances::InstanceOptions options;
        options.excel_version = version;
        options.probes = probes;
        for (int i = 0; i < count; ++i) {
            std::string error;
            auto made = xlhost::instances::make_instance(options, &error);
            ASSERT_NE(made, nullptr) << error;
            excels.push_back(std::move(made));
        }
    }
    Instance& instance(int number) { return *excels.at(static_cast<size_t>(number - 1)); }
    // Serves the instance's Application, as an Excel does when it starts.
    void serve(int number) {
        std::string error;
        ASSERT_TRUE(instance(number).serve(&error)) << error;
    }
    // Loads the instance's own copy of the add-in.
    void load(int number) {
        const auto folder = scratch.file("instance" + std::to_string(number));
        std::filesystem::create_directories(folder);
        const std::string copy = folder + "/" + std::filesystem::path(xlhost::default_addin_path()).filename().string();
        std::filesystem::copy_file(xlhost::default_addin_path(), copy, std::filesystem::copy_options::overwrite_existing);
        std::string error;
        bool refused = false;
        ASSERT_TRUE(instance(number).load(copy, &error, &refused)) << error;
    }
    void open(int number) { ASSERT_EQ(instance(number).open(), 1); }
    // A sheet of CSV text as the instance's active sheet.
    void sheet(int number, const std::string& csv) {
        std::string error;
        ASSERT_TRUE(instance(number).load_sheet(scratch.write("sheet" + std::to_string(number) + ".csv", csv), &error))
            << error;
    }
    // References others hold on an instance's objects once it has quit: with real COM, the
    // interface stubs that served other processes stay with its registrations until then.
    int held_after_quitting(int number) {
        instance(number).withdraw();
        return instance(number).references_held();
    }
    std::vector<int> probes() {
        std::vector<int> counts;
        for (const auto& excel : excels) counts.push_back(excel->probes_evaluated());
        return counts;
    }
    AutomationLedger ledger() { return xlhost::instances::machine_ledger(excels); }
    // Where each instance is a process of its own, COM answers GetActiveObject from the asking
    // process's own registration first (Wine's does): our instance, serving, is then the active
    // object it finds, whatever the order the others registered in. The stand-in answers the
    // earliest registration still standing.
    bool own_registration_found_first() const { return !excels.empty() && !excels.front()->in_this_process(); }

    void expect_clean() {
        for (size_t i = 0; i < excels.size(); ++i) {
            EXPECT_EQ(excels[i]->outstanding_values(), 0) << "instance " << i + 1;
            EXPECT_EQ(excels[i]->references_held(), 0) << "instance " << i + 1;
        }
        const AutomationLedger counted = ledger();
        EXPECT_EQ(counted.strings_alive, 0);
        EXPECT_EQ(counted.safe_arrays_alive, 0);
        EXPECT_EQ(counted.helpers_alive, 0);
        EXPECT_EQ(counted.ole_initializations, counted.ole_uninitializations);
    }

    vx_test::ScratchFolder scratch;
    std::vector<std::unique_ptr<Instance>> excels;
};

}  // namespace bridge_test
