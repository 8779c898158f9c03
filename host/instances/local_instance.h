// An Excel instance in this process: a host of its own, beside the others.
#pragma once

#include "instances/instance.h"

namespace xlhost::instances {

class LocalInstance final : public Instance {
public:
    explicit LocalInstance(const InstanceOptions& options);

    bool serve(std::string* error) override { return host_.serve_automation(error); }
    void withdraw() override { host_.withdraw_automation(); }
    bool load(const std::string& copy, std::string* error, bool* refused) override;
    int open() override { return host_.auto_open(); }
    int close() override { return host_.auto_close(); }
    std::vector<std::string> unload() override;

    bool load_sheet(const std::string& csv_path, std::string* error) override;
    void calculate() override { host_.calc(); }
    void set_cell(const std::string& a1, const Value& value) override { host_.set_cell(a1, value); }
    Value read(const std::string& range) override { return host_.read_range(range); }

    int probes_evaluated() override { return host_.probes_evaluated(); }
    bool probe_registered() override;
    int references_held() override { return host_.automation_references_held(); }
    int outstanding_values() override { return host_.outstanding_values(); }
    std::string addin_path() override { return host_.addin_path(); }
    std::vector<CallRecord> calls() override { return host_.calls(); }
    int calls_of(int function) override;
    std::vector<AutomationCall> automation_calls() override { return host_.automation_calls(); }
    void clear_calls() override { host_.clear_calls(); }
    void fail_automation(const std::string& object, const std::string& member, int32_t status) override {
        host_.fail_automation(object, member, status);
    }
    void answer_coercion_probes(const CoercionProbes& probes) override { host_.answer_coercion_probes(probes); }
    int workbooks_open() override;
    std::vector<ShownMessageBox> message_boxes() override { return host_.message_boxes(); }
    AutomationLedger ledger() override;
    bool in_this_process() const override { return true; }
    bool intact(std::string*) override { return true; }

private:
    Host host_;
};

}  // namespace xlhost::instances
