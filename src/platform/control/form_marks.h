// What the dialog toolkit leaves on its real windows besides the layout, so that a program that
// drives the add-in's forms from outside (the Windows test host) can find the controls by the
// names the add-in gave them and tell a closing form from an open one. Written by
// platform/win32/dialogs.cpp, read by host/os/windows/control/form_windows.cpp; no <windows.h>
// here, so that it belongs to neither.
#pragma once

namespace plat::form_marks {

constexpr const char* form_class = "VarentisForm";
constexpr const char* panel_class = "VarentisPanel";
// A picture control: answers STM_GETIMAGE with its bitmap (a 24-bit DIB section of the picture's
// own size), which it paints stretched to its client area.
constexpr const char* picture_class = "VarentisPicture";
// Control number n is the child window with this id plus n.
constexpr int first_control_id = 100;
// On each control window: a local atom (AddAtomA) holding the control's name.
constexpr const char* control_name = "VarentisControlName";
// On each control window that has a click handler.
constexpr const char* has_click = "VarentisHasClick";
// On a form window whose modal loop is ending (the form was closed).
constexpr const char* form_closed = "VarentisFormClosed";

}  // namespace plat::form_marks
