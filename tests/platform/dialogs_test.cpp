// The stand-in's dialog toolkit: the form model, the modal loop that the host's driver runs,
// the close actions and the lifetime of a form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/control/platform_control.h"
#include "platform/control/dialog_control.h"

namespace {

constexpr plat::FontSpec sans{"MS Sans Serif", 11, false, plat::color_default};

// What the handlers of a test form saw.
struct Events {
    plat::Form form = nullptr;
    int clicks = 0;
    int closes = 0;
    int destroys = 0;
    plat::CloseAction action = plat::CloseAction::free;
    bool close_on_click = true;
};

void on_click(void* context) {
    auto* events = static_cast<Events*>(context);
    ++events->clicks;
    if (events->close_on_click) plat::form_close(events->form);
}
void on_close(void* context, plat::CloseAction* action) {
    auto* events = static_cast<Events*>(context);
    ++events->closes;
    EXPECT_EQ(*action, plat::CloseAction::hide);  // the default the handler may change
    *action = events->action;
}
void on_destroy(void* context) { ++static_cast<Events*>(context)->destroys; }

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { plat_control::reset(); }
    void TearDown() override { plat_control::reset(); }

    // A form with a button "ok", a check box "box" and a disabled button "off".
    plat::Form make(Events& events) {
        plat::Form form = plat::form_create("Caption", 312, 143, plat::FrameStyle::tool_window, sans);
        events.form = form;
        const int ok = plat::control_add(form, plat::ControlKind::button, "ok", -1, 1, 2, 3, 4, "OK");
        plat::control_add(form, plat::ControlKind::check_box, "box", -1, 5, 6, 7, 8, "Box");
        const int off = plat::control_add(form, plat::ControlKind::button, "off", -1, 0, 0, 1, 1, "Off");
        plat::control_set_click(form, ok, &on_click, &events);
        plat::control_set_click(form, off, &on_click, &events);
        plat::control_set_enabled(form, off, false);
        plat::form_set_handlers(form, &on_close, &on_destroy, &events);
        return form;
    }
};

