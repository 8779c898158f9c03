// The procedures REGISTER accepted, with what Excel keeps of each: the public record, the
// address of the procedure and its parsed type text.
#pragma once

#include <string>
#include <vector>

#include "capi/type_text.h"
#include "model/registration.h"
#include "model/text.h"

namespace xlhost::capi {

class Registrations {
public:
    const std::vector<Registration>& list() const { return list_; }
    Registration& at(size_t index) { return list_[index]; }
    const Registration& at(size_t index) const { return list_[index]; }
    void* address(size_t index) const { return procedures_[index].address; }
    const TypeText& type(size_t index) const { return procedures_[index].type; }

    // Index of the registration of this procedure of this module, or -1.
    int find_procedure(const std::string& module, const std::string& procedure) const;
    // The same while it stands registered: once UNREGISTER took its last use, it is gone.
    int find_registered(const std::string& module, const std::string& procedure) const;
    // The newest registration whose defined name is `name` (without case), or -1.
    int find_name(const std::string& name) const;
    int find_id(double register_id) const;
    // Adds a new registration or updates the one of the same procedure; answers its index.
    size_t store(const Registration& registration, void* address, const TypeText& type);
    void clear();

private:
    struct Procedure {
        void* address = nullptr;
        TypeText type;
    };
    std::vector<Registration> list_;
    std::vector<Procedure> procedures_;
    double next_id_ = 0x2F3A0000 + 0x2B;
};

}  // namespace xlhost::capi
