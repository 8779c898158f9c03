#include "capi/xloper_values.h"

#include <cstring>

#include "capi/conversion.h"

namespace xlhost::capi {

std::string counted_text(const char* counted) {
    if (counted == nullptr) return "";
    const auto length = static_cast<unsigned char>(counted[0]);
    return std::string(counted + 1, length);
}

namespace {

bool fail(std::string* problem, const std::string& why) {
    if (problem) *problem = why;
    return false;
}

std::string type_name(uint16_t type) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", type);
    return buffer;
}

bool read_element(const XLOPER& x, Value* out, std::string* problem) {
    switch (base_type(x)) {
        case xltypeNum: *out = Value::num(x.val.num); return true;
        case xltypeStr:
            if (x.val.str == nullptr) return fail(problem, "a text element with a null pointer");
            *out = Value::str(counted_text(x.val.str));
            return true;
        case xltypeBool: *out = Value::boolean_value(x.val.xbool != 0); return true;
        case xltypeErr: *out = Value::err(x.val.err); return true;
        case xltypeNil: *out = Value::nil(); return true;
        case xltypeMissing: *out = Value::missing_value(); return true;
        case xltypeInt: *out = Value::integer_value(x.val.w); return true;
        default: return fail(problem, "an array element of type " + type_name(x.xltype));
    }
}

}  // namespace

bool reference_target(const XLOPER& x, Session& session, Target* out, std::string* problem) {
    Target target;
    if (base_type(x) == xltypeSRef) {
        if (x.val.sref.count != 1) return fail(problem, "an xltypeSRef with an area count other than 1");
        const XLREF& r = x.val.sref.ref;
        if (r.rwFirst > r.rwLast || r.colFirst > r.colLast) return fail(problem, "an xltypeSRef with corners out of order");
        target.sheet = &session.sheet_in_use();
        target.areas.push_back({r.rwFirst, r.colFirst, r.rwLast, r.colLast});
    } else if (base_type(x) == xltypeRef) {
        const XLMREF* areas = x.val.mref.lpmref;
        if (areas == nullptr) return fail(problem, "an xltypeRef without areas");
        if (areas->count == 0) return fail(problem, "an xltypeRef with no area");
        target.sheet = session.model.sheet_by_id(x.val.mref.idSheet);
        if (target.sheet == nullptr) return fail(problem, "an xltypeRef to an unknown sheet " + std::to_string(x.val.mref.idSheet));
        for (uint16_t i = 0; i < areas->count; ++i) {
            const XLREF& r = areas->reftbl[i];
            if (r.rwFirst > r.rwLast || r.colFirst > r.colLast)
                return fail(problem, "an xltypeRef with corners out of order");
            target.areas.push_back({r.rwFirst, r.colFirst, r.rwLast, r.colLast});
        }
    } else {
        return fail(problem, "not a reference");
    }
    *out = std::move(target);
    return true;
}

Value target_value(const Target& target) {
    const Range& area = target.areas.front();
    if (area.single()) return target.sheet->value(area.first_row, area.first_column);
    std::vector<Value> items;
    items.reserve(static_cast<size_t>(area.rows()) * static_cast<size_t>(area.columns()));
    for (int r = area.first_row; r <= area.last_row; ++r)
        for (int c = area.first_column; c <= area.last_column; ++c) items.push_back(target.sheet->value(r, c));
    return Value::array(area.rows(), area.columns(), std::move(items));
}

bool read_xloper(const XLOPER* x, Session& session, Value* out, std::string* problem) {
    if (x == nullptr) return fail(problem, "a null pointer");
    switch (base_type(*x)) {
        case xltypeRef:
        case xltypeSRef: {
            Target target;
            if (!reference_target(*x, session, &target, problem)) return false;
            Value v;
            v.kind = Value::Kind::reference;
            v.text = session.model.full_name(*target.sheet) + "!";
            for (size_t i = 0; i < target.areas.size(); ++i) {
                if (i > 0) v.text += ",";
                v.text += absolute_text(target.areas[i]);
            }
            v.row = target.areas[0].first_row;
            v.column = target.areas[0].first_column;
            v.rows = target.areas[0].rows();
            v.columns = target.areas[0].columns();
            *out = v;
            return true;
        }
        case xltypeMulti: {
            const auto rows = x->val.array.rows, columns = x->val.array.columns;
            if (rows == 0 || columns == 0) return fail(problem, "an array without rows or columns");
            if (x->val.array.lparray == nullptr) return fail(problem, "an array with a null pointer");
            std::vector<Value> items(static_cast<size_t>(rows) * columns);
            for (size_t i = 0; i < items.size(); ++i)
                if (!read_element(x->val.array.lparray[i], &items[i], problem)) return false;
            *out = Value::array(rows, columns, std::move(items));
            return true;
        }
        default: return read_element(*x, out, problem) || fail(problem, "a record of type " + type_name(x->xltype));
    }
}

