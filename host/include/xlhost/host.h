// xlhost: the stand-in for Excel's side of the C API. It loads an add-in by path and drives it
// as Excel does (process attach, xlAuto* entries, formulas, menu picks), serves the add-in's
// calls into Excel, and checks the add-in as Excel would punish it: a value never given back
// with xlFree, a double free, an unknown function number, a wrong argument count.
//
// The host's vocabulary lives in host/model/ (values and texts, registrations, what the add-in
// did, the coercion probes); this facade includes it, so that a user needs this header alone.
//
// One Host at a time can have an add-in loaded: Excel4/Excel4v reach the host through one
// process-wide handler, as they reach the one running Excel. Hosts made `beside_others` are
// several Excel instances in one process instead, each with its own copy of the add-in (loaded
// from a path of its own): a call into Excel reaches the host whose add-in copy is running.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/call_records.h"
#include "model/coercion_probes.h"
#include "model/registration.h"
#include "model/text.h"
#include "model/value.h"
#include "xlhost/menus.h"

namespace xlhost {

class Model;  // workbooks, sheets, formats and charts (model/workbook.h)

// An argument in the C form its type-text letter declares, as a procedure receives it once Excel
// has converted it: a number for B, an integer for A, I and J, for P the address of a record
// (which stays the caller's).
struct CArgument {
    double number = 0;
    std::int32_t integer = 0;
    const void* record = nullptr;
};

struct Options {
    // The host's own language, "en" or "pt": the names of Excel's built-in menus.
    std::string excel_language = "en";
    // What GET.WORKSPACE(2) answers: the version of the Excel the host stands in for ("8.0",
    // Excel 97, the Excel the add-in is built for).
    std::string excel_version = "8.0";
    // One of several Excel instances in this process (see above).
    bool beside_others = false;
};

class Host {
public:
    explicit Host(Options options = {});
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // ---- The add-in ----
    // Loads the add-in by path with a fresh process attach; false (with a reason) on failure.
    bool load(const std::string& path, std::string* error = nullptr);
    // Process detach and unload; the add-in's registrations go with it. A value handed out
    // and never freed is reported as a fault here.
    void unload();
    bool loaded() const;
    // The add-in's full path as xlGetName answers it ("" when nothing is loaded).
    std::string addin_path() const;
    // The address of a procedure the loaded add-in exports, as Excel calls a registered
    // function through it (null when nothing is loaded or there is no such export). For the
    // benchmarks, which time an export on its own, without the formula engine around it.
    void* procedure(const std::string& name) const;
    // The xlAuto* entries; each answers the entry's result (-1 when the add-in lacks it).
    int auto_open();
    int auto_close();
    int auto_add();     // Add-In Manager: add
    int auto_remove();  // Add-In Manager: remove
    Value addin_manager_info(const Value& item);
    Value auto_register(const std::string& procedure);
    // Runs a registered command by its macro name, as a menu pick does (#NAME? when no
    // command of that name is registered).
    Value run_macro(const std::string& macro_name);
    // The worksheet menu bar, and a pick of one of its items as the user makes it: a menu, an
    // item, and for a submenu one of its items, each by name (Excel's matching rules) or by
    // position from 1 (xlhost/menus.h).
    const MenuBar& menu_bar() const;
    PickResult pick(const std::vector<std::string>& path);

    // ---- Registrations ----
    const std::vector<Registration>& registrations() const;
    // The registration whose function text (Excel name) is `name`, compared without case,
    // while its name is defined.
    const Registration* find_function(const std::string& name) const;

    // ---- Sheets and formulas (the active sheet of the active workbook, "[Book1]Sheet1") ----
    // `a1` is one cell ("B2", "$B$2"); anything else throws std::invalid_argument.
    void set_cell(const std::string& a1, const Value& value);
    // Stores a formula; it is evaluated by calc() (and its value read with cell()).
    void set_formula(const std::string& a1, const std::string& formula);
    Value cell(const std::string& a1) const;
    // The formula of a cell, "" when it holds a constant.
    std::string formula(const std::string& a1) const;
    // Loads a CSV sheet into the active sheet (replacing it); false with a one-line reason.
    bool load_csv(const std::string& path, std::string* error = nullptr);
    bool load_csv_text(const std::string& utf8_text, std::string* error = nullptr);
    // The active sheet as CSV of values (UTF-8, formulas replaced by their values); with
    // dates_shown, a cell that shows a date (model/dates.h) as yyyy-mm-dd.
    std::string sheet_csv(bool dates_shown = false) const;
    // Evaluates a formula such as =VX.INTERPOLEX(42;A1:B4;0) against the active sheet.
    // A formula that cannot be parsed answers #NAME? and `error` says why.
    Value eval(const std::string& formula, std::string* error = nullptr);
    // Checks that a formula parses, without evaluating it.
    static bool parse_check(const std::string& formula, std::string* error = nullptr);
    // Recalculates every formula cell, row by row.
    void calc();
    // Calls the worksheet function of that Excel name with arguments already in their C form,
    // exactly as Excel calls it after its own conversions, and takes its result back as Excel
    // does (a result with xlbitDLLFree goes to xlAutoFree). Answers the function's own value,
    // before a cell's conversions; #NAME? when no such function is registered, #VALUE! (and a
    // fault) when the count differs from its type text.
    Value call_function(const std::string& excel_name, const std::vector<CArgument>& arguments);

