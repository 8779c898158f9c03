#include "engine/builtins.h"

#include "capi/conversion.h"
#include "model/text.h"
#include "model/dates.h"
#include "capi/xloper_values.h"

namespace xlhost::engine {

namespace {

// A value as a number argument of Excel's functions: an error stays what it is, a text must
// read as a number (#VALUE! otherwise), an empty cell or an omitted argument is 0.
Value number_argument(const Value& v) {
    if (v.kind == Value::Kind::error) return v;
    if (v.kind == Value::Kind::array) return v.items.empty() ? Value::num(0) : number_argument(v.items.front());
    if (v.kind == Value::Kind::missing || v.kind == Value::Kind::nil) return Value::num(0);
    const auto number = capi::to_number(v);
    return number ? Value::num(*number) : Value::err(xlerrValue);
}

Value date(const std::vector<Value>& arguments) {
    if (arguments.size() != 3) return Value::err(xlerrValue);
    double parts[3];
    for (size_t i = 0; i < 3; ++i) {
        const Value v = number_argument(arguments[i]);
        if (v.kind == Value::Kind::error) return v;
        parts[i] = v.number;
    }
    const auto serial = date_serial(parts[0], parts[1], parts[2]);
    return serial ? Value::num(*serial) : Value::err(xlerrNum);
}

}  // namespace

bool is_builtin(const std::string& name) { return same_text_nocase(name, "DATE"); }

Value call_builtin(const std::string& name, const std::vector<Value>& arguments) {
    if (same_text_nocase(name, "DATE")) return date(arguments);
    return Value::err(xlerrName);
}

}  // namespace xlhost::engine
