// ALERT: Excel's message box. It is recorded (text and type) and answered as if the user
// pressed OK.
#include "capi/conversion.h"
#include "capi/dispatch.h"
#include "capi/xloper_values.h"

namespace xlhost::capi {

int alert(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    Value message;
    read_xloper(arguments[0], session, &message, nullptr);
    if (message.kind == Value::Kind::reference) {
        Target target;
        reference_target(*arguments[0], session, &target, nullptr);
        message = target_value(target);
    }
    const auto text = to_text(message);
    if (!text || message.kind == Value::Kind::nil) {
        session.calls_note = "the message is not a text";
        return xlretFailed;
    }
    int type = 2;
    if (count > 1 && base_type(*arguments[1]) != xltypeMissing) {
        Value given;
        read_xloper(arguments[1], session, &given, nullptr);
        const auto number = given.kind == Value::Kind::error ? std::nullopt : to_number(given);
        const auto whole = number ? to_integer(*number, 1, 3) : std::nullopt;
        if (!whole) {
            session.calls_note = "the alert type is not 1, 2 or 3";
            return xlretFailed;
        }
        type = static_cast<int>(*whole);
    }
    if (count > 2) {
        const uint16_t help = base_type(*arguments[2]);
        if (help != xltypeStr && help != xltypeMissing && help != xltypeNil) {
            session.calls_note = "the help reference is not a text";
            return xlretFailed;
        }
    }
    session.alerts.push_back({*text, type, session.message_boxes().size()});
    if (result != nullptr) write_value(Value::boolean_value(true), result, session.memory, Owner::addin);
    return xlretSuccess;
}

}  // namespace xlhost::capi
