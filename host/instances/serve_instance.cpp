// The other end of an instance in a process of its own: this program, started as
// `xlhost bridge-instance VERSION [disturbed]`, keeps one instance and answers each request
// of its standard input with what the instance answers.
#include "instances/local_instance.h"
#include "instances/wire.h"
#include "os/os.h"

namespace xlhost::instances {
namespace {

std::string refused(const std::string& reason) { return wire::Writer().word("-").text(reason).line(); }

std::string answer(LocalInstance& instance, const std::string& line) {
    wire::Reader request(line);
    wire::Writer reply;
    reply.word("+");
    std::string verb, operand, error;
    if (!request.word(&verb)) return refused("an empty request");
    if (verb == "serve") return instance.serve(&error) ? reply.line() : refused(error);
    if (verb == "withdraw") return instance.withdraw(), reply.line();
    if (verb == "load" && request.text(&operand)) {
        bool refusal = false;
        return instance.load(operand, &error, &refusal) ? reply.line() : refused(error);
    }
    if (verb == "open") return reply.number(instance.open()).line();
    if (verb == "close") return reply.number(instance.close()).line();
    if (verb == "unload") {
        for (const std::string& fault : instance.unload()) reply.text(fault);
        return reply.line();
    }
    if (verb == "sheet" && request.text(&operand)) return instance.load_sheet(operand, &error) ? reply.line() : refused(error);
    if (verb == "calculate") return instance.calculate(), reply.line();
    Value value;
    if (verb == "cell" && request.text(&operand) && request.value(&value)) {
        try {
            instance.set_cell(operand, value);
        } catch (const std::exception& fault) {
            return refused(fault.what());
        }
        return reply.line();
    }
    if (verb == "read" && request.text(&operand)) {
        try {
            return reply.value(instance.read(operand)).line();
        } catch (const std::exception& fault) {
            return refused(fault.what());
        }
    }
    int function = 0;
    if (verb == "calls" && request.number(&function)) return reply.number(instance.calls_of(function)).line();
    if (verb == "clear-calls") return instance.clear_calls(), reply.line();
    if (verb == "probes") return reply.number(instance.probes_evaluated()).line();
    if (verb == "registered") return reply.number(instance.probe_registered() ? 1 : 0).line();
    if (verb == "held") return reply.number(instance.references_held()).line();
    if (verb == "outstanding") return reply.number(instance.outstanding_values()).line();
    if (verb == "workbooks") return reply.number(instance.workbooks_open()).line();
    if (verb == "boxes") return reply.boxes(instance.message_boxes()).line();
    if (verb == "ledger") return reply.ledger(instance.ledger()).line();
    return refused("not a request: " + line.substr(0, 80));
}

}  // namespace
}  // namespace xlhost::instances

namespace xlhost {

int serve_bridge_instance(const std::vector<std::string>& arguments) {
    using namespace instances;
    if (arguments.empty() || arguments.size() > 2 || (arguments.size() == 2 && arguments[1] != "disturbed")) return 2;
    InstanceOptions options;
    wire::Reader version(arguments[0]);
    if (!version.text(&options.excel_version) || !version.at_end()) return 2;
    options.disturbed = arguments.size() == 2;
    LocalInstance instance(options);
    os::answer_requests([&instance](const std::string& line) { return answer(instance, line); });
    return 0;
}

}  // namespace xlhost
