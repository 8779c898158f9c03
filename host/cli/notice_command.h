// The notice command of the xlhost command line: the add-in loaded as an installer loads it
// (process attach only, no xlAutoOpen), its export _carrega_instalador called, the install
// notice answered with OK, and the notice printed as it was shown.
#pragma once

#include <string>

#include "platform/control/dialog_control.h"
#include "xlhost/host.h"

namespace xlhost::cli {

// Runs it against the loaded add-in and prints the dialog on `out` (UTF-8); false with a
// one-line reason when the add-in lacks the export or showed no dialog.
bool run_notice_command(Host& host, std::string& out, std::string* error);

// A form as a person reads it: the caption, the frame and font, one line per control (kind,
// parent, position, size, font, tab stop, text; a multi-line text line by line), and each
// picture's bitmap.
std::string form_text(const plat_control::FormView& form);

}  // namespace xlhost::cli
