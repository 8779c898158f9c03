// Excel instances among others, each a host with its own copy of the add-in, as the bridge
// command and the bridge's tests drive them. On the platform stand-in every instance lives in
// this process (its COM is one process's); with real COM each one is a process of its own, as
// every Excel is, so that a probe landing in another instance really runs there. Both kinds
// are driven alike.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "xlhost/host.h"

namespace xlhost::instances {

// What the add-in did with COM in one process, as the platform's control side counts it.
struct AutomationLedger {
    int ole_initializations = 0;
    int ole_uninitializations = 0;
    int running_table_enumerations = 0;
    int helpers_alive = 0;  // bind contexts, running object tables, enumerators, monikers
    int strings_alive = 0;  // automation strings
    int safe_arrays_alive = 0;

    AutomationLedger& operator+=(const AutomationLedger& other);
    bool operator==(const AutomationLedger& other) const;
};

struct InstanceOptions {
    std::string excel_version = "8.0";  // what GET.WORKSPACE(2) answers
    // How it answers the reference-coercion probes (CoercionProbes::disturbed(): as an Excel 97
    // does beside other instances).
    CoercionProbes probes;
};

class Instance {
public:
    virtual ~Instance() = default;

    // ---- As an Excel starts and quits ----
    // Serves its Application as the active object and in the running object table.
    virtual bool serve(std::string* error) = 0;
    // Revokes both registrations, as an Excel does when it quits: no one finds it any more.
    virtual void withdraw() = 0;
    // Loads its own copy of the add-in (*refused when the add-in itself would not load).
    virtual bool load(const std::string& copy, std::string* error, bool* refused) = 0;
    virtual int open() = 0;   // xlAutoOpen's result
    virtual int close() = 0;  // xlAutoClose's result
    // Unloads the add-in; the faults found in its behaviour.
    virtual std::vector<std::string> unload() = 0;

    // ---- Its active sheet ----
    // Loads a CSV sheet as its active sheet and calculates it, as Excel opens a workbook.
    virtual bool load_sheet(const std::string& csv_path, std::string* error) = 0;
    // Calculates every formula of the active sheet (once the add-in's functions are there).
    virtual void calculate() = 0;
    virtual void set_cell(const std::string& a1, const Value& value) = 0;
    // RANGE as the add-in's call layer reads it (Host::read_range).
    virtual Value read(const std::string& range) = 0;

    // ---- What happened in it ----
    virtual int probes_evaluated() = 0;
    // The bridge's probe, CheckInstance, stands registered.
    virtual bool probe_registered() = 0;
    // References others hold on its automation objects.
    virtual int references_held() = 0;
    // Values handed to the add-in that still wait for xlFree.
    virtual int outstanding_values() = 0;
    // The add-in's full file name, as xlGetName answers it ("" before a load).
    virtual std::string addin_path() = 0;
    // The add-in's calls into Excel since the last clear_calls, and those of one function number.
    virtual std::vector<CallRecord> calls() = 0;
    virtual int calls_of(int function) = 0;
    // The calls that reached its automation objects since the last clear_calls.
    virtual std::vector<AutomationCall> automation_calls() = 0;
    virtual void clear_calls() = 0;
    // From now on `member` of its `object`s answers `status` (Host::fail_automation; 0 mends it).
    virtual void fail_automation(const std::string& object, const std::string& member, int32_t status) = 0;
    // From now on it answers the coercion probes as `probes` says.
    virtual void answer_coercion_probes(const CoercionProbes& probes) = 0;
    virtual int workbooks_open() = 0;
    virtual std::vector<ShownMessageBox> message_boxes() = 0;
    // What the add-in did with COM in the process this instance runs in.
    virtual AutomationLedger ledger() = 0;
    // True when the instance runs in this process (beside every other such instance).
    virtual bool in_this_process() const = 0;
    // False, with the reason, when the instance was lost on the way (its process ended early).
    virtual bool intact(std::string* error) = 0;
};

// A new instance, not yet serving and without the add-in; null, with the reason, when its
// process could not be started.
std::unique_ptr<Instance> make_instance(const InstanceOptions& options, std::string* error);

// The ledger of the whole machine: each process counted once.
AutomationLedger machine_ledger(const std::vector<std::unique_ptr<Instance>>& instances);

}  // namespace xlhost::instances
