// An Excel instance in a process of its own, asked over its standard input and output.
#pragma once

#include <memory>

#include "instances/instance.h"
#include "os/os.h"

namespace xlhost::instances {

namespace wire {
class Writer;
}

class ProcessInstance final : public Instance {
public:
    explicit ProcessInstance(std::unique_ptr<os::ChildProcess> process);

    bool serve(std::string* error) override;
    void withdraw() override;
    bool load(const std::string& copy, std::string* error, bool* refused) override;
    int open() override;
    int close() override;
    std::vector<std::string> unload() override;

    bool load_sheet(const std::string& csv_path, std::string* error) override;
    void calculate() override;
    void set_cell(const std::string& a1, const Value& value) override;
    Value read(const std::string& range) override;

    int probes_evaluated() override;
    bool probe_registered() override;
    int references_held() override;
    int outstanding_values() override;
    std::string addin_path() override;
    std::vector<CallRecord> calls() override;
    int calls_of(int function) override;
    std::vector<AutomationCall> automation_calls() override;
    void clear_calls() override;
    void fail_automation(const std::string& object, const std::string& member, int32_t status) override;
    void answer_coercion_probes(const CoercionProbes& probes) override;
    int workbooks_open() override;
    std::vector<ShownMessageBox> message_boxes() override;
    AutomationLedger ledger() override;
    bool in_this_process() const override { return false; }
    bool intact(std::string* error) override;

private:
    // True with the words of the answer in *reply; false with the reason it was not done. A
    // process that stops answering, or answers out of turn, is lost for every request after.
    bool ask(const wire::Writer& request, std::string* reply, std::string* refusal);
    bool done(const wire::Writer& request, std::string* error);
    int count(const wire::Writer& request);

    static constexpr const char* lost_reason = "an Excel instance's process ended before the command did";
    std::unique_ptr<os::ChildProcess> process_;
    bool lost_ = false;
};

}  // namespace xlhost::instances
