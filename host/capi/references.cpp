// xlCoerce, xlSheetId and xlSheetNm: references, the values of cells, and conversions.
#include <cstring>

#include "capi/conversion.h"
#include "capi/dispatch.h"
#include "capi/xloper_values.h"

namespace xlhost::capi {
namespace {

constexpr int value_types = xltypeNum | xltypeStr | xltypeBool | xltypeErr | xltypeMulti | xltypeNil | xltypeInt;

uint16_t kind_type(const Value& value) {
    switch (value.kind) {
        case Value::Kind::number: return xltypeNum;
        case Value::Kind::text: return xltypeStr;
        case Value::Kind::boolean: return xltypeBool;
        case Value::Kind::error: return xltypeErr;
        case Value::Kind::integer: return xltypeInt;
        case Value::Kind::array: return xltypeMulti;
        case Value::Kind::missing: return xltypeMissing;
        case Value::Kind::nil: return xltypeNil;
        case Value::Kind::reference: return xltypeRef;
    }
    return 0;
}

// One scalar converted to one of the requested types, trying them in Excel's order of
// preference; none when no requested type can hold it.
std::optional<Value> convert_scalar(const Value& value, int wanted) {
    if (value.kind == Value::Kind::missing) return std::nullopt;
    if (wanted & kind_type(value)) return value;
    if (value.kind == Value::Kind::error) return std::nullopt;
    if (wanted & xltypeNum)
        if (auto n = to_number(value)) return Value::num(*n);
    if (wanted & xltypeInt)
        if (auto n = to_number(value))
            if (auto i = to_integer(*n, -32768, 32767)) return Value::integer_value(static_cast<int>(*i));
    if (wanted & xltypeBool)
        if (auto b = to_boolean(value)) return Value::boolean_value(*b);
    if (wanted & xltypeStr)
        if (auto t = to_text(value)) return Value::str(*t);
    return std::nullopt;
}

}  // namespace

int coerce(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    const XLOPER& source = *arguments[0];
    int wanted = 0;
    if (count == 2) {
        const uint16_t type = base_type(*arguments[1]);
        if (type == xltypeInt) wanted = arguments[1]->val.w;
        else if (type == xltypeNum) wanted = static_cast<int>(to_integer(arguments[1]->val.num, 0, 0xFFFF).value_or(-1));
        else if (type != xltypeMissing && type != xltypeNil) wanted = -1;
        if (wanted < 0 || (wanted & ~(value_types | xltypeRef | xltypeSRef)) != 0) {
            session.calls_note = "the requested types are not a mask of value types";
            return xlretInvXloper;
        }
    }
    const bool is_reference = base_type(source) == xltypeRef || base_type(source) == xltypeSRef;
    Target target;
    Value value;
    if (is_reference) reference_target(source, session, &target, nullptr);
    else read_xloper(&source, session, &value, nullptr);
    if (result == nullptr) return xlretSuccess;
    // The value as it is; a block too large for an array record reaches the add-in as #VALUE!, and
    // the user is told why. A reference's block is measured before any of its cells is read.
    auto hand_over = [&] {
        const std::string why = is_reference ? beyond_a_record(target.areas[0]) : beyond_a_record(value);
        if (!why.empty()) {
            session.notes.push_back("xlCoerce: " + (is_reference ? absolute_text(target.areas[0]) : std::string("an array")) +
                                    " has " + why + ", so it becomes #VALUE!");
            write_value(Value::err(xlerrValue), result, session.memory, Owner::addin);
            return xlretSuccess;
        }
        write_value(is_reference ? target_value(target) : value, result, session.memory, Owner::addin);
        return xlretSuccess;
    };

    if (wanted == 0) return hand_over();  // the most convenient form: the value of a reference

    if (wanted & (xltypeRef | xltypeSRef)) {
        if (is_reference) {
            if (base_type(source) == xltypeSRef && (wanted & xltypeSRef)) {
                std::memcpy(result, &source, sizeof *result);
                result->xltype = xltypeSRef;
            } else {
                write_reference(target.sheet->id(), target.areas, result, session.memory, Owner::addin);
            }
            return xlretSuccess;
        }
        if ((wanted & value_types) == 0) {
            session.calls_note = "a value cannot become a reference";
            return xlretFailed;
        }
    }
    if (is_reference) {
        const Range& block = target.areas[0];
        if (!block.single() && (wanted & xltypeMulti)) return hand_over();
        value = target.sheet->value(block.first_row, block.first_column);  // one cell, or the top left one
    } else if (value.kind == Value::Kind::array) {
        if (wanted & xltypeMulti) return hand_over();
        value = value.items.empty() ? Value::nil() : value.items.front();  // the top left cell
    }
    if (auto converted = convert_scalar(value, wanted)) {
        write_value(*converted, result, session.memory, Owner::addin);
        return xlretSuccess;
    }
    if ((wanted & xltypeMulti) && value.kind != Value::Kind::missing) {
        write_value(Value::array(1, 1, {value}), result, session.memory, Owner::addin);
        return xlretSuccess;
    }
    session.calls_note = "cannot convert " + display(value) + " to the requested types";
    return xlretFailed;
}

int sheet_id(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    Sheet* sheet = &session.model.active_sheet();
    if (count == 1 && base_type(*arguments[0]) != xltypeMissing) {
        if (base_type(*arguments[0]) != xltypeStr) {
            session.calls_note = "the sheet is not named by a text";
            return xlretFailed;
        }
        sheet = session.model.find_sheet(counted_text(arguments[0]->val.str));
        if (sheet == nullptr) {
            session.calls_note = "no such sheet";
            return xlretFailed;
        }
    }
    if (result != nullptr) {
        std::memset(result, 0, sizeof *result);
        result->xltype = xltypeRef;
        result->val.mref.lpmref = nullptr;
        result->val.mref.idSheet = sheet->id();
    }
    return xlretSuccess;
}

int sheet_name(Session& session, XLOPER* result, int, XLOPER** arguments) {
    const uint16_t type = base_type(*arguments[0]);
    Sheet* sheet = nullptr;
    if (type == xltypeSRef) sheet = &session.sheet_in_use();
    else if (type == xltypeRef) sheet = session.model.sheet_by_id(arguments[0]->val.mref.idSheet);
    if (sheet == nullptr) {
        session.calls_note = "not a reference to a sheet";
        return xlretFailed;
    }
    if (result != nullptr) write_value(Value::str(session.model.full_name(*sheet)), result, session.memory, Owner::addin);
    return xlretSuccess;
}

}  // namespace xlhost::capi
