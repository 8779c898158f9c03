// The add-in's forms read from their real windows while they are shown: the layout as the
// control side's FormView describes it, and a user's click on a control found by its name.
#pragma once

#include <string>

#include "os/windows/control/win32.h"
#include "platform/control/dialog_control.h"

namespace xlhost::win32 {

// A top-level window of the add-in's form class.
bool is_form_window(HWND window);
// In its modal loop and not yet closed by the add-in.
bool form_window_open(HWND form);
// The form as its windows show it now, colours as they are given to each control when it paints.
plat_control::FormView read_form(HWND form);
// Presses the named control with the messages a user's click sends (BM_CLICK for buttons and
// check boxes), so the add-in's own handlers run. False for an unknown or disabled control, or a
// form that is not open.
bool click_control(HWND form, const std::string& name);
// Types at the end of the named text field or multi-line text box, as the keyboard would. False
// for an unknown, disabled or read-only control, one that is no text box, or a form not open.
bool type_into(HWND form, const std::string& name, const std::string& text);

}  // namespace xlhost::win32
