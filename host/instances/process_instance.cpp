// An Excel instance in a process of its own: a copy of the xlhost program serving it
// (serve_instance.cpp), asked one request at a time.
#include "instances/process_instance.h"

#include "instances/wire.h"
#include "xll/xloper.h"

namespace xlhost::instances {

ProcessInstance::ProcessInstance(std::unique_ptr<os::ChildProcess> process) : process_(std::move(process)) {}

bool ProcessInstance::ask(const wire::Writer& request, std::string* reply, std::string* refusal) {
    std::string framed;
    if (lost_ || !process_->send(request.line()) || !process_->receive(&framed)) {
        lost_ = true;
        if (refusal) *refusal = lost_reason;
        return false;
    }
    wire::Reader reader(framed);
    std::string mark;
    if (reader.word(&mark) && mark == "+") {
        *reply = framed.size() > 2 ? framed.substr(2) : "";
        return true;
    }
    std::string reason;
    if (mark != "-" || !reader.text(&reason)) {
        lost_ = true;  // a process that answers out of turn is of no further use
        reason = lost_reason;
    }
    if (refusal) *refusal = reason;
    return false;
}

bool ProcessInstance::done(const wire::Writer& request, std::string* error) {
    std::string reply;
    return ask(request, &reply, error);
}

int ProcessInstance::count(const wire::Writer& request) {
    std::string reply;
    int answer = 0;
    if (!ask(request, &reply, nullptr)) return 0;
    wire::Reader reader(reply);
    if (!reader.number(&answer)) lost_ = true;
    return answer;
}

bool ProcessInstance::serve(std::string* error) { return done(wire::Writer().word("serve"), error); }
void ProcessInstance::withdraw() { done(wire::Writer().word("withdraw"), nullptr); }

bool ProcessInstance::load(const std::string& copy, std::string* error, bool* refused) {
    const bool loaded = done(wire::Writer().word("load").text(copy), error);
    *refused = !loaded && !lost_;
    return loaded;
}

int ProcessInstance::open() { return count(wire::Writer().word("open")); }
int ProcessInstance::close() { return count(wire::Writer().word("close")); }

std::vector<std::string> ProcessInstance::unload() {
    std::string reply;
    std::vector<std::string> faults;
    if (!ask(wire::Writer().word("unload"), &reply, nullptr)) return faults;
    wire::Reader reader(reply);
    for (std::string fault; reader.text(&fault);) faults.push_back(fault);
    return faults;
}

bool ProcessInstance::load_sheet(const std::string& csv_path, std::string* error) {
    return done(wire::Writer().word("sheet").text(csv_path), error);
}

void ProcessInstance::calculate() { done(wire::Writer().word("calculate"), nullptr); }

void ProcessInstance::set_cell(const std::string& a1, const Value& value) {
    done(wire::Writer().word("cell").text(a1).value(value), nullptr);
}

Value ProcessInstance::read(const std::string& range) {
    std::string reply;
    Value value = Value::err(xlerrValue);  // nothing could be read
    if (!ask(wire::Writer().word("read").text(range), &reply, nullptr)) return value;
    wire::Reader reader(reply);
    if (!reader.value(&value)) lost_ = true;
    return value;
}

int ProcessInstance::probes_evaluated() { return count(wire::Writer().word("probes")); }
bool ProcessInstance::probe_registered() { return count(wire::Writer().word("registered")) == 1; }
int ProcessInstance::references_held() { return count(wire::Writer().word("held")); }
int ProcessInstance::outstanding_values() { return count(wire::Writer().word("outstanding")); }
std::string ProcessInstance::addin_path() {
    std::string reply, path;
    if (!ask(wire::Writer().word("path"), &reply, nullptr)) return path;
    wire::Reader reader(reply);
    if (!reader.text(&path)) lost_ = true;
    return path;
}

std::vector<CallRecord> ProcessInstance::calls() {
    std::string reply;
    std::vector<CallRecord> calls;
    if (!ask(wire::Writer().word("call-log"), &reply, nullptr)) return calls;
    wire::Reader reader(reply);
    if (!reader.calls(&calls)) lost_ = true;
    return calls;
}

int ProcessInstance::calls_of(int function) { return count(wire::Writer().word("calls").number(function)); }

std::vector<AutomationCall> ProcessInstance::automation_calls() {
    std::string reply;
    std::vector<AutomationCall> calls;
    if (!ask(wire::Writer().word("automation-log"), &reply, nullptr)) return calls;
    wire::Reader reader(reply);
    if (!reader.automation_calls(&calls)) lost_ = true;
    return calls;
}

void ProcessInstance::clear_calls() { done(wire::Writer().word("clear-calls"), nullptr); }

void ProcessInstance::answer_coercion_probes(const CoercionProbes& probes) {
    wire::Writer request;
    request.word("coercion");
    for (const std::string& word : wire::words_of(probes)) request.word(word);
    done(request, nullptr);
}

void ProcessInstance::fail_automation(const std::string& object, const std::string& member, int32_t status) {
    done(wire::Writer().word("fail").text(object).text(member).number(status), nullptr);
}
int ProcessInstance::workbooks_open() { return count(wire::Writer().word("workbooks")); }

std::vector<ShownMessageBox> ProcessInstance::message_boxes() {
    std::string reply;
    std::vector<ShownMessageBox> boxes;
    if (!ask(wire::Writer().word("boxes"), &reply, nullptr)) return boxes;
    wire::Reader reader(reply);
    if (!reader.boxes(&boxes)) lost_ = true;
    return boxes;
}

AutomationLedger ProcessInstance::ledger() {
    std::string reply;
    AutomationLedger counted;
    if (!ask(wire::Writer().word("ledger"), &reply, nullptr)) return counted;
    wire::Reader reader(reply);
    if (!reader.ledger(&counted)) lost_ = true;
    return counted;
}

bool ProcessInstance::intact(std::string* error) {
    if (lost_ && error) *error = lost_reason;
    return !lost_;
}

}  // namespace xlhost::instances