TEST_F(Dialogs, TheModelKeepsTheLayoutAsBuilt) {
    plat::Form form = plat::form_create("Título", 470, 416, plat::FrameStyle::dialog, sans);
    const int panel = plat::control_add(form, plat::ControlKind::panel, "Panel1", -1, 0, 0, 473, 57, "");
    const int label = plat::control_add(form, plat::ControlKind::label, "Label1", panel, 67, 23, 126, 29,
                                        "Marvessa", plat::control_word_wrap);
    const int memo = plat::control_add(form, plat::ControlKind::memo, "m_licenca", -1, 16, 144, 441, 225,
                                       "text", plat::control_vertical_scroll);
    // Only a panel holds other controls.
    EXPECT_EQ(plat::control_add(form, plat::ControlKind::label, "x", label, 0, 0, 1, 1, ""), -1);
    EXPECT_EQ(plat::control_add(form, plat::ControlKind::label, "x", 99, 0, 0, 1, 1, ""), -1);
    plat::control_set_font(form, label, {"Tahoma", 24, true, 0x800000});
    plat::control_set_color(form, panel, 0xFFFFFF);
    plat::control_set_tab_order(form, memo, 0);

    const plat_control::FormView view = plat_control::form_view(form);
    EXPECT_EQ(view.caption, "Título");
    EXPECT_EQ(view.client_width, 470);
    EXPECT_EQ(view.client_height, 416);
    EXPECT_EQ(view.frame, plat::FrameStyle::dialog);
    EXPECT_FALSE(view.visible);
    ASSERT_EQ(view.controls.size(), 3u);
    const plat_control::ControlView* l = view.control("Label1");
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->parent, panel);
    EXPECT_EQ((std::vector<int>{l->left, l->top, l->width, l->height}), (std::vector<int>{67, 23, 126, 29}));
    EXPECT_EQ(l->options, plat::control_word_wrap);
    EXPECT_TRUE(l->own_font);
    EXPECT_EQ(l->font, (plat_control::FontView{"Tahoma", 24, true, 0x800000}));
    EXPECT_EQ(view.control("Panel1")->color, 0xFFFFFFu);
    EXPECT_EQ(view.control("Panel1")->tab_order, -1);
    EXPECT_EQ(view.control("m_licenca")->tab_order, 0);
    // A control without a font of its own has the form's.
    EXPECT_FALSE(view.control("m_licenca")->own_font);
    EXPECT_EQ(view.control("m_licenca")->font, (plat_control::FontView{"MS Sans Serif", 11, false, plat::color_default}));
    EXPECT_EQ(view.control("nothing"), nullptr);

    char buffer[3];
    EXPECT_EQ(plat::control_text(form, label, buffer, sizeof buffer), 2);
    EXPECT_STREQ(buffer, "Ma");
    EXPECT_EQ(plat::control_text(form, 42, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    plat::form_destroy(form);
    EXPECT_EQ(plat_control::forms_alive(), 0);
}

TEST_F(Dialogs, WithoutADriverAShownFormClosesAtOnce) {
    Events events;
    plat::Form form = make(events);
    auto owner = plat_control::window_create("XLMAIN");
    EXPECT_TRUE(plat::form_show_modal(form, owner));
    EXPECT_EQ(events.closes, 1);
    EXPECT_EQ(events.destroys, 1);  // closed with the free action
    EXPECT_EQ(plat_control::forms_alive(), 0);
    ASSERT_EQ(plat_control::shown_forms().size(), 1u);
    EXPECT_EQ(plat_control::shown_forms()[0].owner, owner);
    EXPECT_TRUE(plat_control::shown_forms()[0].visible);
    EXPECT_TRUE(plat_control::shown_forms()[0].modal);
    // The handle of a destroyed form finds nothing.
    EXPECT_TRUE(plat_control::form_view(form).controls.empty());
    EXPECT_FALSE(plat::form_show_modal(form, owner));
}

TEST_F(Dialogs, TheDriverTicksAndPressesAsAUserWould) {
    Events events;
    plat::Form form = make(events);
    bool seen_open = false, checked_in_loop = false, clicked_after_close = true, off_clicked = true;
    plat_control::dialog_set_driver([&](plat::Form shown) {
        ASSERT_EQ(shown, form);
        seen_open = plat_control::form_open(shown);
        EXPECT_TRUE(plat_control::form_click(shown, "box"));
        checked_in_loop = plat::control_checked(shown, 1);
        off_clicked = plat_control::form_click(shown, "off");   // disabled: nothing happens
        EXPECT_FALSE(plat_control::form_click(shown, "missing"));
        EXPECT_TRUE(plat_control::form_click(shown, "ok"));     // closes the form
        EXPECT_FALSE(plat_control::form_open(shown));
        clicked_after_close = plat_control::form_click(shown, "ok");
        // Destruction waits for the end of the modal loop.
        EXPECT_EQ(events.destroys, 0);
        EXPECT_EQ(plat_control::forms_alive(), 1);
    });
    EXPECT_TRUE(plat::form_show_modal(form, nullptr));
    EXPECT_TRUE(seen_open);
    EXPECT_TRUE(checked_in_loop);
    EXPECT_FALSE(off_clicked);
    EXPECT_FALSE(clicked_after_close);
    EXPECT_EQ(events.clicks, 1);
    EXPECT_EQ(events.closes, 1);
    EXPECT_EQ(events.destroys, 1);
    EXPECT_EQ(plat_control::forms_alive(), 0);
}

TEST_F(Dialogs, APictureKeepsItsBitmapOnlyWhenItIsOne) {
    plat::Form form = plat::form_create("Logo", 100, 100, plat::FrameStyle::dialog, sans);
    const int picture = plat::control_add(form, plat::ControlKind::picture, "Image1", -1, 19, 8, 41, 41, "");
    const int label = plat::control_add(form, plat::ControlKind::label, "Label1", -1, 0, 0, 9, 9, "L");
    const std::vector<unsigned char> pixels(134 * 133 * 3, 0x80);
    EXPECT_EQ(plat_control::form_view(form).control("Image1")->picture_width, 0);  // none until given
    // Not a picture, not three components, no pixels, no size or too large: refused, unchanged.
    EXPECT_FALSE(plat::control_set_picture(form, label, {134, 133, 3, pixels.data()}));
    EXPECT_FALSE(plat::control_set_picture(form, picture, {134, 133, 4, pixels.data()}));
    EXPECT_FALSE(plat::control_set_picture(form, picture, {134, 133, 3, nullptr}));
    EXPECT_FALSE(plat::control_set_picture(form, picture, {0, 133, 3, pixels.data()}));
    EXPECT_FALSE(plat::control_set_picture(form, picture, {134, 5000, 3, pixels.data()}));
    EXPECT_FALSE(plat::control_set_picture(form, 7, {134, 133, 3, pixels.data()}));
    EXPECT_EQ(plat_control::form_view(form).control("Image1")->picture_width, 0);
    EXPECT_TRUE(plat::control_set_picture(form, picture, {134, 133, 3, pixels.data()}));
    const plat_control::FormView view = plat_control::form_view(form);
    const plat_control::ControlView* shown = view.control("Image1");
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ((std::vector<int>{shown->picture_width, shown->picture_height, shown->picture_components}),
              (std::vector<int>{134, 133, 3}));
    EXPECT_EQ((std::vector<int>{shown->width, shown->height}), (std::vector<int>{41, 41}));  // stretched
    EXPECT_EQ(plat_control::form_view(form).control("Label1")->picture_width, 0);
    plat::form_destroy(form);
}

TEST_F(Dialogs, TypingGoesOnlyIntoTextBoxesThatTakeIt) {
    plat::Form form = plat::form_create("Typing", 100, 100, plat::FrameStyle::dialog, sans);
    plat::control_add(form, plat::ControlKind::memo, "memo", -1, 0, 0, 50, 50, "one\r\ntwo",
                      plat::control_vertical_scroll);
    plat::control_add(form, plat::ControlKind::memo, "fixed", -1, 0, 0, 50, 50, "fixed", plat::control_read_only);
    const int off = plat::control_add(form, plat::ControlKind::edit, "off", -1, 0, 0, 50, 20, "off");
    plat::control_add(form, plat::ControlKind::label, "label", -1, 0, 0, 50, 20, "label");
    plat::control_set_enabled(form, off, false);
    EXPECT_FALSE(plat_control::form_type(form, "memo", "x"));  // not shown: nobody can type
    plat_control::dialog_set_driver([](plat::Form shown) {
        EXPECT_TRUE(plat_control::form_type(shown, "memo", "\r\nthree"));
        EXPECT_FALSE(plat_control::form_type(shown, "fixed", "x"));
        EXPECT_FALSE(plat_control::form_type(shown, "off", "x"));
        EXPECT_FALSE(plat_control::form_type(shown, "label", "x"));
        EXPECT_FALSE(plat_control::form_type(shown, "missing", "x"));
        const plat_control::FormView view = plat_control::form_view(shown);
        EXPECT_EQ(view.control("memo")->text, "one\r\ntwo\r\nthree");
        EXPECT_EQ(view.control("fixed")->text, "fixed");
        EXPECT_EQ(view.control("off")->text, "off");
        EXPECT_EQ(view.control("label")->text, "label");
    });
    EXPECT_TRUE(plat::form_show_modal(form, nullptr));
    plat::form_destroy(form);
    EXPECT_EQ(plat_control::forms_alive(), 0);
}

TEST_F(Dialogs, CloseActionsDecideTheFormsFate) {
    Events events;
    events.action = plat::CloseAction::hide;
    plat::Form form = make(events);
    EXPECT_TRUE(plat::form_show_modal(form, nullptr));
    // Hidden and kept: it can be shown again, and destroyed by its owner.
    EXPECT_EQ(plat_control::forms_alive(), 1);
    EXPECT_FALSE(plat_control::form_view(form).visible);
    EXPECT_TRUE(plat::form_show_modal(form, nullptr));
    EXPECT_EQ(events.closes, 2);
    plat::form_destroy(form);
    EXPECT_EQ(events.destroys, 1);

    // A form whose close handler refuses still leaves the loop: nobody would ever answer it.
    Events stubborn;
    stubborn.action = plat::CloseAction::none;
    plat::Form other = make(stubborn);
    EXPECT_TRUE(plat::form_show_modal(other, nullptr));
    EXPECT_FALSE(plat_control::form_open(other));
    EXPECT_EQ(plat_control::forms_alive(), 1);
}

TEST_F(Dialogs, AFormInItsModalLoopCannotBeDestroyedOrShownAgain) {
    Events events;
    events.close_on_click = false;
    plat::Form form = make(events);
    plat_control::dialog_set_driver([&](plat::Form shown) {
        plat::form_destroy(shown);
        EXPECT_EQ(plat_control::forms_alive(), 1);
        EXPECT_FALSE(plat::form_show_modal(shown, nullptr));
        plat::form_hide(shown);
        EXPECT_FALSE(plat_control::form_view(shown).visible);
        EXPECT_TRUE(plat_control::form_open(shown));  // hidden, still modal
        EXPECT_TRUE(plat_control::form_click(shown, "ok"));
    });
    EXPECT_TRUE(plat::form_show_modal(form, nullptr));
    // The driver returned with the form open: the stand-in closed it.
    EXPECT_EQ(events.clicks, 1);
    EXPECT_EQ(events.closes, 1);
    EXPECT_EQ(plat_control::forms_alive(), 0);
}

TEST_F(Dialogs, ResetDestroysWhatIsLeft) {
    Events events;
    make(events);
    plat_control::dialog_set_driver([](plat::Form) { ADD_FAILURE() << "no driver after reset"; });
    plat_control::reset();
    EXPECT_EQ(events.destroys, 1);
    EXPECT_EQ(plat_control::forms_alive(), 0);
    Events again;
    EXPECT_TRUE(plat::form_show_modal(make(again), nullptr));
}

}  // namespace
