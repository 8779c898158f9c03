// The other end of an instance in a process of its own: this program, started as
// `xlhost bridge-instance :VERSION [PROBES...]`, keeps one instance and answers each request
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
    if (verb == "path") return reply.text(instance.addin_path()).line();
    if (verb == "coercion") {
        std::vector<std::string> words;
        for (std::string word; request.word(&word);) words.push_back(word);
        CoercionProbes probes;
        if (!wire::probes_of(words, &probes)) return refused("not a way to answer the coercion probes");
        return instance.answer_coercion_probes(probes), reply.line();
    }
    if (verb == "call-log") return reply.calls(instance.calls()).line();
    if (verb == "automation-log") return reply.automation_calls(instance.automation_calls()).line();
    std::string object, member;
    if (verb == "fail" && request.text(&object) && request.text(&member) && request.number(&function))
        return instance.fail_automation(object, member, function), reply.line();
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
    InstanceOptions options;
    if (arguments.empty() || !wire::probes_of({arguments.begin() + 1, arguments.end()}, &options.probes)) return 2;
    wire::Reader version(arguments[0]);
    if (!version.text(&options.excel_version) || !version.at_end()) return 2;
    LocalInstance instance(options);
    os::answer_requests([&instance](const std::string& line) { return answer(instance, line); });
    return 0;
}

}  // namespace xlhost
