// The probe add-in loaded by xlhost.exe, as Excel loads an add-in.
#pragma once

#include <vector>

#include "support/addin_host.h"

namespace win32_test {

class ProbeHost : public AddinHost {
protected:
    ProbeHost() : AddinHost(VX_PROBE_ADDIN) {}
    static xlhost::Value row(const std::vector<double>& numbers) {
        std::vector<xlhost::Value> items;
        for (double n : numbers) items.push_back(xlhost::Value::num(n));
        return xlhost::Value::array(1, static_cast<int>(items.size()), items);
    }
};

}  // namespace win32_test
