// Everything the C-API handlers work on: the model, the memory accounting, the registrations,
// what the add-in did (calls, alerts, faults), and the loaded add-in itself.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "capi/memory.h"
#include "capi/registered_procedures.h"
#include "model/call_records.h"
#include "model/coercion_probes.h"
#include "model/menu_bar.h"
#include "model/workbook.h"
#include "model/value.h"
#include "os/os.h"

namespace xlhost::capi {

// Where the add-in's code runs when it calls into Excel.
enum class Context {
    idle,        // nothing of the add-in runs (a call now comes from nowhere)
    entry,       // an xlAuto* entry or a command: everything is allowed
    function,    // a worksheet function
    auto_free,   // xlAutoFree: only xlFree is allowed
};

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

struct Session {
    Model model;
    MenuBars menus;  // Excel's menu bars; they outlive the add-in's load
    Memory memory;
    Registrations registrations;
    std::vector<Alert> alerts;
    // Message boxes the platform had recorded before those this session shows (os.h).
    size_t message_boxes_before_session = 0;
    std::vector<CallRecord> calls;
    std::function<void(const CallRecord&)> call_watch;  // told of each call as it is answered
    std::vector<std::string> faults;
    // What Excel refused on its own, with why the user should be told (host.h, notes()).
    std::vector<std::string> notes;
    std::map<std::string, Value, NoCaseLess> names;  // names SET.NAME defined with a value

    std::string addin_path;  // the add-in's full path, as xlGetName answers it
    os::Module* module = nullptr;
    os::WindowHandle main_window = 0;
    Context context = Context::idle;
    Sheet* current_sheet = nullptr;  // the sheet of the formula being calculated
    // Runs the add-in's xlAutoRegister (REGISTER without a type text asks the add-in).
    std::function<void(const std::string& procedure)> auto_register_hook;
    // What GET.WORKSPACE(2) answers: the version of the Excel the host stands in for.
    std::string excel_version = "8.0";
    // How the reference-coercion probes (CALCULATE.NOW, ISTEXT of a reference) are answered:
    // as an Excel 97 does while other instances of it run on the machine, or otherwise.
    CoercionProbes coercion_probes;
    // Probe formulas (CALL through ExecuteExcel4Macro) this instance evaluated.
    int probes = 0;
    // Recalculates the active sheet (CALCULATE.NOW).
    std::function<void()> calculate_hook;
    // Why the handler running now refused its call; copied into the call log.
    std::string calls_note;

    void fault(const std::string& what);
    void record_call(CallRecord record);
    // The message boxes shown since the session's start (or since the alerts were cleared).
    std::vector<os::MessageBoxShown> message_boxes() const;
    void forget_shown();
    Sheet& sheet_in_use() { return current_sheet ? *current_sheet : model.active_sheet(); }
};

}  // namespace xlhost::capi
