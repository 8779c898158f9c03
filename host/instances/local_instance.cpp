#include "instances/local_instance.h"

#include "model/workbook.h"
#include "platform/control/platform_control.h"

namespace xlhost::instances {
namespace {

Options host_options(const InstanceOptions& options) {
    Options made;
    made.excel_version = options.excel_version;
    made.beside_others = true;
    return made;
}

}  // namespace

LocalInstance::LocalInstance(const InstanceOptions& options) : host_(host_options(options)) {
    host_.answer_coercion_probes(options.probes);
}

bool LocalInstance::load(const std::string& copy, std::string* error, bool* refused) {
    *refused = !host_.load(copy, error);
    return !*refused;
}

bool LocalInstance::load_sheet(const std::string& csv_path, std::string* error) {
    if (!host_.load_csv(csv_path, error)) return false;
    host_.calc();
    return true;
}

std::vector<std::string> LocalInstance::unload() {
    host_.unload();
    return host_.faults();
}

bool LocalInstance::probe_registered() {
    for (const Registration& entry : host_.registrations())
        if (entry.procedure == "CheckInstance" && entry.use_count > 0) return true;
    return false;
}

int LocalInstance::calls_of(int function) {
    int found = 0;
    for (const CallRecord& call : host_.calls()) found += call.function == function;
    return found;
}

int LocalInstance::workbooks_open() { return static_cast<int>(host_.model().books().size()); }

AutomationLedger LocalInstance::ledger() {
    AutomationLedger counted;
    counted.ole_initializations = plat_control::ole_initializations();
    counted.ole_uninitializations = plat_control::ole_uninitializations();
    counted.running_table_enumerations = plat_control::running_table_enumerations();
    counted.helpers_alive = plat_control::automation_helpers_alive();
    counted.strings_alive = plat_control::automation_strings_alive();
    counted.safe_arrays_alive = plat_control::safe_arrays_alive();
    return counted;
}

}  // namespace xlhost::instances
