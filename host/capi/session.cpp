#include "capi/session.h"

#include <cctype>
#include <algorithm>
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
    std::fprintf(stderr, "xlhost: FAULT: %s\n", printable(what).c_str());
}

std::vector<os::MessageBoxShown> Session::message_boxes() const {
    std::vector<os::MessageBoxShown> shown = os::message_boxes_shown();
    shown.erase(shown.begin(), shown.begin() + static_cast<std::ptrdiff_t>(std::min(message_boxes_before_session, shown.size())));
    return shown;
}

void Session::forget_shown() {
    alerts.clear();
    message_boxes_before_session = os::message_boxes_shown().size();
}

void Session::record_call(CallRecord record) {
    calls.push_back(std::move(record));
    if (call_watch) call_watch(calls.back());
}

}  // namespace xlhost::capi
