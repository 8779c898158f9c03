// A host with the test add-in loaded and opened, on a fresh stand-in machine. Every test
// ends with no value left waiting for xlFree and, unless it expects some, no fault.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/control/platform_control.h"
#include "xlhost/host.h"

class LoadedHost : public ::testing::Test {
protected:
    void SetUp() override {
        sim::reset();
        host = std::make_unique<xlhost::Host>();
        std::string error;
        ASSERT_TRUE(host->load(XLHOST_TEST_ADDIN, &error)) << error;
        ASSERT_EQ(host->auto_open(), 1);
    }
    void TearDown() override {
        EXPECT_EQ(host->outstanding_values(), 0);
        if (!expect_faults) {
            for (const auto& fault : host->faults()) ADD_FAILURE() << "fault: " << fault;
        }
        host.reset();
    }
    xlhost::Value eval(const std::string& formula) {
        std::string error;
        xlhost::Value value = host->eval(formula, &error);
        EXPECT_TRUE(error.empty()) << formula << ": " << error;
        return value;
    }
    std::string shown(const std::string& formula) { return xlhost::display(eval(formula)); }
    // Expects exactly one fault containing `part`, and forgets it.
    void expect_one_fault(const std::string& part) {
        ASSERT_EQ(host->faults().size(), 1u);
        EXPECT_NE(host->faults()[0].find(part), std::string::npos) << host->faults()[0];
        host->clear_faults();
    }

    std::unique_ptr<xlhost::Host> host;
    bool expect_faults = false;
};
