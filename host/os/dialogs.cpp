// The add-in's dialogs answered as a user would, the same on both systems: the platform's
// control side runs the driver inside each form's modal loop (the stand-in's toolkit on Linux,
// the hook on the add-in's real dialog windows on Windows).
#include "os/os.h"
#include "platform/control/dialog_control.h"

namespace xlhost::os {

void answer_dialogs(const std::vector<std::string>& clicks, std::shared_ptr<int> answered) {
    plat_control::dialog_set_driver([clicks, answered](plat::Form form) {
        ++*answered;
        for (const auto& control : clicks)
            if (plat_control::form_open(form)) plat_control::form_click(form, control);
    });
}

}  // namespace xlhost::os
