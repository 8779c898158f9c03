#include "instances/instance.h"

#include "instances/local_instance.h"
#include "instances/process_instance.h"
#include "instances/wire.h"
#include "os/os.h"

namespace xlhost::instances {

AutomationLedger& AutomationLedger::operator+=(const AutomationLedger& other) {
    ole_initializations += other.ole_initializations;
    ole_uninitializations += other.ole_uninitializations;
    running_table_enumerations += other.running_table_enumerations;
    helpers_alive += other.helpers_alive;
    strings_alive += other.strings_alive;
    safe_arrays_alive += other.safe_arrays_alive;
    return *this;
}

bool AutomationLedger::operator==(const AutomationLedger& other) const {
    return ole_initializations == other.ole_initializations && ole_uninitializations == other.ole_uninitializations &&
           running_table_enumerations == other.running_table_enumerations && helpers_alive == other.helpers_alive &&
           strings_alive == other.strings_alive && safe_arrays_alive == other.safe_arrays_alive;
}

std::unique_ptr<Instance> make_instance(const InstanceOptions& options, std::string* error) {
    if (!os::automation_crosses_processes()) return std::make_unique<LocalInstance>(options);
    // The version travels as a wire text: any byte of it reaches the other process as it is.
    std::vector<std::string> arguments{"bridge-instance", wire::Writer().text(options.excel_version).line()};
    for (const std::string& word : wire::words_of(options.probes)) arguments.push_back(word);
    auto process = os::start_xlhost(arguments, error);
    if (!process) return nullptr;
    return std::make_unique<ProcessInstance>(std::move(process));
}

AutomationLedger machine_ledger(const std::vector<std::unique_ptr<Instance>>& instances) {
    AutomationLedger total;
    bool this_process_counted = false;
    for (const auto& instance : instances) {
        if (instance->in_this_process()) {
            if (this_process_counted) continue;  // every such instance reads the same counts
            this_process_counted = true;
        }
        total += instance->ledger();
    }
    return total;
}

}  // namespace xlhost::instances
