// The add-in's only door to the operating system. Each operation mirrors the Windows call it
// stands for (named in its comment) with that call's arguments and results, so the Windows
// implementation is a thin forwarder and the Linux stand-in (sim/) behaves the same way.
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>

namespace plat {

using Window = void*;       // HWND
using RegKey = void*;       // HKEY
using GlobalBlock = void*;  // HGLOBAL

// ---- Registry (always under HKEY_LOCAL_MACHINE) ----
// Status codes are the Win32 error codes.
constexpr long reg_ok = 0;              // ERROR_SUCCESS
constexpr long reg_not_found = 2;       // ERROR_FILE_NOT_FOUND
constexpr long reg_access_denied = 5;   // ERROR_ACCESS_DENIED
constexpr long reg_more_data = 234;     // ERROR_MORE_DATA

// Value types.
constexpr uint32_t reg_sz = 1;      // REG_SZ
constexpr uint32_t reg_binary = 3;  // REG_BINARY
constexpr uint32_t reg_dword = 4;   // REG_DWORD

// RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, KEY_QUERY_VALUE, key).
long reg_open_query(const char* subkey, RegKey* key);
// RegQueryValueExA(key, name, NULL, type, buffer, size): copies the raw bytes of the value.
// On entry *size is the buffer's size; on return the value's size. A value larger than the
// buffer answers reg_more_data and leaves the buffer's contents undefined.
long reg_query_value(RegKey key, const char* name, uint32_t* type, void* buffer, uint32_t* size);
// RegCreateKeyExA(HKEY_LOCAL_MACHINE, subkey, 0, NULL, 0, KEY_SET_VALUE, NULL, key, NULL).
long reg_create_for_set(const char* subkey, RegKey* key);
// RegSetValueExA(key, name, 0, REG_SZ, text, strlen(text) + 1).
long reg_set_text(RegKey key, const char* name, const char* text);
// RegCloseKey.
long reg_close(RegKey key);

// ---- Windows ----
// EnumWindows: calls the visitor for each top-level window until it answers false.
using WindowVisitor = bool (*)(Window window, void* context);
void enum_top_windows(WindowVisitor visitor, void* context);
// GetClassNameA: copies at most size - 1 characters and a NUL; answers the count copied.
int window_class_name(Window window, char* buffer, int size);
// GetActiveWindow.
Window active_window();

// ---- Message boxes ----
constexpr unsigned mb_ok = 0x00;
constexpr unsigned mb_okcancel = 0x01;
constexpr unsigned mb_iconerror = 0x10;
constexpr unsigned mb_iconwarning = 0x30;
constexpr unsigned mb_iconinformation = 0x40;
constexpr int id_ok = 1;
constexpr int id_cancel = 2;
// MessageBoxA.
int message_box(Window owner, const char* text, const char* caption, unsigned style);

// ---- Debugger output ----
// OutputDebugStringA.
void debug_output(const char* text);
// wvsprintfA into a buffer of `size` bytes (never writes past it); answers the length.
int format_text(char* buffer, size_t size, const char* format, va_list args);

// ---- Movable global memory ----
GlobalBlock global_alloc_moveable(size_t bytes);  // GlobalAlloc(GMEM_MOVEABLE, bytes)
void* global_lock(GlobalBlock block);             // GlobalLock
bool global_unlock(GlobalBlock block);            // GlobalUnlock: true while still locked
GlobalBlock global_free(GlobalBlock block);       // GlobalFree: null on success

// ---- Processes and files ----
constexpr int p_nowait = 1;  // _P_NOWAIT
// _spawnlp(_P_NOWAIT, program, arg0, arg1, NULL): -1 when the program does not start.
intptr_t spawn_nowait(const char* program, const char* arg0, const char* arg1);
// SearchPathA(NULL, file, extension, size, buffer, NULL): the length of the full path, or 0
// when nothing is found; a path that does not fit answers the size it needs (> size).
uint32_t search_path(const char* file, const char* extension, char* buffer, uint32_t size);

}  // namespace plat

