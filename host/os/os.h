// The operating-system pieces of the host, behind one small interface: loading the add-in and
// finding its procedures, calling a procedure with the argument layout of its type text, the
// top-level windows Excel owns, the add-in's message boxes and dialogs, and the registry the
// command line writes before a load. host/os/linux/ implements it on the stand-in platform,
// host/os/windows/ on the real one; host/os/dialogs.cpp serves both through the platform's
// control side (platform/control/).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace xlhost::os {

// ---- The add-in module ----
class Module {
public:
    virtual ~Module() = default;
    // The address of an exported procedure, or null.
    virtual void* symbol(const std::string& name) const = 0;
};
// Maps the library with a fresh process attach (its load-time initialisation runs now).
std::unique_ptr<Module> load_module(const std::string& path, std::string* error);
// True when two paths name the same file (the module text of REGISTER against the add-in).
bool same_file(const std::string& a, const std::string& b);
// The absolute form of a path, as xlGetName reports the add-in.
std::string absolute_path(const std::string& path);

// ---- Calling a procedure ----
// How one argument or the result travels: the C types of Excel's type-text letters.
enum class Slot { none, int16, uint16, int32, float64, pointer };
struct SlotValue {
    Slot slot = Slot::none;
    int16_t i16 = 0;
    uint16_t u16 = 0;
    int32_t i32 = 0;
    double f64 = 0;
    void* ptr = nullptr;
};
// Calls the procedure at `address` (stdcall on Windows) with the arguments in order and
// answers its result in `result_slot`. False when the call cannot be made.
bool call_procedure(void* address, Slot result_slot, const std::vector<SlotValue>& arguments,
                    SlotValue* result, std::string* error);

// ---- Top-level windows ----
using WindowHandle = std::uintptr_t;
WindowHandle create_top_window(const std::string& class_name);
void destroy_top_window(WindowHandle window);
void activate_window(WindowHandle window);

// ---- Message boxes ----
// The Windows message boxes the add-in has shown, in order (each one recorded and closed by the
// platform as it opened): caption and text in cp1252, the style its icon and buttons show.
struct MessageBoxShown {
    std::string caption, text;
    unsigned style = 0;
};
std::vector<MessageBoxShown> message_boxes_shown();

// ---- Dialogs ----
// From now on, each form the add-in shows modally is answered by clicking the named controls in
// order, as a user would, and counted in *answered (shared: the answer may outlive the caller).
void answer_dialogs(const std::vector<std::string>& clicks, std::shared_ptr<int> answered);

// ---- The registry (HKEY_LOCAL_MACHINE) ----
bool registry_set_text(const std::string& subkey, const std::string& name, const std::string& text,
                       std::string* error);
// Keeps the registry in this file between runs (the stand-in only; the real registry persists).
// The file's folder must exist, unless make_folder asks to create it (the default place).
// False, with the reason, for a file that cannot be read, parsed or written.
bool registry_use_file(const std::string& path, bool make_folder, std::string* error);
// False, with the reason, when a change since registry_use_file could not be saved.
bool registry_saved(std::string* error);
// Where the command line keeps the registry when no --registry is given ("" when there is none).
std::string default_registry_file();

}  // namespace xlhost::os
