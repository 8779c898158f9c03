// The dialog toolkit of the stand-in: forms are kept as a model, and a modal show hands the form
// to the driver the host set (or closes it at once). Form handles are numbers, not addresses, so
// a handle the host keeps after the form is gone finds nothing instead of freed memory.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/control/dialog_control.h"

namespace {

struct Click {
    plat::ClickHandler handler = nullptr;
    void* context = nullptr;
};

struct Record {
    plat_control::FormView view;
    std::vector<Click> clicks;  // one per control
    plat::CloseHandler on_close = nullptr;
    plat::DestroyHandler on_destroy = nullptr;
    void* context = nullptr;
    bool closed = false;      // the running modal loop has been told to end
    bool free_after = false;  // destroy once the modal loop has ended
};

std::map<uintptr_t, std::unique_ptr<Record>> forms;
uintptr_t next_handle = 0x5A0;
plat_control::DialogDriver driver;
std::vector<plat_control::FormView> shown;

Record* find(plat::Form form) {
    const auto found = forms.find(reinterpret_cast<uintptr_t>(form));
    return found == forms.end() ? nullptr : found->second.get();
}

plat_control::ControlView* control_of(plat::Form form, int control) {
    Record* record = find(form);
    if (record == nullptr || control < 0 || control >= static_cast<int>(record->view.controls.size()))
        return nullptr;
    return &record->view.controls[static_cast<size_t>(control)];
}

plat_control::FontView font_view(const plat::FontSpec& font) {
    return {font.name ? font.name : "", font.height, font.bold, font.color};
}

void destroy(uintptr_t handle) {
    const auto found = forms.find(handle);
    if (found == forms.end()) return;
    std::unique_ptr<Record> record = std::move(found->second);
    forms.erase(found);
    if (record->on_destroy != nullptr) record->on_destroy(record->context);
}

}  // namespace

namespace plat_control {

void dialog_set_driver(DialogDriver value) { driver = std::move(value); }

FormView form_view(plat::Form form) {
    Record* record = find(form);
    return record ? record->view : FormView{};
}

bool form_open(plat::Form form) {
    Record* record = find(form);
    return record != nullptr && record->view.modal && !record->closed;
}

bool form_click(plat::Form form, const std::string& name) {
    if (!form_open(form)) return false;
    Record* record = find(form);
    for (size_t i = 0; i < record->view.controls.size(); ++i) {
        ControlView& control = record->view.controls[i];
        if (control.name != name) continue;
        if (!control.enabled) return false;
        if (control.kind == plat::ControlKind::check_box) control.checked = !control.checked;
        const Click click = record->clicks[i];
        if (click.handler != nullptr) click.handler(click.context);
        return true;
    }
    return false;
}

bool form_type(plat::Form form, const std::string& name, const std::string& text) {
    if (!form_open(form)) return false;
    for (ControlView& control : find(form)->view.controls) {
        if (control.name != name) continue;
        if (!control.enabled || (control.options & plat::control_read_only) ||
            (control.kind != plat::ControlKind::edit && control.kind != plat::ControlKind::memo))
            return false;
        control.text += text;
        return true;
    }
    return false;
}

const std::vector<FormView>& shown_forms() { return shown; }
void shown_forms_clear() { shown.clear(); }
int forms_alive() { return static_cast<int>(forms.size()); }

void dialogs_reset() {
    driver = nullptr;
    shown.clear();
    while (!forms.empty()) destroy(forms.begin()->first);
}

}  // namespace plat_control

