#include "capi/session.h"

#include <cctype>
#include <cstdio>

namespace xlhost::capi {

bool NoCaseLess::operator()(const std::string& a, const std::string& b) const {
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

void Session::fault(const std::string& what) {
    faults.push_back(what);
    // Loud on purpose: a fault means the add-in did something Excel would punish.
    std::fprintf(stderr, "xlhost: FAULT: %s\n", what.c_str());
}

void Session::record_call(CallRecord record) {
    calls.push_back(std::move(record));
    if (call_watch) call_watch(calls.back());
}

}  // namespace xlhost::capi
