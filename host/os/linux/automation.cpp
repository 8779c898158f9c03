// Excel's automation objects served through the platform stand-in's COM: each object an
// IDispatch of the stand-in, registered in the process's one running object table, so that the
// add-in copies of every host instance find them as they would find Excel's.
#include <memory>
#include <set>
#include <vector>

#include "automation/excel_objects.h"
#include "os/os.h"
#include "platform/sim/sim_automation.h"

namespace xlhost::os {
namespace {

// Excel.Application's class identifier {00024500-0000-0000-C000-000000000046}.
constexpr plat::Guid excel_application = {0x00024500, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class Served;

// The objects one server handed out, while they live.
struct Served_set {
    std::set<Served*> alive;
};

std::u16string wide_text(const std::string& cp1252_text) {
    std::vector<plat::OleChar> wide(cp1252_text.size() + 1);
    if (plat::ansi_to_wide(cp1252_text.c_str(), wide.data(), static_cast<int>(wide.size())) == 0) return u"";
    return std::u16string(wide.data());
}

std::string narrow_text(const plat::OleChar* wide, size_t length) {
    if (length == 0) return "";
    std::string text(length, '\0');
    if (plat::wide_to_ansi(wide, static_cast<int>(length), text.data(), static_cast<int>(length)) == 0) return "";
    return text;
}

bool argument_value(const plat::Variant& variant, Value* out) {
    switch (variant.vt) {
        case plat::vt_bstr: *out = Value::str(narrow_text(variant.bstrVal, plat::sys_string_len(variant.bstrVal))); return true;
        case plat::vt_r8: *out = Value::num(variant.dblVal); return true;
        case plat::vt_i2: *out = Value::num(variant.iVal); return true;
        case plat::vt_i4: *out = Value::num(variant.lVal); return true;
        case plat::vt_bool: *out = Value::boolean_value(variant.boolVal != 0); return true;
        case plat::vt_empty: *out = Value::missing_value(); return true;
        default: return false;
    }
}

// A cell's value as Excel's automation gives it: empty, double, text, boolean, or an error
// (CVErr: 2000 + the error code).
bool scalar_variant(const Value& value, plat::Variant* out) {
    plat::variant_init(out);
    switch (value.kind) {
        case Value::Kind::nil:
        case Value::Kind::missing: return true;
        case Value::Kind::number:
        case Value::Kind::integer:
            out->vt = plat::vt_r8;
            out->dblVal = value.number;
            return true;
        case Value::Kind::boolean:
            out->vt = plat::vt_bool;
            out->boolVal = value.boolean ? -1 : 0;
            return true;
        case Value::Kind::error:
            out->vt = plat::vt_error;
            out->scode = static_cast<int32_t>(0x800A0000u | static_cast<uint32_t>(2000 + value.error));
            return true;
        case Value::Kind::text: {
            const std::u16string wide = wide_text(value.text);
            out->bstrVal = plat::sys_alloc_string(wide.c_str());
            if (out->bstrVal == nullptr) return false;
            out->vt = plat::vt_bstr;
            return true;
        }
        default: return false;
    }
}

// An array as automation stores it: column by column, both lower bounds 1.
bool value_variant(const Value& value, plat::Variant* out) {
    if (value.kind != Value::Kind::array) return scalar_variant(value, out);
    plat::variant_init(out);
    plat::SafeArray array = sim::safe_array_of_variants(value.rows, value.columns);
    if (array == nullptr) return false;
    out->vt = plat::vt_array | plat::vt_variant;
    out->parray = array;
    void* data = nullptr;
    plat::safe_array_access(array, &data);
    auto* elements = static_cast<plat::Variant*>(data);
    bool made = true;
    for (int row = 0; row < value.rows && made; ++row)
        for (int column = 0; column < value.columns && made; ++column)
            made = scalar_variant(value.items[static_cast<size_t>(row * value.columns + column)],
                                  &elements[static_cast<size_t>(column) * static_cast<size_t>(value.rows) + static_cast<size_t>(row)]);
    plat::safe_array_unaccess(array);
    if (!made) plat::variant_clear(out);
    return made;
}

class Served final : public plat::DispatchObject {
public:
    Served(std::unique_ptr<automation::Object> object, std::shared_ptr<Served_set> set)
        : object_(std::move(object)), set_(std::move(set)) {
        set_->alive.insert(this);
    }
    ~Served() override { set_->alive.erase(this); }

    plat::HResult id_of_name(const std::u16string& name, uint32_t locale, int32_t* id) override {
        const int member = object_->member(narrow_text(name.c_str(), name.size()), locale);
        if (member < 0) return plat::disp_e_unknownname;
        *id = member;
        return plat::s_ok;
    }

    plat::HResult invoke(int32_t id, uint32_t locale, uint16_t flags, plat::Variant* arguments, unsigned count,
                         plat::Variant* result) override {
        std::vector<Value> values(count);
        // DISPPARAMS holds the last argument first.
        for (unsigned i = 0; i < count; ++i)
            if (!argument_value(arguments[count - 1 - i], &values[i])) return plat::disp_e_typemismatch;
        automation::Answer answer;
        const int32_t status = object_->invoke(id, locale, flags, values, &answer);
        if (status != automation::status_ok) return status;
        if (result == nullptr) return plat::s_ok;
        if (answer.object) {
            plat::variant_init(result);
            result->vt = plat::vt_dispatch;
            result->pdispVal = new Served(std::move(answer.object), set_);
            return plat::s_ok;
        }
        return value_variant(answer.value, result) ? plat::s_ok : plat::e_outofmemory;
    }

private:
    std::unique_ptr<automation::Object> object_;
    std::shared_ptr<Served_set> set_;
};

class SimServer final : public AutomationServer {
public:
    explicit SimServer(std::unique_ptr<automation::Object> application) : set_(std::make_shared<Served_set>()) {
        application_ = new Served(std::move(application), set_);
        sim::automation_register_class(u"Excel.Application", excel_application);
        active_ = sim::register_active_object(application_, excel_application);
        entry_ = sim::running_table_register(application_, "Excel.Application");
        baseline_ = count();
    }
    ~SimServer() override {
        withdraw();
        application_->release_reference();
    }
    // Beyond the server's own reference and those of the registrations while they stand.
    int references_held() const override { return count() - baseline_; }
    void withdraw() override {
        if (withdrawn_) return;
        withdrawn_ = true;
        sim::running_table_revoke(entry_);
        sim::running_table_revoke(active_);
        baseline_ = 1;
    }

private:
    int count() const {
        int held = 0;
        for (Served* object : set_->alive) held += static_cast<int>(object->references());
        return held;
    }
    int baseline_ = 0;
    std::shared_ptr<Served_set> set_;
    Served* application_ = nullptr;
    uint32_t active_ = 0, entry_ = 0;
    bool withdrawn_ = false;
};

}  // namespace

std::unique_ptr<AutomationServer> serve_application(std::unique_ptr<automation::Object> application, std::string*) {
    return std::make_unique<SimServer>(std::move(application));
}

}  // namespace xlhost::os
