// The dialog toolkit on Windows. A form is kept as a model (caption, size, fonts, controls) and
// becomes real windows only while it is shown: a popup owned by the given window, centred on the
// screen, with one child window per control; the owner is disabled for the modal loop and
// enabled again before the form goes away, so the focus returns to it.
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/control/form_marks.h"
#include "platform/win32/win32.h"

namespace plat {

// A font as the model keeps it (the face name owned here).
struct FontData {
    std::string name;
    int height = 0;
    bool bold = false;
    uint32_t color = color_default;
    FontData() = default;
    explicit FontData(const FontSpec& font)
        : name(font.name ? font.name : ""), height(font.height), bold(font.bold), color(font.color) {}
};

struct FormRecord {
    struct Control {
        ControlKind kind;
        std::string name;
        int parent;
        int left, top, width, height;
        std::string text;
        unsigned options;
        FontData font;
        bool own_font = false;
        uint32_t color = color_default;
        bool enabled = true;
        int tab_order = -1;
        bool checked = false;
        ClickHandler on_click = nullptr;
        void* click_context = nullptr;
        HWND hwnd = nullptr;
        HFONT hfont = nullptr;
        HBRUSH brush = nullptr;
        // A picture's bitmap: rows of red, green, blue samples, and its DIB while shown.
        int picture_width = 0, picture_height = 0;
        std::vector<unsigned char> picture;
        HBITMAP bitmap = nullptr;
    };

    std::string caption;
    int client_width, client_height;
    FrameStyle frame;
    FontData font;
    std::vector<Control> controls;
    CloseHandler on_close = nullptr;
    DestroyHandler on_destroy = nullptr;
    void* context = nullptr;

    HWND hwnd = nullptr;
    HWND owner = nullptr;
    HFONT hfont = nullptr;
    bool modal = false;
    bool closed = false;
    bool free_after = false;
};

namespace {

using form_marks::first_control_id;
using form_marks::form_class;
using form_marks::panel_class;
using form_marks::picture_class;

HINSTANCE module_instance() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&module_instance), &module);
    return module;
}

