// The probe add-in loaded by xlhost.exe, as Excel loads an add-in.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/control/platform_control.h"
#include "xlhost/host.h"

namespace win32_test {

class ProbeHost : public ::testing::Test {
protected:
    void SetUp() override {
        sim::reset();
        host = std::make_unique<xlhost::Host>();
        std::string error;
        ASSERT_TRUE(host->load(VX_PROBE_ADDIN, &error)) << error;
        ASSERT_EQ(host->auto_open(), 1);
    }
    void TearDown() override {
        EXPECT_EQ(host->outstanding_values(), 0);
        if (!expect_faults)
            for (const auto& fault : host->faults()) ADD_FAILURE() << "fault: " << fault;
        host.reset();
    }
    xlhost::Value eval(const std::string& formula) {
        std::string error;
        xlhost::Value value = host->eval(formula, &error);
        EXPECT_TRUE(error.empty()) << formula << ": " << error;
        return value;
    }
    static xlhost::Value row(const std::vector<double>& numbers) {
        std::vector<xlhost::Value> items;
        for (double n : numbers) items.push_back(xlhost::Value::num(n));
        return xlhost::Value::array(1, static_cast<int>(items.size()), items);
    }
    std::unique_ptr<xlhost::Host> host;
    bool expect_faults = false;
};

}  // namespace win32_test
