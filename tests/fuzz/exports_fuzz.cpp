// Every worksheet function the add-in registers, each called as Excel calls it once its
// conversions are done, through the host (so its checks apply), with arguments made from the
// input: B any double (NaN, infinities, denormals, signed zeros), I and J any integer, A 0 or 1,
// C a text of any bytes, P a record of any type code with odd flag bits, arrays up to 65535 x 2
// and 256 x 4, texts of any bytes. Invariants of the boundary: no crash and no undefined
// behaviour (the sanitizers), a finite number, an error Excel has, a logical from a function
// that answers one, or an array of the shape its function answers (below); a DLL-free result
// handed to xlAutoFree and released there once (the sanitizer sees a leak or a second free); no
// fault of the host and no value left waiting for xlFree.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <deque>
#include <limits>
#include <vector>

#include "fuzz_support.h"
#include "xll/xloper.h"

namespace {

using fuzz::violation;

// The functions that answer an array, and its shape; 0 rows is any number of rows. Every other
// function answers one value.
struct ArrayAnswer {
    const char* function;
    int rows;
    int columns;
};
const ArrayAnswer array_answers[] = {
    {"VX.DURATION", 5, 1},
    {"VX.FERIADOS", 0, 1},
};

// The functions that answer TRUE or FALSE (or an error); every other answers no logical.
const char* const logical_answers[] = {"VX.EHDIAUTIL"};

// The worksheet functions as the add-in registered them, in catalogue order.
const std::vector<std::string>& functions() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> registered;
        for (const xlhost::Registration& registration : fuzz::host_with_the_addin().registrations())
            if (registration.macro_type == 1 && registration.category == "Varentis")
                registered.push_back(registration.function_text);
        if (registered.empty()) violation("the add-in registered no worksheet function");
        return registered;
    }();
    return names;
}