std::string describe(const XLOPER* x, Session& session) {
    Value value;
    std::string problem;
    if (!read_xloper(x, session, &value, &problem)) return "<invalid: " + problem + ">";
    if (value.kind == Value::Kind::text) return "\"" + value.text + "\"";
    if (value.kind == Value::Kind::missing) return "<missing>";
    if (value.kind == Value::Kind::nil) return "<nil>";
    if (value.kind == Value::Kind::integer) return display(value) + "i";
    if (value.kind == Value::Kind::array) return constant_text(value);
    return display(value);
}

namespace {
std::string beyond_a_record(int rows, int columns) {
    constexpr int most = std::numeric_limits<uint16_t>::max();
    if (rows > most) return std::to_string(rows) + " rows, more than the " + std::to_string(most) + " of an array record";
    if (columns > most)
        return std::to_string(columns) + " columns, more than the " + std::to_string(most) + " of an array record";
    return "";
}
}  // namespace

std::string beyond_a_record(const Value& value) {
    return value.kind == Value::Kind::array ? beyond_a_record(value.rows, value.columns) : "";
}

std::string beyond_a_record(const Range& block) { return beyond_a_record(block.rows(), block.columns()); }

XLREF record_rectangle(const Range& range) {
    XLREF r{};
    r.rwFirst = record_field<uint16_t>(range.first_row, "row");
    r.rwLast = record_field<uint16_t>(range.last_row, "row");
    r.colFirst = record_field<uint8_t>(range.first_column, "column");
    r.colLast = record_field<uint8_t>(range.last_column, "column");
    return r;
}

void write_sref(const Range& range, XLOPER* out) {
    const XLREF rectangle = record_rectangle(range);
    std::memset(out, 0, sizeof *out);
    out->xltype = xltypeSRef;
    out->val.sref.count = 1;
    out->val.sref.ref = rectangle;
}

void write_value(const Value& value, XLOPER* out, Memory& memory, Owner owner) {
    std::memset(out, 0, sizeof *out);
    switch (value.kind) {
        case Value::Kind::nil: out->xltype = xltypeNil; break;
        case Value::Kind::missing: out->xltype = xltypeMissing; break;
        case Value::Kind::number:
            out->xltype = xltypeNum;
            out->val.num = value.number;
            break;
        case Value::Kind::integer:
            // An integer that a 16-bit record cannot hold travels as a number.
            if (auto whole = to_integer(value.number, -32768, 32767)) {
                out->xltype = xltypeInt;
                out->val.w = static_cast<int16_t>(*whole);
            } else {
                out->xltype = xltypeNum;
                out->val.num = value.number;
            }
            break;
        case Value::Kind::text:
            out->xltype = xltypeStr;
            out->val.str = memory.new_text(value.text, owner);
            break;
        case Value::Kind::boolean:
            out->xltype = xltypeBool;
            out->val.xbool = value.boolean ? 1 : 0;
            break;
        case Value::Kind::error:
            out->xltype = xltypeErr;
            out->val.err = record_field<uint16_t>(value.error, "error code");
            break;
        case Value::Kind::array: {
            if (value.rows < 1 || value.columns < 1 || !beyond_a_record(value).empty()) {
                out->xltype = xltypeErr;
                out->val.err = xlerrValue;
                break;
            }
            const size_t count = static_cast<size_t>(value.rows) * static_cast<size_t>(value.columns);
            XLOPER* items = memory.new_array(count, owner);
            for (size_t i = 0; i < count && i < value.items.size(); ++i) {
                const Value& item = value.items[i];
                XLOPER& element = items[i];
                if (item.kind == Value::Kind::text) {
                    element.xltype = xltypeStr;
                    element.val.str = memory.new_text(item.text, owner, items);
                } else if (item.kind == Value::Kind::array || item.kind == Value::Kind::reference) {
                    element.xltype = xltypeErr;
                    element.val.err = xlerrValue;
                } else {
                    write_value(item, &element, memory, owner);
                }
            }
            for (size_t i = value.items.size(); i < count; ++i) items[i].xltype = xltypeNil;
            out->xltype = xltypeMulti;
            out->val.array.lparray = items;
            out->val.array.rows = record_field<uint16_t>(value.rows, "rows");
            out->val.array.columns = record_field<uint16_t>(value.columns, "columns");
            break;
        }
        case Value::Kind::reference:
            out->xltype = xltypeErr;
            out->val.err = xlerrValue;
            break;
    }
}

void write_reference(IDSHEET sheet_id, const std::vector<Range>& areas, XLOPER* out, Memory& memory, Owner owner) {
    std::memset(out, 0, sizeof *out);
    const auto count = record_field<uint16_t>(static_cast<long long>(areas.size()), "area count");
    std::vector<XLREF> rectangles;
    for (const Range& area : areas) rectangles.push_back(record_rectangle(area));
    XLMREF* list = memory.new_areas(areas.size(), owner);
    list->count = count;
    for (size_t i = 0; i < rectangles.size(); ++i) list->reftbl[i] = rectangles[i];
    out->xltype = xltypeRef;
    out->val.mref.lpmref = list;
    out->val.mref.idSheet = sheet_id;
}

}  // namespace xlhost::capi
