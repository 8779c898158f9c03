// A host with the test add-in loaded and opened, on a fresh stand-in machine. Every test
// ends with no value left waiting for xlFree and, unless it expects some, no fault.
#pragma once

#include <string>

#include "support/addin_host.h"

class LoadedHost : public AddinHost {
protected:
    LoadedHost() : AddinHost(XLHOST_TEST_ADDIN) {}
    std::string shown(const std::string& formula) { return xlhost::display(eval(formula)); }
    // Expects exactly one fault containing `part`, and forgets it.
    void expect_one_fault(const std::string& part) {
        ASSERT_EQ(host->faults().size(), 1u);
        EXPECT_NE(host->faults()[0].find(part), std::string::npos) << host->faults()[0];
        host->clear_faults();
    }
};