FormRecord* record_of(HWND hwnd) {
    return reinterpret_cast<FormRecord*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

HFONT make_font(const FontData& font) {
    return CreateFontA(-font.height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
}

FormRecord::Control* control_of(Form form, int control) {
    if (form == nullptr || control < 0 || control >= static_cast<int>(form->controls.size()))
        return nullptr;
    return &form->controls[static_cast<size_t>(control)];
}

// Colours of labels, check boxes and text fields: the control's own text colour and
// background when it has them.
LRESULT control_colors(FormRecord* form, HWND child, HDC dc, LRESULT fallback) {
    if (form == nullptr) return fallback;
    for (auto& control : form->controls) {
        if (control.hwnd != child) continue;
        if (control.font.color != color_default) SetTextColor(dc, control.font.color);
        if (control.brush != nullptr) {
            SetBkColor(dc, control.color);
            return reinterpret_cast<LRESULT>(control.brush);
        }
        // A child of a coloured panel shows the panel's colour.
        if (control.parent >= 0) {
            const auto& panel = form->controls[static_cast<size_t>(control.parent)];
            if (panel.brush != nullptr) {
                SetBkColor(dc, panel.color);
                return reinterpret_cast<LRESULT>(panel.brush);
            }
        }
        SetBkMode(dc, TRANSPARENT);
        return fallback ? fallback : reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return fallback;
}

void clicked(FormRecord* form, int id) {
    const int number = id - first_control_id;
    if (form == nullptr || !form->modal || form->closed) return;
    FormRecord::Control* control = control_of(form, number);
    if (control == nullptr) return;
    if (control->kind == ControlKind::check_box)
        control->checked = SendMessageA(control->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (control->on_click != nullptr) control->on_click(control->click_context);
}

LRESULT CALLBACK form_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    FormRecord* form = record_of(hwnd);
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wparam) == BN_CLICKED) {
                clicked(form, LOWORD(wparam));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN: {
            const LRESULT fallback = DefWindowProcA(hwnd, message, wparam, lparam);
            return control_colors(form, reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam),
                                  fallback);
        }
        case WM_CLOSE:
            if (form != nullptr) form_close(form);
            return 0;
        case WM_GETFONT:  // the form's font, which its controls use unless they have their own
            return form != nullptr ? reinterpret_cast<LRESULT>(form->hfont) : 0;
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A panel hands the colours of its children to the form, and paints its own background.
LRESULT CALLBACK panel_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_COMMAND:
            return form_procedure(GetAncestor(hwnd, GA_ROOT), message, wparam, lparam);
        case WM_ERASEBKGND: {
            FormRecord* form = record_of(GetAncestor(hwnd, GA_ROOT));
            HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
            if (form != nullptr)
                for (const auto& control : form->controls)
                    if (control.hwnd == hwnd && control.brush != nullptr) brush = control.brush;
            RECT area;
            GetClientRect(hwnd, &area);
            FillRect(reinterpret_cast<HDC>(wparam), &area, brush);
            return 1;
        }
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A picture paints its bitmap stretched to its client area, with halftone so that a large
// picture shrunk into a small box keeps its shapes.
LRESULT CALLBACK picture_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case STM_SETIMAGE: {
            const LONG_PTR before = GetWindowLongPtrA(hwnd, GWLP_USERDATA);
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(lparam));
            InvalidateRect(hwnd, nullptr, TRUE);
            return before;
        }
        case STM_GETIMAGE:
            return GetWindowLongPtrA(hwnd, GWLP_USERDATA);
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd, &paint);
            const auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
            BITMAP info{};
            RECT area;
            GetClientRect(hwnd, &area);
            HDC source = bitmap != nullptr ? CreateCompatibleDC(dc) : nullptr;
            if (source != nullptr && GetObjectA(bitmap, sizeof info, &info) != 0) {
                const HGDIOBJ before = SelectObject(source, bitmap);
                SetStretchBltMode(dc, HALFTONE);
                SetBrushOrgEx(dc, 0, 0, nullptr);
                StretchBlt(dc, 0, 0, area.right, area.bottom, source, 0, 0, info.bmWidth, info.bmHeight,
                           SRCCOPY);
                SelectObject(source, before);
            }
            if (source != nullptr) DeleteDC(source);
            EndPaint(hwnd, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;  // the picture covers the whole area; without one the parent's colour shows
        default:
            break;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// A 24-bit DIB section holding the picture (Windows keeps its rows bottom-up as blue, green,
// red, each padded to 4 bytes).
HBITMAP make_bitmap(const FormRecord::Control& control) {
    if (control.picture.empty()) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = control.picture_width;
    info.bmiHeader.biHeight = control.picture_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) return bitmap;
    const size_t width = static_cast<size_t>(control.picture_width);
    const size_t stride = (width * 3 + 3) / 4 * 4;
    auto* rows = static_cast<unsigned char*>(bits);
    for (size_t y = 0; y < static_cast<size_t>(control.picture_height); ++y) {
        const unsigned char* from = &control.picture[y * width * 3];
        unsigned char* to = rows + (static_cast<size_t>(control.picture_height) - 1 - y) * stride;
        for (size_t x = 0; x < width; ++x) {
            to[x * 3] = from[x * 3 + 2];
            to[x * 3 + 1] = from[x * 3 + 1];
            to[x * 3 + 2] = from[x * 3];
        }
    }
    GdiFlush();
    return bitmap;
}

bool register_classes() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA form{};
    form.lpfnWndProc = &form_procedure;
    form.hInstance = module_instance();
    form.hCursor = LoadCursor(nullptr, IDC_ARROW);
    form.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    form.lpszClassName = form_class;
    WNDCLASSA panel = form;
    panel.lpfnWndProc = &panel_procedure;
    panel.lpszClassName = panel_class;
    WNDCLASSA picture = form;
    picture.lpfnWndProc = &picture_procedure;
    picture.hbrBackground = nullptr;
    picture.lpszClassName = picture_class;
    const bool form_ok = RegisterClassA(&form) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    const bool panel_ok = RegisterClassA(&panel) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    const bool picture_ok = RegisterClassA(&picture) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    registered = form_ok && panel_ok && picture_ok;
    return registered;
}

void window_class_and_style(const FormRecord::Control& control, const char** window_class,
                            DWORD* style, DWORD* ex_style) {
    // Controls that overlap (a label's last row on a text box's frame) each paint only where no
    // sibling above them lies, so that neither paints over the other: the order of the windows
    // decides, not the order in which they happen to paint.
    *style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    *ex_style = 0;
    if (control.tab_order >= 0) *style |= WS_TABSTOP;
    switch (control.kind) {
        case ControlKind::label:
            *window_class = "STATIC";
            *style |= (control.options & control_word_wrap) ? SS_LEFT : SS_LEFTNOWORDWRAP;
            break;
        case ControlKind::edit:
            *window_class = "EDIT";
            *style |= ES_AUTOHSCROLL;
            if (control.options & control_read_only) *style |= ES_READONLY;
            *ex_style = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::check_box:
            *window_class = "BUTTON";
            *style |= BS_AUTOCHECKBOX;
            break;
        case ControlKind::button:
            *window_class = "BUTTON";
            *style |= BS_PUSHBUTTON;
            break;
        case ControlKind::panel:
            *window_class = panel_class;
            *style |= WS_CLIPCHILDREN;
            break;
        case ControlKind::picture:
            *window_class = picture_class;
            break;
        case ControlKind::memo:
            *window_class = "EDIT";
            *style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
            if (control.options & control_vertical_scroll) *style |= WS_VSCROLL;
            if (control.options & control_read_only) *style |= ES_READONLY;
            *ex_style = WS_EX_CLIENTEDGE;
            break;
    }
}

