// The chart command of the xlhost command line: select a range of the loaded sheet, pick the
// chart item of the add-in's menu, answer its dialog with OK (ticking black and white when
// asked) and save the workbook the add-in built.
#pragma once

#include <string>

#include "xlhost/host.h"

namespace xlhost::cli {

struct ChartRequest {
    std::string range;
    bool black_and_white = false;
    std::string out;  // the .xlsx file
};

// Runs it against the opened add-in (the sheet already loaded, the range already selected);
// writes the saved file and its sheets on `out`; false with a reason.
bool run_chart_command(Host& host, const ChartRequest& request, std::string& out, std::string* error);

}  // namespace xlhost::cli
