// What a Host holds: the engine (session, calls), the loaded module and Excel's windows.
#pragma once

#include <memory>
#include <vector>

#include "automation/excel_objects.h"
#include "engine/engine.h"
#include "os/os.h"
#include "xlhost/host.h"

namespace xlhost {

// The engine as this host's automation objects see it.
class EngineForAutomation : public automation::Excel {
public:
    explicit EngineForAutomation(engine::Engine& engine) : engine_(engine) {}
    Model& model() override { return engine_.session.model; }
    size_t calls_answered() const override { return engine_.session.calls.size(); }
    Value execute_macro(const std::string& formula) override { return engine_.execute_macro(formula); }

private:
    engine::Engine& engine_;
};

struct Host::Impl {
    explicit Impl(Options options);
    ~Impl();

    Options options;
    engine::Engine engine;
    EngineForAutomation automation_excel{engine};
    std::unique_ptr<os::Module> module;
    std::vector<os::WindowHandle> windows;
    // Dialogs answered; shared with the dialog driver, which may outlive the host.
    std::shared_ptr<int> dialogs_answered = std::make_shared<int>(0);
    // The instance behind this host's automation objects, and their server while it serves.
    std::shared_ptr<automation::Instance> instance = std::make_shared<automation::Instance>();
    std::unique_ptr<os::AutomationServer> automation_server;

    capi::Session& session() { return engine.session; }
    int entry(const char* name);
    void calculate();
};

}  // namespace xlhost
