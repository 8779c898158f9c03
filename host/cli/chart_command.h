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

enum class ChartOutcome {
    saved,     // the add-in built its workbook and it was saved
    rejected,  // the add-in refused the selection before showing its dialog (its message says why)
    failed,    // no chart: the item could not be picked, the add-in built nothing or said it failed
    unsaved,   // a workbook was built, but the file could not be written
};

// Runs it against the opened add-in (the sheet already loaded, the range already selected);
// writes what the user saw (alerts and message boxes) and then the saved file and its sheets on
// `out`; anything but `saved` comes with a one-line reason.
ChartOutcome run_chart_command(Host& host, const ChartRequest& request, std::string& out, std::string* error);

}  // namespace xlhost::cli
