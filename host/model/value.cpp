// The host's value type and how Excel writes values as text.
#include <cmath>
#include <cstdio>

#include "model/number_text.h"
#include "model/value.h"

namespace xlhost {

Value Value::nil() { return Value{}; }

Value Value::num(double n) {
    Value v;
    v.kind = Kind::number;
    v.number = n;
    return v;
}

Value Value::str(const std::string& cp1252_text) {
    Value v;
    v.kind = Kind::text;
    v.text = cp1252_text;
    return v;
}

Value Value::boolean_value(bool b) {
    Value v;
    v.kind = Kind::boolean;
    v.boolean = b;
    return v;
}

Value Value::err(int code) {
    Value v;
    v.kind = Kind::error;
    v.error = code;
    return v;
}

Value Value::integer_value(int n) {
    Value v;
    v.kind = Kind::integer;
    v.number = n;
    return v;
}

Value Value::missing_value() {
    Value v;
    v.kind = Kind::missing;
    return v;
}

Value Value::array(int rows, int columns, std::vector<Value> items) {
    Value v;
    v.kind = Kind::array;
    v.rows = rows;
    v.columns = columns;
    v.items = std::move(items);
    return v;
}

bool Value::operator==(const Value& other) const {
    if (kind != other.kind) return false;
    switch (kind) {
        case Kind::nil:
        case Kind::missing: return true;
        case Kind::number:
        case Kind::integer: return number == other.number;
        case Kind::text: return text == other.text;
        case Kind::boolean: return boolean == other.boolean;
        case Kind::error: return error == other.error;
        case Kind::array: return rows == other.rows && columns == other.columns && items == other.items;
        case Kind::reference:
            return text == other.text && row == other.row && column == other.column && rows == other.rows &&
                   columns == other.columns;
    }
    return false;
}

std::string error_text(int code) {
    switch (code) {
        case 0: return "#NULL!";
        case 7: return "#DIV/0!";
        case 15: return "#VALUE!";
        case 23: return "#REF!";
        case 29: return "#NAME?";
        case 36: return "#NUM!";
        case 42: return "#N/A";
        default: return "";
    }
}

namespace {
std::string scalar_text(const Value& value) {
    switch (value.kind) {
        case Value::Kind::nil:
        case Value::Kind::missing: return "";
        case Value::Kind::number:
        case Value::Kind::integer: return number_text(value.number);
        case Value::Kind::text: return value.text;
        case Value::Kind::boolean: return value.boolean ? "TRUE" : "FALSE";
        case Value::Kind::error: {
            const auto text = error_text(value.error);
            return text.empty() ? "#ERR" + std::to_string(value.error) : text;
        }
        case Value::Kind::reference: return value.text;
        case Value::Kind::array: break;
    }
    return "";
}
}  // namespace

std::string display(const Value& value) {
    if (value.kind != Value::Kind::array) return scalar_text(value);
    std::string out;
    for (int r = 0; r < value.rows; ++r) {
        if (r > 0) out += '\n';
        for (int c = 0; c < value.columns; ++c) {
            if (c > 0) out += '\t';
            const size_t index = static_cast<size_t>(r) * static_cast<size_t>(value.columns) + static_cast<size_t>(c);
            if (index < value.items.size()) out += scalar_text(value.items[index]);
        }
    }
    return out;
}

namespace {
std::string constant_element(const Value& value) {
    if (value.kind == Value::Kind::text) {
        std::string out = "\"";
        for (char ch : value.text) {
            if (ch == '"') out += '"';
            out += ch;
        }
        return out + "\"";
    }
    return scalar_text(value);
}
}  // namespace

std::string constant_text(const Value& value) {
    if (value.kind != Value::Kind::array) return scalar_text(value);
    std::string out = "{";
    for (int r = 0; r < value.rows; ++r) {
        if (r > 0) out += ';';
        for (int c = 0; c < value.columns; ++c) {
            if (c > 0) out += ',';
            const size_t index = static_cast<size_t>(r) * static_cast<size_t>(value.columns) + static_cast<size_t>(c);
            if (index < value.items.size()) out += constant_element(value.items[index]);
        }
    }
    return out + "}";
}

}  // namespace xlhost
