// The Host as an Excel instance among others: serving its Application through automation, the
// probes it evaluated, the disturbed reference coercion of an Excel 97, and a range read by the
// add-in's call layer.
#include <algorithm>
#include <stdexcept>

#include "engine/host_impl.h"

namespace xlhost {

bool Host::serve_automation(std::string* error) {
    if (impl_->automation_server) return true;
    impl_->automation_server = os::serve_application(automation::application(impl_->instance), error);
    return impl_->automation_server != nullptr;
}

void Host::withdraw_automation() {
    if (impl_->automation_server) impl_->automation_server->withdraw();
}

void Host::stop_serving_automation() { impl_->automation_server.reset(); }

bool Host::serving_automation() const { return impl_->automation_server != nullptr; }

int Host::automation_references_held() const {
    return impl_->automation_server ? impl_->automation_server->references_held() : 0;
}

int Host::probes_evaluated() const { return impl_->engine.session.probes; }

void Host::disturb_reference_coercion(bool disturbed) {
    impl_->session().coercion_probes = disturbed ? CoercionProbes::disturbed() : CoercionProbes{};
}

void Host::answer_coercion_probes(const CoercionProbes& probes) { impl_->session().coercion_probes = probes; }

const std::vector<AutomationCall>& Host::automation_calls() const { return impl_->instance->calls; }

void Host::fail_automation(const std::string& object, const std::string& member, int32_t status) {
    auto& failures = impl_->instance->failures;
    failures.erase(std::remove_if(failures.begin(), failures.end(),
                                  [&](const automation::Failure& failure) {
                                      return failure.object == object && failure.member == member;
                                  }),
                   failures.end());
    if (status != 0) failures.push_back({object, member, status});
}

Value Host::read_range(const std::string& a1_range) {
    const auto range = parse_range(a1_range);
    if (!range) throw std::invalid_argument("not a range address: " + a1_range);
    if (!impl_->module || impl_->module->symbol("le_intervalo") == nullptr) return Value::err(xlerrValue);
    return impl_->engine.call_with_reference("le_intervalo", impl_->session().model.active_sheet(), *range);
}

}  // namespace xlhost