// ---- Dialogs ----
// Small modal forms laid out in client-area pixels (96 dots per inch). A form and its controls
// are a model built by the add-in; showing it modally runs until the form is closed. Handlers are
// plain functions with a context pointer and must not throw: on Windows they run inside a window
// procedure. Controls are numbered in creation order from 0.
namespace plat {

using Form = struct FormRecord*;

enum class FrameStyle {
    tool_window,  // small caption, no system menu, no minimise or maximise button
    dialog,       // dialog border, no title-bar buttons
};

enum class ControlKind {
    label,       // static text
    edit,        // single-line text field
    check_box,
    button,      // push button
    panel,       // a plain area that holds other controls
    picture,     // a bitmap stretched to the control's size (control_set_picture)
    memo,        // multi-line text box
};

// Options of a control, or-ed together.
constexpr unsigned control_word_wrap = 0x01;        // label: wraps inside its fixed size
constexpr unsigned control_vertical_scroll = 0x02;  // memo: vertical scroll bar
constexpr unsigned control_read_only = 0x04;        // edit, memo: the user cannot change the text

constexpr uint32_t color_default = 0xFFFFFFFF;  // the system colour of the control's kind

struct FontSpec {
    const char* name;       // face name
    int height;             // character height in pixels (8 points is 11 pixels)
    bool bold;
    uint32_t color;         // 0x00BBGGRR, or color_default
};

// A picture's pixels: rows top to bottom of `width` pixels of red, green and blue samples.
struct PictureSpec {
    int width;
    int height;
    int components;  // 3: the only kind the toolkit shows
    const unsigned char* pixels;  // width x height x components bytes
};

// What happens to a form when it closes; its close handler may change it.
enum class CloseAction {
    none,  // the form stays open
    hide,  // the form is hidden and kept (the default)
    free,  // the form is destroyed once its modal loop has ended
};

using ClickHandler = void (*)(void* context);
using CloseHandler = void (*)(void* context, CloseAction* action);
// Called once when the form is destroyed, whoever destroys it.
using DestroyHandler = void (*)(void* context);

// A new, hidden form centred on the screen; null when it cannot be made.
Form form_create(const char* caption, int client_width, int client_height, FrameStyle frame,
                 const FontSpec& font);
// Destroys a form that is not being shown modally (its destroy handler runs first).
void form_destroy(Form form);
void form_set_caption(Form form, const char* caption);
void form_set_handlers(Form form, CloseHandler on_close, DestroyHandler on_destroy, void* context);
// Shows the form modally, owned by `owner` (null: no owner), and returns when it has closed.
// False when it could not be shown (already shown, or no form).
bool form_show_modal(Form form, Window owner);
// Hides the form; a modal form stays modal until it is closed.
void form_hide(Form form);
// Closes the form: the close handler decides its fate, a modal loop ends once the running
// handler has returned.
void form_close(Form form);

// Adds a control; `parent` is a panel's number, or -1 for the form itself. Answers its number,
// or -1 when it cannot be made. Controls use the form's font until told otherwise.
int control_add(Form form, ControlKind kind, const char* name, int parent, int left, int top,
                int width, int height, const char* text, unsigned options = 0);
void control_set_text(Form form, int control, const char* text);
// Copies at most size - 1 characters and a NUL; answers the count copied.
int control_text(Form form, int control, char* buffer, int size);
void control_set_font(Form form, int control, const FontSpec& font);
void control_set_color(Form form, int control, uint32_t color);
void control_set_enabled(Form form, int control, bool enabled);
// Position in the tab order, from 0; controls without one take no tab stop.
void control_set_tab_order(Form form, int control, int position);
void control_set_checked(Form form, int control, bool checked);
bool control_checked(Form form, int control);
void control_set_click(Form form, int control, ClickHandler on_click, void* context);
// Gives a picture control its bitmap (the pixels are copied), shown stretched to the control's
// size. False, and the picture left as it was, for a control that is not a picture or a picture
// that is not 3 components of 1 x 1 to 4096 x 4096 pixels. A picture without a bitmap shows nothing.
bool control_set_picture(Form form, int control, const PictureSpec& picture);
constexpr int picture_side_max = 4096;

}  // namespace plat
