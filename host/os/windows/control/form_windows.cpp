#include "os/windows/control/form_windows.h"

#include <algorithm>
#include <vector>

#include "os/windows/control/form_painting.h"
#include "platform/control/form_marks.h"

namespace xlhost::win32 {
namespace marks = plat::form_marks;
namespace {

std::string class_of(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string text_of(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string name_of(HWND control) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropA(control, marks::control_name)));
    if (atom == 0) return "";
    char name[256] = "";
    const UINT length = GetAtomNameA(atom, name, sizeof name);
    return std::string(name, length);
}

plat_control::FontView font_of(HWND window) {
    plat_control::FontView view;
    const auto font = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    LOGFONTA logical{};
    if (font == nullptr || GetObjectA(font, sizeof logical, &logical) == 0) return view;
    view.name = logical.lfFaceName;
    view.height = logical.lfHeight < 0 ? -logical.lfHeight : logical.lfHeight;
    view.bold = logical.lfWeight >= FW_BOLD;
    return view;
}

plat::ControlKind kind_of(HWND control, unsigned* options) {
    const std::string window_class = class_of(control);
    const auto style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
    *options = 0;
    if (lstrcmpiA(window_class.c_str(), marks::panel_class) == 0) return plat::ControlKind::panel;
    if (lstrcmpiA(window_class.c_str(), marks::picture_class) == 0) return plat::ControlKind::picture;
    if (lstrcmpiA(window_class.c_str(), "Edit") == 0) {
        if (style & ES_READONLY) *options |= plat::control_read_only;
        if (!(style & ES_MULTILINE)) return plat::ControlKind::edit;
        if (style & WS_VSCROLL) *options |= plat::control_vertical_scroll;
        return plat::ControlKind::memo;
    }
    if (lstrcmpiA(window_class.c_str(), "Button") == 0) {
        const DWORD type = style & BS_TYPEMASK;
        return type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ? plat::ControlKind::check_box
                                                              : plat::ControlKind::button;
    }
    if ((style & SS_TYPEMASK) == SS_BITMAP) return plat::ControlKind::picture;
    if ((style & SS_TYPEMASK) == SS_LEFT) *options |= plat::control_word_wrap;
    return plat::ControlKind::label;
}

// Position among the siblings that take a tab stop, in window order; -1 without one.
int tab_position(HWND control) {
    if (!(GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP)) return -1;
    int position = 0;
    for (HWND sibling = GetWindow(GetParent(control), GW_CHILD); sibling != nullptr;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == control) return position;
        if (GetWindowLongA(sibling, GWL_STYLE) & WS_TABSTOP) ++position;
    }
    return -1;
}

struct Found {
    std::vector<HWND> controls;
};

BOOL CALLBACK collect(HWND child, LPARAM parameter) {
    if (GetPropA(child, marks::control_name) != nullptr)
        reinterpret_cast<Found*>(parameter)->controls.push_back(child);
    return TRUE;
}

