#include "capi/registered_procedures.h"

#include "os/os.h"

namespace xlhost::capi {

int Registrations::find_procedure(const std::string& module, const std::string& procedure) const {
    for (size_t i = 0; i < list_.size(); ++i)
        if (list_[i].procedure == procedure && os::same_file(list_[i].module, module)) return static_cast<int>(i);
    return -1;
}

int Registrations::find_registered(const std::string& module, const std::string& procedure) const {
    const int found = find_procedure(module, procedure);
    return found >= 0 && list_[static_cast<size_t>(found)].use_count > 0 ? found : -1;
}

int Registrations::find_name(const std::string& name) const {
    for (size_t i = list_.size(); i-- > 0;)
        if (list_[i].name_defined && !list_[i].function_text.empty() && same_text_nocase(list_[i].function_text, name))
            return static_cast<int>(i);
    return -1;
}

int Registrations::find_id(double register_id) const {
    for (size_t i = 0; i < list_.size(); ++i)
        if (list_[i].register_id == register_id) return static_cast<int>(i);
    return -1;
}

size_t Registrations::store(const Registration& registration, void* address, const TypeText& type) {
    const int existing = find_procedure(registration.module, registration.procedure);
    if (existing >= 0) {
        Registration& kept = list_[static_cast<size_t>(existing)];
        const double id = kept.register_id;
        const int uses = kept.use_count;
        kept = registration;
        kept.register_id = id;
        kept.use_count = uses + 1;
        kept.name_defined = true;
        procedures_[static_cast<size_t>(existing)] = {address, type};
        return static_cast<size_t>(existing);
    }
    Registration added = registration;
    added.register_id = next_id_;
    next_id_ += 0x2B;
    added.use_count = 1;
    added.name_defined = true;
    list_.push_back(added);
    procedures_.push_back({address, type});
    return list_.size() - 1;
}

void Registrations::clear() {
    list_.clear();
    procedures_.clear();
}

}  // namespace xlhost::capi
