// What the add-in's real windows paint, read back by asking them as Windows itself asks them
// when it draws: the colours a control is given and the room a label's text takes.
#pragma once

#include <cstdint>
#include <string>

#include "os/windows/control/win32.h"
#include "platform/control/dialog_control.h"

namespace xlhost::win32 {

struct Colours {
    uint32_t text = plat::color_default;        // 0x00BBGGRR
    uint32_t background = plat::color_default;
};

// The colours the control's parent gives it through the WM_CTLCOLOR* message the control sends
// before it paints, each reported as the default when it is what the system gives a control of
// that kind (so a colour chosen equal to the system's reads as the default).
Colours colours_of(HWND control, plat::ControlKind kind, bool read_only);
// The colour a panel paints its background with; the default when it is the button face's.
uint32_t background_painted_by(HWND panel);
// A label's text laid out as the static control lays it out (ControlView::text_width, text_height).
void measure_label(HWND label, const std::string& text, bool wraps, int* width, int* height);
// The pixels of the top line of a control's sunken edge that the form shows in another colour
// than its left line, the same colour where nothing covers it (ControlView::edge_pixels_covered).
// The form is painted first.
int edge_pixels_covered(HWND form, HWND control);

}  // namespace xlhost::win32
