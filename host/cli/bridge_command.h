// The bridge command of the xlhost command line: several Excel instances, each with its own
// copy of the add-in, one of them ours; what the add-in's automation bridge made of them.
#pragma once

#include <string>

namespace xlhost::cli {

struct BridgeRequest {
    std::string excel_version = "8.0";  // what GET.WORKSPACE(2) answers in every instance
    int instances = 1;
    int own = 0;            // 1-based; 0: the last to register
    bool own_late = false;  // ours serves its Application only once its add-in has opened
    std::string sheet;      // BOOK.csv loaded into ours, and RANGE read by the add-in
    std::string range;
};

// Runs it and writes its lines on `out`; false with a one-line reason when it could not run
// (`load_failed` tells a load failure apart). Faults of the add-in are counted in `faults`.
bool run_bridge_command(const std::string& addin, const BridgeRequest& request, std::string& out, std::string* error,
                        bool* load_failed, size_t* faults);

}  // namespace xlhost::cli