// Reads what the user changed back into the model.
void read_back(FormRecord* form) {
    for (auto& control : form->controls) {
        if (control.hwnd == nullptr) continue;
        if (control.kind == ControlKind::check_box)
            control.checked = SendMessageA(control.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (control.kind == ControlKind::edit || control.kind == ControlKind::memo) {
            const int length = GetWindowTextLengthA(control.hwnd);
            std::string text(static_cast<size_t>(length) + 1, '\0');
            GetWindowTextA(control.hwnd, &text[0], length + 1);
            text.resize(std::strlen(text.c_str()));
            control.text = text;
        }
    }
}

// The name and click marks of a control window (form_marks.h).
void mark_control(FormRecord::Control& control) {
    if (!control.name.empty() && GetPropA(control.hwnd, form_marks::control_name) == nullptr) {
        const ATOM name = AddAtomA(control.name.c_str());
        if (name != 0)
            SetPropA(control.hwnd, form_marks::control_name,
                     reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(name)));
    }
    if (control.on_click != nullptr)
        SetPropA(control.hwnd, form_marks::has_click, reinterpret_cast<HANDLE>(1));
    else
        RemovePropA(control.hwnd, form_marks::has_click);
}

void unmark_control(FormRecord::Control& control) {
    const auto name = static_cast<ATOM>(
        reinterpret_cast<UINT_PTR>(RemovePropA(control.hwnd, form_marks::control_name)));
    if (name != 0) DeleteAtom(name);
    RemovePropA(control.hwnd, form_marks::has_click);
}

void destroy_windows(FormRecord* form) {
    if (form->hwnd == nullptr) return;
    read_back(form);
    for (auto& control : form->controls)
        if (control.hwnd != nullptr) unmark_control(control);
    RemovePropA(form->hwnd, form_marks::form_closed);
    SetWindowLongPtrA(form->hwnd, GWLP_USERDATA, 0);
    DestroyWindow(form->hwnd);
    form->hwnd = nullptr;
    for (auto& control : form->controls) {
        control.hwnd = nullptr;
        if (control.hfont != nullptr) DeleteObject(control.hfont);
        if (control.brush != nullptr) DeleteObject(control.brush);
        if (control.bitmap != nullptr) DeleteObject(control.bitmap);
        control.hfont = nullptr;
        control.brush = nullptr;
        control.bitmap = nullptr;
    }
    if (form->hfont != nullptr) DeleteObject(form->hfont);
    form->hfont = nullptr;
}

