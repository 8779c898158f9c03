#include "capi/command_arguments.h"

#include <cmath>

#include "capi/conversion.h"

namespace xlhost::capi {

bool CommandArguments::given(int i) const {
    if (i < 1 || i > count_) return false;
    const uint16_t type = base_type(*arguments_[i - 1]);
    return type != xltypeMissing && type != xltypeNil;
}

Value CommandArguments::value(int i) const {
    Value v;
    if (i >= 1 && i <= count_) read_xloper(arguments_[i - 1], session_, &v, nullptr);
    return v;
}

int CommandArguments::fail(const std::string& why) {
    session_.calls_note = command_ + ": " + why;
    return xlretFailed;
}

int CommandArguments::done(XLOPER* result) {
    if (result != nullptr) write_value(Value::boolean_value(true), result, session_.memory, Owner::addin);
    return xlretSuccess;
}

bool CommandArguments::number(int i, double low, double high, std::optional<double>* out, const char* what) {
    if (!given(i)) return true;
    const Value v = value(i);
    if (v.kind != Value::Kind::number && v.kind != Value::Kind::integer) {
        fail(std::string(what) + " (argument " + std::to_string(i) + ") is not a number");
        return false;
    }
    if (!std::isfinite(v.number) || v.number < low || v.number > high) {
        fail(std::string(what) + " (argument " + std::to_string(i) + ") is " + general_number_text(v.number) +
             ", outside " + general_number_text(low) + " to " + general_number_text(high));
        return false;
    }
    *out = v.number;
    return true;
}

bool CommandArguments::integer(int i, long long low, long long high, std::optional<int>* out, const char* what) {
    std::optional<double> n;
    if (!number(i, -1e300, 1e300, &n, what)) return false;
    if (!n) return true;
    const auto whole = to_integer(*n, low, high);
    if (!whole) {
        fail(std::string(what) + " (argument " + std::to_string(i) + ") is " + general_number_text(*n) +
             ", outside " + std::to_string(low) + " to " + std::to_string(high));
        return false;
    }
    *out = static_cast<int>(*whole);
    return true;
}

bool CommandArguments::logical(int i, std::optional<bool>* out, const char* what) {
    if (!given(i)) return true;
    const Value v = value(i);
    if (v.kind == Value::Kind::boolean) *out = v.boolean;
    else if (v.kind == Value::Kind::number || v.kind == Value::Kind::integer) *out = v.number != 0;
    else {
        fail(std::string(what) + " (argument " + std::to_string(i) + ") is not a logical value");
        return false;
    }
    return true;
}

bool CommandArguments::text(int i, std::optional<std::string>* out, const char* what) {
    if (!given(i)) return true;
    const Value v = value(i);
    if (v.kind != Value::Kind::text) {
        fail(std::string(what) + " (argument " + std::to_string(i) + ") is not a text");
        return false;
    }
    *out = v.text;
    return true;
}

bool CommandArguments::reference(int i, Target* out, const char* what) {
    const uint16_t type = i >= 1 && i <= count_ ? base_type(*arguments_[i - 1]) : 0;
    if ((type != xltypeRef && type != xltypeSRef) || !reference_target(*arguments_[i - 1], session_, out, nullptr)) {
        fail(std::string(what) + " (argument " + std::to_string(i) + ") is not a reference");
        return false;
    }
    return true;
}

bool CommandArguments::none_after(int last, const std::string& form) {
    for (int i = last + 1; i <= count_; ++i)
        if (given(i)) {
            fail("argument " + std::to_string(i) + " is more than " + form + " takes");
            return false;
        }
    return true;
}

Sheet& active_sheet(Session& session) { return session.model.active_sheet(); }

Chart* active_chart(Session& session) {
    Sheet& sheet = active_sheet(session);
    return sheet.objects().kind == SheetKind::chart ? sheet.objects().chart.get() : nullptr;
}

}  // namespace xlhost::capi