std::vector<HWND> controls_of(HWND form) {
    Found found;
    EnumChildWindows(form, collect, reinterpret_cast<LPARAM>(&found));
    std::sort(found.controls.begin(), found.controls.end(),
              [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
    return found.controls;
}

plat_control::ControlView read_control(HWND form, HWND control, const plat_control::FontView& form_font) {
    plat_control::ControlView view;
    view.number = GetDlgCtrlID(control) - marks::first_control_id;
    view.kind = kind_of(control, &view.options);
    view.name = name_of(control);
    const HWND parent = GetParent(control);
    view.parent = parent == form ? -1 : GetDlgCtrlID(parent) - marks::first_control_id;
    RECT area{};
    GetWindowRect(control, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    view.left = area.left;
    view.top = area.top;
    view.width = area.right - area.left;
    view.height = area.bottom - area.top;
    view.text = text_of(control);
    view.font = font_of(control);
    view.own_font = view.font.name != form_font.name || view.font.height != form_font.height ||
                    view.font.bold != form_font.bold;
    view.enabled = IsWindowEnabled(control) != FALSE;
    view.tab_order = tab_position(control);
    if (view.kind == plat::ControlKind::check_box)
        view.checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    view.has_click = GetPropA(control, marks::has_click) != nullptr;
    if (view.kind == plat::ControlKind::panel) {
        view.color = background_painted_by(control);
    } else if (view.kind != plat::ControlKind::picture) {
        const Colours colours = colours_of(control, view.kind, (view.options & plat::control_read_only) != 0);
        view.font.color = colours.text;
        view.color = colours.background;
    }
    if (view.kind == plat::ControlKind::label)
        measure_label(control, view.text, (view.options & plat::control_word_wrap) != 0, &view.text_width,
                      &view.text_height);
    if (GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) view.edge_pixels_covered = edge_pixels_covered(form, control);
    if (view.kind == plat::ControlKind::picture) {
        // The bitmap the picture holds, as GDI describes it.
        const auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP info{};
        if (bitmap != nullptr && GetObjectA(bitmap, sizeof info, &info) != 0) {
            view.picture_width = info.bmWidth;
            view.picture_height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
            view.picture_components = info.bmBitsPixel / 8;
        }
    }
    return view;
}

HWND control_named(HWND form, const std::string& name) {
    for (HWND control : controls_of(form))
        if (name_of(control) == name) return control;
    return nullptr;
}

}  // namespace

bool is_form_window(HWND window) {
    return window != nullptr && IsWindow(window) &&
           lstrcmpiA(class_of(window).c_str(), marks::form_class) == 0;
}

bool form_window_open(HWND form) {
    // The form's windows exist only while it is shown modally (hidden during work it stays open).
    return is_form_window(form) && GetPropA(form, marks::form_closed) == nullptr;
}

plat_control::FormView read_form(HWND form) {
    plat_control::FormView view;
    if (!is_form_window(form)) return view;
    view.caption = text_of(form);
    RECT client{};
    GetClientRect(form, &client);
    view.client_width = client.right - client.left;
    view.client_height = client.bottom - client.top;
    const auto ex_style = static_cast<DWORD>(GetWindowLongA(form, GWL_EXSTYLE));
    view.frame = (ex_style & WS_EX_TOOLWINDOW) ? plat::FrameStyle::tool_window : plat::FrameStyle::dialog;
    view.font = font_of(form);
    view.owner = GetWindow(form, GW_OWNER);
    // Without a system menu the caption has no buttons at all.
    view.title_buttons = (GetWindowLongA(form, GWL_STYLE) & WS_SYSMENU) != 0;
    RECT frame{};
    GetWindowRect(form, &frame);
    const int off_centre_x = frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN);  // twice the offset
    const int off_centre_y = frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN);
    view.centred = off_centre_x >= -1 && off_centre_x <= 1 && off_centre_y >= -1 && off_centre_y <= 1;
    view.visible = IsWindowVisible(form) != FALSE;
    // Modal: inside its loop with its owner disabled (no owner: open is all there is to see).
    view.modal = GetPropA(form, marks::form_closed) == nullptr &&
                 (view.owner == nullptr || !IsWindowEnabled(static_cast<HWND>(view.owner)));
    for (HWND control : controls_of(form)) view.controls.push_back(read_control(form, control, view.font));
    // A control inside a panel is drawn on the panel's colour: it has none of its own.
    for (plat_control::ControlView& control : view.controls) {
        if (control.parent < 0 || control.parent >= static_cast<int>(view.controls.size())) continue;
        if (control.color == view.controls[static_cast<size_t>(control.parent)].color)
            control.color = plat::color_default;
    }
    return view;
}

bool click_control(HWND form, const std::string& name) {
    if (!form_window_open(form)) return false;
    const HWND control = control_named(form, name);
    if (control == nullptr || !IsWindowEnabled(control)) return false;
    if (lstrcmpiA(class_of(control).c_str(), "Button") == 0) {
        SendMessageA(control, BM_CLICK, 0, 0);
    } else {
        // Other controls report a click to their parent as a static control with SS_NOTIFY does.
        SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                     reinterpret_cast<LPARAM>(control));
    }
    return true;
}

bool type_into(HWND form, const std::string& name, const std::string& text) {
    if (!form_window_open(form)) return false;
    const HWND control = control_named(form, name);
    if (control == nullptr || !IsWindowEnabled(control) || lstrcmpiA(class_of(control).c_str(), "Edit") != 0 ||
        (GetWindowLongA(control, GWL_STYLE) & ES_READONLY))
        return false;
    // What typing does: the caret at the end, the text put in as the keys would.
    const int end = GetWindowTextLengthA(control);
    SendMessageA(control, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
    SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return true;
}

}  // namespace xlhost::win32