    // ---- Workbooks, selection, charts (engine/workbooks.cpp) ----
    // Selects cells of the active sheet as a user does: "A1:B4", or several areas with the
    // Ctrl key, "A1:B2,D1:E2". False for a text that is not such an address.
    bool select(const std::string& a1_areas);
    // Puts a drawing object of that name on the active sheet (when it is not there) and selects it.
    void select_object(const std::string& name);
    // Everything Excel holds: workbooks, their sheets, cells, formats and charts.
    const Model& model() const;
    // Saves a workbook (the active one when no name is given) as an .xlsx file.
    bool save_xlsx(const std::string& path, std::string* error = nullptr, const std::string& workbook = "") const;
    // What a user does in each dialog the add-in shows modally from now on: clicks the named
    // controls in order ({"o_cores", "b_ok"} ticks a box, then presses OK).
    void answer_dialogs(const std::vector<std::string>& clicks);
    // How many dialogs answer_dialogs has answered for this host.
    int dialogs_answered() const;
    // Runs `body` as Excel runs a command: a test that plays the add-in calls Excel4 in it.
    void run_as_command(const std::function<void()>& body);

    // ---- Automation, as Excel serves it to other programs ----
    // Serves this instance's Application object as Excel does: the active object of
    // "Excel.Application" (the earliest instance still serving is the one found) and an entry
    // of the running object table, in the order the instances start serving. False, with a
    // reason, where it cannot be served.
    bool serve_automation(std::string* error = nullptr);
    void stop_serving_automation();
    // Revokes the Application's registrations but keeps counting what others hold on its objects.
    void withdraw_automation();
    bool serving_automation() const;
    // References other programs hold on this instance's automation objects (0 when they were
    // all released).
    int automation_references_held() const;
    // Probe formulas (CALL through ExecuteExcel4Macro) this instance has evaluated.
    int probes_evaluated() const;
    // Answers the add-in's reference-coercion probes as an Excel 97 does while other instances
    // of it run on the machine: CALCULATE.NOW answers FALSE, ISTEXT of a reference #REF!.
    void disturb_reference_coercion(bool disturbed);
    // Each probe answered as chosen.
    void answer_coercion_probes(const CoercionProbes& probes);
    // The calls that reached this instance's automation objects, since it was made or
    // clear_calls() was last called.
    const std::vector<AutomationCall>& automation_calls() const;
    // From now on, every `member` of this instance's `object`s (names as in AutomationCall)
    // answers `status`, an HRESULT, instead of running: an automation call failing as a real
    // Excel's may ("Subscript out of range" is DISP_E_EXCEPTION). Status 0 mends it.
    void fail_automation(const std::string& object, const std::string& member, int32_t status);
    // The values of a range of the active sheet ("A1:B4") as the add-in's call layer reads them
    // (its export le_intervalo): through xlCoerce, or under a disturbed Excel 97 through its
    // automation bridge. #VALUE! when the add-in cannot read it.
    Value read_range(const std::string& a1_range);

    // ---- What a user sees ----
    // The function wizard: every category with its functions (hidden ones left out), their
    // argument names, function help and argument help, in UTF-8.
    std::string function_wizard() const;
    // The Add-In Manager's line for the loaded add-in.
    std::string addin_manager_line();

    // ---- What the add-in did ----
    const std::vector<CallRecord>& calls() const;
    // Forgets the calls into Excel and those that reached the automation objects.
    void clear_calls();
    // Runs `watch` for each call of the add-in into Excel the moment it has been answered, while
    // the add-in's code still runs (a test looks at a dialog or a window then); null stops it.
    void watch_calls(std::function<void(const CallRecord&)> watch);
    const std::vector<Alert>& alerts() const;
    // The Windows message boxes the add-in showed since this host was made or clear_alerts()
    // was last called, in order.
    std::vector<ShownMessageBox> message_boxes() const;
    // Forgets the alerts and message boxes shown so far.
    void clear_alerts();
    // Values handed to the add-in that still wait for xlFree.
    int outstanding_values() const;
    // What Excel refused on its own, each with why, for the user to be told: an argument its
    // records cannot hold (a block of more than 65535 rows, such as a whole column) makes the
    // cell answer #VALUE! without a call.
    const std::vector<std::string>& notes() const;
    void clear_notes();
    // Faults found in the add-in's behaviour (double free, unknown function number, ...).
    const std::vector<std::string>& faults() const;
    void clear_faults();
    // Excel's main window (a top-level window of class "XLMAIN") as the OS knows it.
    std::uintptr_t main_window() const;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

// The add-in built beside the host in the same build tree (or $VARENTIS_ADDIN when set).
std::string default_addin_path();

// The command line of the xlhost program: answers the exit status (0 success, 1 the add-in
// failed to load, 2 bad input, 3 the add-in misbehaved: faults are printed on `err`).
int run_command_line(const std::vector<std::string>& arguments, std::string& out, std::string& err);

// Where automation crosses processes, each Excel instance of the bridge command is a process of
// the xlhost program, `xlhost bridge-instance :VERSION [PROBES...]` (host/instances/), asked over
// its standard input: this serves one until its input ends (exit status 0, or 2 for other
// arguments).
int serve_bridge_instance(const std::vector<std::string>& arguments);

}  // namespace xlhost
