// A host with an add-in loaded by path on a fresh machine, and opened (xlAutoOpen) unless the
// fixture plays the opening itself. Every test ends with no value left waiting for xlFree and,
// unless it expects some, no fault. The fixtures of the suites differ only in the add-in.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/control/platform_control.h"
#include "xlhost/host.h"

class AddinHost : public ::testing::Test {
protected:
    enum class Opening { opened, left_closed };
    explicit AddinHost(const char* addin_path, Opening opening = Opening::opened)
        : addin_path_(addin_path), opening_(opening) {}

    void SetUp() override {
        plat_control::reset();
        host = std::make_unique<xlhost::Host>();
        std::string error;
        ASSERT_TRUE(host->load(addin_path_, &error)) << error;
        if (opening_ == Opening::opened) {
            ASSERT_EQ(host->auto_open(), 1);
        }
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

    std::unique_ptr<xlhost::Host> host;
    bool expect_faults = false;

private:
    const char* addin_path_;
    Opening opening_;
};