namespace plat {

Form form_create(const char* caption, int client_width, int client_height, FrameStyle frame,
                 const FontSpec& font) {
    auto record = std::make_unique<Record>();
    record->view.caption = caption ? caption : "";
    record->view.client_width = client_width;
    record->view.client_height = client_height;
    record->view.frame = frame;
    record->view.centred = true;  // every frame the toolkit has: centred, no title-bar buttons
    record->view.font = font_view(font);
    const uintptr_t handle = next_handle;
    next_handle += 4;
    forms.emplace(handle, std::move(record));
    return reinterpret_cast<Form>(handle);
}

void form_destroy(Form form) {
    Record* record = find(form);
    if (record == nullptr || record->view.modal) return;
    destroy(reinterpret_cast<uintptr_t>(form));
}

void form_set_caption(Form form, const char* caption) {
    if (Record* record = find(form)) record->view.caption = caption ? caption : "";
}

void form_set_handlers(Form form, CloseHandler on_close, DestroyHandler on_destroy, void* context) {
    if (Record* record = find(form)) {
        record->on_close = on_close;
        record->on_destroy = on_destroy;
        record->context = context;
    }
}

bool form_show_modal(Form form, Window owner) {
    Record* record = find(form);
    if (record == nullptr || record->view.modal) return false;
    const uintptr_t handle = reinterpret_cast<uintptr_t>(form);
    record->view.owner = owner;
    record->view.visible = true;
    record->view.modal = true;
    record->closed = false;
    record->free_after = false;
    shown.push_back(record->view);
    if (driver) {
        const plat_control::DialogDriver running = driver;  // the driver may replace itself
        running(form);
    }
    record = find(form);
    if (record == nullptr) return true;
    // Nobody closed it: the stand-in does, as the end of the loop must come from somewhere.
    if (!record->closed) form_close(form);
    record = find(form);
    if (record == nullptr) return true;
    if (!record->closed) {
        // The close handler refused; a real loop would wait for the user forever.
        record->closed = true;
        record->view.visible = false;
    }
    record->view.modal = false;
    if (record->free_after) destroy(handle);
    return true;
}

void form_hide(Form form) {
    if (Record* record = find(form)) record->view.visible = false;
}

void form_close(Form form) {
    Record* record = find(form);
    if (record == nullptr || record->closed) return;
    CloseAction action = CloseAction::hide;
    if (record->on_close != nullptr) record->on_close(record->context, &action);
    if (action == CloseAction::none) return;
    record->view.visible = false;
    if (record->view.modal) {
        record->closed = true;
        record->free_after = action == CloseAction::free;
    } else if (action == CloseAction::free) {
        destroy(reinterpret_cast<uintptr_t>(form));
    }
}

int control_add(Form form, ControlKind kind, const char* name, int parent, int left, int top,
                int width, int height, const char* text, unsigned options) {
    Record* record = find(form);
    if (record == nullptr) return -1;
    auto& controls = record->view.controls;
    if (parent >= static_cast<int>(controls.size()) ||
        (parent >= 0 && controls[static_cast<size_t>(parent)].kind != ControlKind::panel))
        return -1;
    plat_control::ControlView control;
    control.number = static_cast<int>(controls.size());
    control.kind = kind;
    control.name = name ? name : "";
    control.parent = parent < 0 ? -1 : parent;
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    control.text = text ? text : "";
    control.options = options;
    control.font = record->view.font;
    controls.push_back(control);
    record->clicks.emplace_back();
    return control.number;
}

void control_set_text(Form form, int control, const char* text) {
    if (plat_control::ControlView* c = control_of(form, control)) c->text = text ? text : "";
}

int control_text(Form form, int control, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    const plat_control::ControlView* c = control_of(form, control);
    const std::string text = c ? c->text : std::string();
    const int count = std::min<int>(size - 1, static_cast<int>(text.size()));
    std::memcpy(buffer, text.data(), static_cast<size_t>(count));
    buffer[count] = '\0';
    return count;
}

void control_set_font(Form form, int control, const FontSpec& font) {
    if (plat_control::ControlView* c = control_of(form, control)) {
        c->font = font_view(font);
        c->own_font = true;
    }
}

void control_set_color(Form form, int control, uint32_t color) {
    if (plat_control::ControlView* c = control_of(form, control)) c->color = color;
}

void control_set_enabled(Form form, int control, bool enabled) {
    if (plat_control::ControlView* c = control_of(form, control)) c->enabled = enabled;
}

void control_set_tab_order(Form form, int control, int position) {
    if (plat_control::ControlView* c = control_of(form, control)) c->tab_order = position < 0 ? -1 : position;
}

void control_set_checked(Form form, int control, bool checked) {
    if (plat_control::ControlView* c = control_of(form, control)) c->checked = checked;
}

bool control_checked(Form form, int control) {
    const plat_control::ControlView* c = control_of(form, control);
    return c != nullptr && c->checked;
}

void control_set_click(Form form, int control, ClickHandler on_click, void* context) {
    Record* record = find(form);
    plat_control::ControlView* c = control_of(form, control);
    if (c == nullptr) return;
    c->has_click = on_click != nullptr;
    record->clicks[static_cast<size_t>(control)] = {on_click, context};
}

bool control_set_picture(Form form, int control, const PictureSpec& picture) {
    plat_control::ControlView* c = control_of(form, control);
    if (c == nullptr || c->kind != ControlKind::picture || picture.components != 3 || picture.width < 1 ||
        picture.height < 1 || picture.width > picture_side_max || picture.height > picture_side_max ||
        picture.pixels == nullptr)
        return false;
    c->picture_width = picture.width;
    c->picture_height = picture.height;
    c->picture_components = picture.components;
    return true;
}

}  // namespace plat
