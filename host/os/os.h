// The operating-system pieces of the host, behind one small interface: loading the add-in and
// finding its procedures, calling a procedure with the argument layout of its type text, the
// top-level windows Excel owns, the add-in's message boxes and dialogs, and the registry the
// command line writes before a load. host/os/linux/ implements it on the stand-in platform,
// host/os/windows/ on the real one; host/os/dialogs.cpp serves both through the platform's
// control side (platform/control/).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace xlhost::automation {
class Object;
}

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
// Calls the procedure at `address` (stdcall on 32-bit Windows, the x64 convention on 64-bit) with the arguments in order and
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

// ---- Automation (COM) ----
// An Application object served as Excel serves its own: the active object of
// "Excel.Application" and an entry of the running object table. Ending it revokes both.
class AutomationServer {
public:
    virtual ~AutomationServer() = default;
    // References that others hold on the objects it served (the Application and every object
    // reached from it); 0 once all of them were released.
    virtual int references_held() const = 0;
    // Revokes both registrations, as an Excel does when it quits: no one finds the Application
    // any more. What others still hold stays counted; what COM itself kept for the registrations
    // goes with them.
    virtual void withdraw() = 0;
};
std::unique_ptr<AutomationServer> serve_application(std::unique_ptr<automation::Object> application,
                                                    std::string* error);

// ---- Excel instances in processes of their own ----
// True where the automation objects one process serves are reached from others (real COM): there
// each Excel instance needs a process of its own. The stand-in's objects live in the process
// that made them.
bool automation_crosses_processes();
// A process of the xlhost program found beside this program (itself, or the one in the same
// folder as a test suite) started with `arguments`, asked over its standard input and
// answering on its standard output; its standard error is this program's. Ending it closes its
// input and waits for it to end.
class ChildProcess {
public:
    virtual ~ChildProcess() = default;
    // Writes one request line (without its line break).
    virtual bool send(const std::string& line) = 0;
    // Reads one reply: false when the process ended, broke the framing or stayed silent for a
    // minute.
    virtual bool receive(std::string* reply) = 0;
};
std::unique_ptr<ChildProcess> start_xlhost(const std::vector<std::string>& arguments, std::string* error);
// The other end: answers each request line of standard input, writing each reply framed (its
// length in decimal, a line break, its bytes) on standard output, until the input ends. Window
// messages are dispatched meanwhile, so the objects this process serves answer other processes
// while it waits for the next request.
void answer_requests(const std::function<std::string(const std::string&)>& answer);

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