double any_double(FuzzedDataProvider& data) {
    static const double special[] = {
        0.0, -0.0, 1.0, -1.0, 0.5, 21, 252, 1e308, -1e308,
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::min(), std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
        std::numeric_limits<double>::epsilon(), 2147483647.0, 2147483648.0, -2147483649.0, 32767.5, 65535.0,
        4294967296.0, 9.2233720368547758e18, 1e-300, 0.18, 0.195,
        // the calendar's limits and change, and years
        36892, 36891.5, 2958465.75, 2958466, 45286, 45616, 2001, 2024, 9999, 10000,
    };
    switch (data.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: return data.PickValueInArray(special);
        case 1: {  // any bit pattern
            const auto bits = data.ConsumeIntegral<uint64_t>();
            double value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
        case 2: return data.ConsumeIntegralInRange<int>(-400, 20000);
        default: return data.ConsumeFloatingPoint<double>();
    }
}

// The records of one call and the storage they point to, alive until the call returns.
class Records {
public:
    XLOPER* value(FuzzedDataProvider& data, bool inside_array) {
        XLOPER& record = next();
        static const uint16_t types[] = {xltypeNum, xltypeStr,     xltypeBool, xltypeRef,  xltypeErr, xltypeFlow,
                                         xltypeMulti, xltypeMissing, xltypeNil,  xltypeSRef, xltypeInt};
        uint16_t type = data.PickValueInArray(types);
        if (inside_array && type == xltypeMulti) type = xltypeNum;
        switch (type) {
            case xltypeNum: record.val.num = any_double(data); break;
            case xltypeStr: record.val.str = text(data); break;
            case xltypeBool: record.val.xbool = data.ConsumeBool() ? 1 : data.ConsumeIntegral<uint16_t>(); break;
            case xltypeErr: record.val.err = data.ConsumeIntegral<uint16_t>() % 50; break;
            case xltypeInt: record.val.w = data.ConsumeIntegral<int16_t>(); break;
            case xltypeSRef:
                record.val.sref.count = 1;
                record.val.sref.ref = area(data);
                break;
            case xltypeRef: {
                XLMREF& areas = areas_.emplace_back();
                areas.count = 1;
                areas.reftbl[0] = area(data);
                record.val.mref.lpmref = &areas;
                record.val.mref.idSheet = data.ConsumeIntegral<uint32_t>();
                break;
            }
            case xltypeMulti: array(data, record); break;
            default: std::memset(&record.val, 0, sizeof record.val); break;
        }
        record.xltype = type;
        // Now and then a flag bit Excel does not set on an argument, or a word of no known type.
        switch (data.ConsumeIntegralInRange<int>(0, 40)) {
            case 0: record.xltype |= xlbitXLFree; break;
            case 1: record.xltype |= xlbitDLLFree; break;
            case 2: {  // any word, unless it would make the value area a pointer it is not
                const auto word = data.ConsumeIntegral<uint16_t>();
                const auto base = static_cast<uint16_t>(word & ~(xlbitXLFree | xlbitDLLFree));
                if (base != xltypeStr && base != xltypeMulti && base != xltypeRef) record.xltype = word;
                break;
            }
            default: break;
        }
        return &record;
    }

    // A NUL-terminated text of up to 255 bytes (none of them NUL), as Excel passes a C argument.
    const char* c_text(FuzzedDataProvider& data) {
        std::string bytes = data.ConsumeBytesAsString(data.ConsumeIntegral<uint8_t>());
        bytes.erase(std::remove(bytes.begin(), bytes.end(), '\0'), bytes.end());
        texts_.push_back(std::move(bytes));
        return texts_.back().c_str();
    }

private:
    XLOPER& next() { return blocks_.emplace_back(); }

    char* text(FuzzedDataProvider& data) {
        texts_.emplace_back(257, '\0');
        std::string& storage = texts_.back();
        const auto length = data.ConsumeIntegral<uint8_t>();
        const std::string bytes = data.ConsumeBytesAsString(length);
        storage[0] = static_cast<char>(length);  // the bytes behind it may be fewer: NULs then
        std::memcpy(&storage[1], bytes.data(), bytes.size());
        return storage.data();
    }

    static XLREF area(FuzzedDataProvider& data) {
        XLREF ref;
        ref.rwFirst = data.ConsumeIntegral<uint16_t>();
        ref.rwLast = data.ConsumeIntegral<uint16_t>();
        ref.colFirst = data.ConsumeIntegral<uint8_t>();
        ref.colLast = data.ConsumeIntegral<uint8_t>();
        return ref;
    }

    // A shape the worksheet functions meet (n x 2 up to 65535 rows, 256 x 4, anything small),
    // an empty one without storage, or any count up to the record's 16 bits in rows.
    void array(FuzzedDataProvider& data, XLOPER& record) {
        uint16_t rows = 0, columns = 0;
        switch (data.ConsumeIntegralInRange<int>(0, 5)) {
            case 0: rows = data.ConsumeIntegralInRange<uint16_t>(1, 65535); columns = 2; break;
            case 1: rows = 256; columns = 4; break;
            case 2: rows = data.ConsumeIntegralInRange<uint16_t>(0, 1); columns = data.ConsumeIntegralInRange<uint16_t>(0, 3); break;
            default:
                rows = data.ConsumeIntegralInRange<uint16_t>(1, 12);
                columns = data.ConsumeIntegralInRange<uint16_t>(1, 4);
                break;
        }
        record.val.array.rows = rows;
        record.val.array.columns = columns;
        const size_t count = static_cast<size_t>(rows) * columns;
        if (count == 0) {
            record.val.array.lparray = nullptr;
            return;
        }
        elements_.emplace_back(count);
        std::vector<XLOPER>& elements = elements_.back();
        // The first elements from the input; a long array repeats them, shifted by the index
        // in its number cells so that its rows differ.
        const size_t distinct = std::min<size_t>(count, 64);
        for (size_t i = 0; i < distinct; ++i) elements[i] = *value(data, true);
        for (size_t i = distinct; i < count; ++i) {
            elements[i] = elements[i % distinct];
            if (elements[i].xltype == xltypeNum) elements[i].val.num += static_cast<double>(i / distinct);
        }
        record.val.array.lparray = elements.data();
    }

    // Deques: what they hold stays where it is while they grow.
    std::deque<XLOPER> blocks_;
    std::deque<XLMREF> areas_;
    std::deque<std::string> texts_;
    std::deque<std::vector<XLOPER>> elements_;
};

bool known_error(int code) {
    return code == xlerrNull || code == xlerrDiv0 || code == xlerrValue || code == xlerrRef ||
           code == xlerrName || code == xlerrNum || code == xlerrNA;
}

void check_result(const std::string& name, const xlhost::Value& result) {
    using Kind = xlhost::Value::Kind;
    switch (result.kind) {
        case Kind::number:
            if (!std::isfinite(result.number)) violation(name + " answered the number " + xlhost::display(result));
            return;
        case Kind::boolean:
            if (std::none_of(std::begin(logical_answers), std::end(logical_answers),
                             [&](const char* f) { return name == f; }))
                violation(name + " answered " + xlhost::display(result));
            return;
        case Kind::error:
            if (!known_error(result.error)) violation(name + " answered the error code " + std::to_string(result.error));
            return;
        case Kind::array: {
            const ArrayAnswer* shape = nullptr;
            for (const ArrayAnswer& answer : array_answers)
                if (name == answer.function) shape = &answer;
            if (shape == nullptr || (shape->rows != 0 && result.rows != shape->rows) || result.columns != shape->columns)
                violation(name + " answered a " + std::to_string(result.rows) + " x " + std::to_string(result.columns) + " array");
            for (const auto& item : result.items) {
                if ((item.kind != Kind::number && item.kind != Kind::integer) || !std::isfinite(item.number))
                    violation(name + " answered an array holding " + xlhost::display(item));
            }
            return;
        }
        default: violation(name + " answered " + xlhost::display(result));
    }
}

}  // namespace

// The add-in is mapped before the run starts, so that the fuzzer counts its coverage.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    functions();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    xlhost::Host& host = fuzz::host_with_the_addin();
    FuzzedDataProvider data(bytes, size);
    const std::string& name = functions()[data.ConsumeIntegralInRange<size_t>(0, functions().size() - 1)];
    const xlhost::Registration* registration = host.find_function(name);
    if (registration == nullptr) fuzz::violation(name + " is not registered");
    const std::string arguments = registration->type_text.substr(1);

    Records records;
    std::vector<xlhost::CArgument> converted;
    for (char letter : arguments) {
        xlhost::CArgument argument;
        switch (letter) {
            case 'B': argument.number = any_double(data); break;
            case 'A': argument.integer = data.ConsumeBool() ? 1 : 0; break;
            case 'I': argument.integer = data.ConsumeIntegral<int16_t>(); break;
            case 'J': argument.integer = data.ConsumeIntegral<int32_t>(); break;
            case 'C': argument.record = records.c_text(data); break;
            case 'P': argument.record = records.value(data, false); break;
            default: fuzz::violation(name + ": an argument of type " + std::string(1, letter));
        }
        converted.push_back(argument);
    }
    const xlhost::Value result = host.call_function(name, converted);
    check_result(name, result);
    fuzz::check_host(host, name);
    host.clear_calls();
    return 0;
}