bool create_windows(FormRecord* form, HWND owner) {
    if (!register_classes()) return false;
    // A caption without WS_SYSMENU has no system menu and no title-bar buttons. A tool window
    // has the small caption and a thin border; a dialog the modal dialog border.
    const bool tool = form->frame == FrameStyle::tool_window;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | (tool ? 0 : DS_MODALFRAME);
    const DWORD ex_style = WS_EX_CONTROLPARENT | (tool ? WS_EX_TOOLWINDOW : WS_EX_DLGMODALFRAME);
    RECT frame{0, 0, form->client_width, form->client_height};
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    form->hwnd = CreateWindowExA(ex_style, form_class, form->caption.c_str(), style, left, top, width,
                                 height, owner, nullptr, module_instance(), nullptr);
    if (form->hwnd == nullptr) return false;
    SetWindowLongPtrA(form->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    form->hfont = make_font(form->font);

    for (size_t i = 0; i < form->controls.size(); ++i) {
        auto& control = form->controls[i];
        const char* window_class = "STATIC";
        DWORD control_style = 0, control_ex_style = 0;
        window_class_and_style(control, &window_class, &control_style, &control_ex_style);
        const HWND parent = control.parent >= 0
                                ? form->controls[static_cast<size_t>(control.parent)].hwnd
                                : form->hwnd;
        control.hwnd = CreateWindowExA(control_ex_style, window_class, control.text.c_str(),
                                       control_style, control.left, control.top, control.width,
                                       control.height, parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(first_control_id + i)),
                                       module_instance(), nullptr);
        if (control.hwnd == nullptr) {
            destroy_windows(form);
            return false;
        }
        if (control.own_font) control.hfont = make_font(control.font);
        SendMessageA(control.hwnd, WM_SETFONT,
                     reinterpret_cast<WPARAM>(control.hfont ? control.hfont : form->hfont), FALSE);
        if (control.color != color_default) control.brush = CreateSolidBrush(control.color);
        if (control.kind == ControlKind::check_box)
            SendMessageA(control.hwnd, BM_SETCHECK, control.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        if (control.kind == ControlKind::picture && !control.picture.empty()) {
            control.bitmap = make_bitmap(control);
            SendMessageA(control.hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(control.bitmap));
        }
        EnableWindow(control.hwnd, control.enabled);
        mark_control(control);
    }
    // The tab order is the order of the windows among their siblings: the controls that take
    // the tab come first, above those that do not (the labels), where they overlap.
    HWND previous = HWND_TOP;
    for (int position = 0;; ++position) {
        bool found = false;
        for (auto& control : form->controls) {
            if (control.tab_order != position || control.hwnd == nullptr) continue;
            SetWindowPos(control.hwnd, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            previous = control.hwnd;
            found = true;
        }
        if (!found) break;
    }
    return true;
}

// The focus starts on the first control of the tab order that can take it.
void focus_first(FormRecord* form) {
    const FormRecord::Control* first = nullptr;
    for (const auto& control : form->controls)
        if (control.tab_order >= 0 && control.enabled && control.hwnd != nullptr &&
            (first == nullptr || control.tab_order < first->tab_order))
            first = &control;
    if (first != nullptr) SetFocus(first->hwnd);
}

void destroy_record(FormRecord* form) {
    destroy_windows(form);
    const DestroyHandler on_destroy = form->on_destroy;
    void* context = form->context;
    delete form;
    if (on_destroy != nullptr) on_destroy(context);
}

}  // namespace

Form form_create(const char* caption, int client_width, int client_height, FrameStyle frame,
                 const FontSpec& font) {
    auto* form = new (std::nothrow) FormRecord{};
    if (form == nullptr) return nullptr;
    form->caption = caption ? caption : "";
    form->client_width = client_width;
    form->client_height = client_height;
    form->frame = frame;
    form->font = FontData(font);
    return form;
}

void form_destroy(Form form) {
    if (form == nullptr || form->modal) return;
    destroy_record(form);
}

void form_set_caption(Form form, const char* caption) {
    if (form == nullptr) return;
    form->caption = caption ? caption : "";
    if (form->hwnd != nullptr) SetWindowTextA(form->hwnd, form->caption.c_str());
}

void form_set_handlers(Form form, CloseHandler on_close, DestroyHandler on_destroy, void* context) {
    if (form == nullptr) return;
    form->on_close = on_close;
    form->on_destroy = on_destroy;
    form->context = context;
}

bool form_show_modal(Form form, Window owner) {
    if (form == nullptr || form->modal) return false;
    HWND owner_window = static_cast<HWND>(owner);
    if (!create_windows(form, owner_window)) return false;
    form->owner = owner_window;
    form->modal = true;
    form->closed = false;
    form->free_after = false;
    const bool owner_was_enabled = owner_window != nullptr && IsWindowEnabled(owner_window);
    if (owner_was_enabled) EnableWindow(owner_window, FALSE);
    ShowWindow(form->hwnd, SW_SHOWNORMAL);
    UpdateWindow(form->hwnd);
    focus_first(form);

    MSG message;
    while (!form->closed) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // the application is ending
            break;
        }
        if (got < 0) break;
        if (form->hwnd != nullptr && IsDialogMessageA(form->hwnd, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // The owner gets the focus back before the form disappears.
    if (owner_was_enabled) EnableWindow(owner_window, TRUE);
    if (form->hwnd != nullptr) ShowWindow(form->hwnd, SW_HIDE);
    destroy_windows(form);
    form->closed = true;
    form->modal = false;
    if (form->free_after) destroy_record(form);
    return true;
}

void form_hide(Form form) {
    if (form != nullptr && form->hwnd != nullptr) ShowWindow(form->hwnd, SW_HIDE);
}

void form_close(Form form) {
    if (form == nullptr || (form->modal && form->closed)) return;
    CloseAction action = CloseAction::hide;
    if (form->on_close != nullptr) form->on_close(form->context, &action);
    if (action == CloseAction::none) return;
    if (form->modal) {
        form->closed = true;
        form->free_after = action == CloseAction::free;
        if (form->hwnd != nullptr) SetPropA(form->hwnd, form_marks::form_closed, reinterpret_cast<HANDLE>(1));
        PostMessageA(form->hwnd, WM_NULL, 0, 0);  // wakes the loop
    } else if (action == CloseAction::free) {
        destroy_record(form);
    }
}

int control_add(Form form, ControlKind kind, const char* name, int parent, int left, int top,
                int width, int height, const char* text, unsigned options) {
    if (form == nullptr || form->hwnd != nullptr) return -1;
    if (parent >= static_cast<int>(form->controls.size()) ||
        (parent >= 0 && form->controls[static_cast<size_t>(parent)].kind != ControlKind::panel))
        return -1;
    FormRecord::Control control{};
    control.kind = kind;
    control.name = name ? name : "";
    control.parent = parent < 0 ? -1 : parent;
    control.left = left;
    control.top = top;
    control.width = width;
    control.height = height;
    control.text = text ? text : "";
    control.options = options;
    control.font = form->font;
    form->controls.push_back(control);
    return static_cast<int>(form->controls.size()) - 1;
}

void control_set_text(Form form, int control, const char* text) {
    FormRecord::Control* c = control_of(form, control);
    if (c == nullptr) return;
    c->text = text ? text : "";
    if (c->hwnd != nullptr) SetWindowTextA(c->hwnd, c->text.c_str());
}

int control_text(Form form, int control, char* buffer, int size) {
    if (buffer == nullptr || size <= 0) return 0;
    buffer[0] = '\0';
    FormRecord::Control* c = control_of(form, control);
    if (c == nullptr) return 0;
    if (c->hwnd != nullptr) return GetWindowTextA(c->hwnd, buffer, size);
    const int count = static_cast<int>(c->text.size()) < size - 1 ? static_cast<int>(c->text.size()) : size - 1;
    std::memcpy(buffer, c->text.data(), static_cast<size_t>(count));
    buffer[count] = '\0';
    return count;
}

void control_set_font(Form form, int control, const FontSpec& font) {
    FormRecord::Control* c = control_of(form, control);
    if (c == nullptr) return;
    c->font = FontData(font);
    c->own_font = true;
}

void control_set_color(Form form, int control, uint32_t color) {
    if (FormRecord::Control* c = control_of(form, control)) c->color = color;
}

void control_set_enabled(Form form, int control, bool enabled) {
    FormRecord::Control* c = control_of(form, control);
    if (c == nullptr) return;
    c->enabled = enabled;
    if (c->hwnd != nullptr) EnableWindow(c->hwnd, enabled);
}

void control_set_tab_order(Form form, int control, int position) {
    if (FormRecord::Control* c = control_of(form, control)) c->tab_order = position < 0 ? -1 : position;
}

void control_set_checked(Form form, int control, bool checked) {
    FormRecord::Control* c = control_of(form, control);
    if (c == nullptr) return;
    c->checked = checked;
    if (c->hwnd != nullptr) SendMessageA(c->hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool control_checked(Form form, int control) {
    FormRecord::Control* c = control_of(form, control);
    if (c == nullptr) return false;
    if (c->hwnd != nullptr) return SendMessageA(c->hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return c->checked;
}

void control_set_click(Form form, int control, ClickHandler on_click, void* context) {
    FormRecord::Control* c = control_of(form, control);
    if (c == nullptr) return;
    c->on_click = on_click;
    c->click_context = context;
    if (c->hwnd != nullptr) mark_control(*c);
}

bool control_set_picture(Form form, int control, const PictureSpec& picture) {
    FormRecord::Control* c = control_of(form, control);
    if (c == nullptr || c->kind != ControlKind::picture || picture.components != 3 || picture.width < 1 ||
        picture.height < 1 || picture.width > picture_side_max || picture.height > picture_side_max ||
        picture.pixels == nullptr)
        return false;
    const size_t size = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 3;
    try {
        c->picture.assign(picture.pixels, picture.pixels + size);
    } catch (...) {
        return false;
    }
    c->picture_width = picture.width;
    c->picture_height = picture.height;
    if (c->hwnd != nullptr) {
        HBITMAP before = c->bitmap;
        c->bitmap = make_bitmap(*c);
        SendMessageA(c->hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(c->bitmap));
        if (before != nullptr) DeleteObject(before);
    }
    return true;
}

}  // namespace plat
