#include "engine/arguments.h"

#include <cstring>

#include "capi/conversion.h"
#include "capi/xloper_values.h"

namespace xlhost::engine {

using capi::Owner;

namespace {

// The FP array of the K letter, laid out as the compiler lays out Excel's struct.
struct FpArray {
    uint16_t rows;
    uint16_t columns;
    double array[1];
};

Converted refuse(int code, std::string why = "") {
    Converted c;
    c.refusal = Value::err(code);
    c.why = std::move(why);
    return c;
}

Converted pointer_to(void* address) {
    Converted c;
    c.slot.slot = os::Slot::pointer;
    c.slot.ptr = address;
    return c;
}

// One value for an argument that takes a single value: a cell of a block by implicit
// intersection with the formula's row or column, the top left element of an array.
Value scalar(const Operand& operand, const CallSite& site) {
    switch (operand.kind) {
        case Operand::Kind::missing: return Value::missing_value();
        case Operand::Kind::value:
            if (operand.value.kind == Value::Kind::array)
                return operand.value.items.empty() ? Value::nil() : operand.value.items.front();
            return operand.value;
        case Operand::Kind::reference: {
            const Range& r = operand.range;
            if (r.single()) return operand.sheet->value(r.first_row, r.first_column);
            if (site.in_cell && site.sheet == operand.sheet) {
                if (r.columns() == 1 && site.row >= r.first_row && site.row <= r.last_row)
                    return operand.sheet->value(site.row, r.first_column);
                if (r.rows() == 1 && site.column >= r.first_column && site.column <= r.last_column)
                    return operand.sheet->value(r.first_row, site.column);
            }
            return Value::err(xlerrValue);
        }
    }
    return Value::nil();
}

// The value a P or R argument receives: a block of cells as an array, one cell as its value.
Value whole(const Operand& operand) {
    if (operand.kind == Operand::Kind::missing) return Value::missing_value();
    if (operand.kind == Operand::Kind::value) return operand.value;
    capi::Target target;
    target.sheet = operand.sheet;
    target.areas.push_back(operand.range);
    return capi::target_value(target);
}

// Number, boolean, empty and missing read as numbers; a text only when it reads as one.
// An error value or an unreadable text is #VALUE!.
std::optional<double> number_of(const Value& value) {
    if (value.kind == Value::Kind::missing) return 0.0;
    if (value.kind == Value::Kind::error) return std::nullopt;
    return capi::to_number(value);
}

std::optional<bool> boolean_of(const Value& value) {
    if (value.kind == Value::Kind::missing) return false;
    if (value.kind == Value::Kind::error) return std::nullopt;
    return capi::to_boolean(value);
}

std::optional<std::string> text_of(const Value& value) {
    if (value.kind == Value::Kind::missing) return std::string();
    if (value.kind == Value::Kind::error) return std::nullopt;
    return capi::to_text(value);
}

// A block of a reference too large for a record is refused before a cell of it is read: a whole
// sheet would otherwise be copied cell by cell only to be refused.
std::string beyond_a_record(const Operand& operand) {
    return operand.kind == Operand::Kind::reference ? capi::beyond_a_record(operand.range) : "";
}

Converted fp_array(const Operand& operand, capi::Session& session) {
    if (const std::string why = beyond_a_record(operand); !why.empty()) return refuse(xlerrValue, why);
    const Value v = whole(operand);
    std::vector<Value> items;
    int rows = 1, columns = 1;
    if (v.kind == Value::Kind::array) {
        rows = v.rows;
        columns = v.columns;
        items = v.items;
    } else if (v.kind == Value::Kind::missing) {
        return refuse(xlerrValue);
    } else {
        items.push_back(v);
    }
    if (const std::string why = capi::beyond_a_record(v); !why.empty()) return refuse(xlerrValue, why);
    const size_t count = items.size();
    const size_t bytes = offsetof(FpArray, array) + count * sizeof(double);
    auto* fp = static_cast<FpArray*>(session.memory.new_block(bytes, Owner::call));
    fp->rows = capi::record_field<uint16_t>(rows, "rows");
    fp->columns = capi::record_field<uint16_t>(columns, "columns");
    double* numbers = reinterpret_cast<double*>(reinterpret_cast<char*>(fp) + offsetof(FpArray, array));
    for (size_t i = 0; i < count; ++i) {
        if (items[i].kind != Value::Kind::number && items[i].kind != Value::Kind::integer) return refuse(xlerrValue);
        numbers[i] = items[i].number;
    }
    return pointer_to(fp);
}

}  // namespace

os::Slot slot_of(char letter) {
    switch (letter) {
        case 'A':
        case 'I': return os::Slot::int16;
        case 'H': return os::Slot::uint16;
        case 'J': return os::Slot::int32;
        case 'B': return os::Slot::float64;
        default: return os::Slot::pointer;
    }
}

Converted convert_argument(char letter, const Operand& operand, const CallSite& site, capi::Session& session) {
    Converted c;
    c.slot.slot = slot_of(letter);
    switch (letter) {
        case 'B':
        case 'E': {
            const auto number = number_of(scalar(operand, site));
            if (!number) return refuse(xlerrValue);
            if (letter == 'B') {
                c.slot.f64 = *number;
                return c;
            }
            auto* cell = static_cast<double*>(session.memory.new_block(sizeof(double), Owner::call));
            *cell = *number;
            return pointer_to(cell);
        }
        case 'I':
        case 'H':
        case 'J':
        case 'M':
        case 'N': {
            const auto number = number_of(scalar(operand, site));
            if (!number) return refuse(xlerrValue);
            const bool wide = letter == 'J' || letter == 'N';
            const long long low = letter == 'H' ? 0 : wide ? -2147483648LL : -32768;
            const long long high = letter == 'H' ? 65535 : wide ? 2147483647LL : 32767;
            const auto whole_number = capi::to_integer(*number, low, high);
            if (!whole_number) return refuse(xlerrNum);
            if (letter == 'I') c.slot.i16 = static_cast<int16_t>(*whole_number);
            else if (letter == 'H') c.slot.u16 = static_cast<uint16_t>(*whole_number);
            else if (letter == 'J') c.slot.i32 = static_cast<int32_t>(*whole_number);
            else if (letter == 'M') {
                auto* cell = static_cast<int16_t*>(session.memory.new_block(sizeof(int16_t), Owner::call));
                *cell = static_cast<int16_t>(*whole_number);
                return pointer_to(cell);
            } else {
                auto* cell = static_cast<int32_t*>(session.memory.new_block(sizeof(int32_t), Owner::call));
                *cell = static_cast<int32_t>(*whole_number);
                return pointer_to(cell);
            }
            return c;
        }
        case 'A':
        case 'L': {
            const auto boolean = boolean_of(scalar(operand, site));
            if (!boolean) return refuse(xlerrValue);
            if (letter == 'A') {
                c.slot.i16 = *boolean ? 1 : 0;
                return c;
            }
            auto* cell = static_cast<int16_t*>(session.memory.new_block(sizeof(int16_t), Owner::call));
            *cell = *boolean ? 1 : 0;
            return pointer_to(cell);
        }
        case 'C':
        case 'F':
        case 'D':
        case 'G': {
            const auto text = text_of(scalar(operand, site));
            if (!text) return refuse(xlerrValue);
            const size_t length = std::min<size_t>(text->size(), 255);
            // Texts changed in place get Excel's full 256-byte buffer.
            auto* buffer = static_cast<char*>(session.memory.new_block(257, Owner::call));
            if (letter == 'C' || letter == 'F') {
                std::memcpy(buffer, text->data(), length);
                buffer[length] = '\0';
            } else {
                buffer[0] = static_cast<char>(static_cast<unsigned char>(length));
                std::memcpy(buffer + 1, text->data(), length);
                buffer[length + 1] = '\0';
            }
            return pointer_to(buffer);
        }
        case 'K': return fp_array(operand, session);
        case 'P':
        case 'R': {
            auto* record = static_cast<XLOPER*>(session.memory.new_block(sizeof(XLOPER), Owner::call));
            if (letter == 'R' && operand.kind == Operand::Kind::reference) {
                if (operand.sheet == site.sheet || site.sheet == nullptr)
                    capi::write_sref(operand.range, record);
                else
                    capi::write_reference(operand.sheet->id(), {operand.range}, record, session.memory, Owner::call);
                return pointer_to(record);
            }
            if (const std::string why = beyond_a_record(operand); !why.empty()) return refuse(xlerrValue, why);
            const Value value = whole(operand);
            // Excel answers #VALUE! itself for a block its records cannot hold, without a call.
            if (const std::string why = capi::beyond_a_record(value); !why.empty()) return refuse(xlerrValue, why);
            capi::write_value(value, record, session.memory, Owner::call);
            return pointer_to(record);
        }
        default: break;
    }
    session.fault(std::string("the host cannot pass an argument of type '") + letter + "' yet");
    return refuse(xlerrValue);
}

Value read_back(char letter, const os::SlotValue& slot, capi::Session& session) {
    if (slot.ptr == nullptr) return Value::err(xlerrNum);
    switch (letter) {
        case 'E': return Value::num(*static_cast<double*>(slot.ptr));
        case 'L': return Value::boolean_value(*static_cast<int16_t*>(slot.ptr) != 0);
        case 'M': return Value::num(*static_cast<int16_t*>(slot.ptr));
        case 'N': return Value::num(*static_cast<int32_t*>(slot.ptr));
        case 'F': {
            const char* text = static_cast<const char*>(slot.ptr);
            return Value::str(std::string(text, strnlen(text, 255)));
        }
        case 'G': return Value::str(capi::counted_text(static_cast<const char*>(slot.ptr)));
        case 'K': {
            const auto* fp = static_cast<const FpArray*>(slot.ptr);
            const size_t room = (session.memory.block_size(fp) - offsetof(FpArray, array)) / sizeof(double);
            if (static_cast<size_t>(fp->rows) * fp->columns > room) {
                session.fault("an in-place FP array grew beyond the array Excel passed");
                return Value::err(xlerrValue);
            }
            const double* numbers =
                reinterpret_cast<const double*>(reinterpret_cast<const char*>(fp) + offsetof(FpArray, array));
            std::vector<Value> items;
            for (size_t i = 0; i < static_cast<size_t>(fp->rows) * fp->columns; ++i) items.push_back(Value::num(numbers[i]));
            return Value::array(fp->rows, fp->columns, std::move(items));
        }
        default: break;
    }
    session.fault(std::string("an in-place result of type '") + letter + "'");
    return Value::err(xlerrValue);
}

}  // namespace xlhost::engine
