// The control side of the dialog toolkit: what xlhost and the tests use to decide what happens
// when the add-in shows a form modally, and to read the forms it built. Implemented by the
// stand-in's toolkit (platform/sim/dialogs.cpp) and, over the add-in's real dialog windows, by
// the Windows host (host/os/windows/control/dialogs_control.cpp).
//
// Without a driver a modally shown form closes at once, as a dialog nobody answers would be
// dismissed. With a driver, the driver runs inside the modal loop: it looks at the layout, ticks
// check boxes and presses buttons as a user would (each press runs the add-in's click handler);
// when it returns and the form is still open, the stand-in closes it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace plat_control {

struct FontView {
    std::string name;
    int height = 0;
    bool bold = false;
    uint32_t color = plat::color_default;
    bool operator==(const FontView& other) const {
        return name == other.name && height == other.height && bold == other.bold &&
               color == other.color;
    }
};

struct ControlView {
    int number = 0;
    plat::ControlKind kind = plat::ControlKind::label;
    std::string name;
    int parent = -1;
    int left = 0, top = 0, width = 0, height = 0;
    std::string text;  // cp1252, as the add-in set it
    unsigned options = 0;
    FontView font;     // the form's font unless the control has its own
    bool own_font = false;
    uint32_t color = plat::color_default;
    bool enabled = true;
    int tab_order = -1;  // -1: no tab stop
    bool checked = false;
    bool has_click = false;
    // A picture's bitmap as the toolkit holds it; 0 x 0 without one. It is shown at the
    // control's width and height.
    int picture_width = 0, picture_height = 0, picture_components = 0;
    // A label's text as the system lays it out in the label's font (wrapped at its width when
    // it wraps): the widest line, and the height down to the lowest row any letter inks, a
    // descender's too, which is what must show for every letter to be whole. 0 x 0 where nothing
    // measures it: the stand-in has no fonts.
    int text_width = 0, text_height = 0;
    // A text field or multi-line box, drawn with a sunken edge: the pixels of the edge's top
    // line that the screen shows in another colour than the edge's own, where another control
    // painted over it. 0 where nothing paints: the stand-in.
    int edge_pixels_covered = 0;
};

struct FormView {
    std::string caption;
    int client_width = 0, client_height = 0;
    plat::FrameStyle frame = plat::FrameStyle::dialog;
    FontView font;
    plat::Window owner = nullptr;  // the owner it was shown with
    bool title_buttons = false;    // a system menu, and with it buttons, on the caption
    bool centred = false;          // in the middle of the screen
    bool visible = false;
    bool modal = false;  // inside its modal loop
    std::vector<ControlView> controls;

    // The control of that name, or null.
    const ControlView* control(const std::string& name) const {
        for (const auto& c : controls)
            if (c.name == name) return &c;
        return nullptr;
    }
};

// Runs inside the modal loop of every form shown modally while it is set; null: none.
using DialogDriver = std::function<void(plat::Form form)>;
void dialog_set_driver(DialogDriver driver);

// The form as it is now.
FormView form_view(plat::Form form);
// A user's click on the named control of a form in its modal loop: a check box toggles, then
// the click handler runs. Nothing happens (false) for an unknown or disabled control, or a form
// that is not open.
bool form_click(plat::Form form, const std::string& control);
// A user's typing at the end of the named text field or multi-line text box of a form in its
// modal loop (a line break is "\r\n"). False for an unknown, disabled or read-only control, one
// that takes no text, or a form that is not open.
bool form_type(plat::Form form, const std::string& control, const std::string& text);
// Whether the form is still open (shown modally and not yet closed).
bool form_open(plat::Form form);

// Every form at the moment it was shown modally, in order.
const std::vector<FormView>& shown_forms();
void shown_forms_clear();
// Forms created and not yet destroyed (a leak check).
int forms_alive();

// No driver, no records; forms still alive are destroyed.
void dialogs_reset();

}  // namespace plat_control
