#include "instances/wire.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace xlhost::instances::wire {
namespace {

const char hex_digits[] = "0123456789ABCDEF";

int hex_value(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool plain(unsigned char c) { return c > 0x20 && c < 0x7F && c != '%'; }

// An array nests no deeper than a cell holds (an array of arrays never comes back from Excel).
constexpr int deepest = 2;

// What a sheet and its records hold: a value beyond them is no value either end could have
// sent, and taking it would hand the instance a cell it cannot give to the add-in.
constexpr size_t most_text = 32767;     // characters of a cell
constexpr int most_array_rows = 65535;  // rows of an array record
constexpr int most_columns = 256;       // columns of a sheet
constexpr int sheet_rows = 65536;

// A number written in decimal ("1.5", "-2e-3"): no NaN, infinity, hexadecimal or overflow.
bool decimal_number(const std::string& digits, double* out) {
    if (digits.empty() || digits.find_first_not_of("0123456789+-.eE") != std::string::npos) return false;
    char* end = nullptr;
    const double read = std::strtod(digits.c_str(), &end);
    if (*end != '\0' || !std::isfinite(read)) return false;
    *out = read;
    return true;
}

}  // namespace

Writer& Writer::word(const std::string& bare) {
    if (!line_.empty()) line_ += ' ';
    line_ += bare;
    return *this;
}

Writer& Writer::text(const std::string& any) {
    std::string encoded = ":";
    for (const char c : any) {
        const auto byte = static_cast<unsigned char>(c);
        if (plain(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += hex_digits[byte >> 4];
            encoded += hex_digits[byte & 0xF];
        }
    }
    return word(encoded);
}

Writer& Writer::number(long long value) { return word(std::to_string(value)); }

Writer& Writer::value(const Value& value) {
    switch (value.kind) {
        case Value::Kind::nil: return word("-");
        case Value::Kind::missing: return word("?");
        case Value::Kind::number: {
            char digits[40];
            std::snprintf(digits, sizeof digits, "%.17g", value.number);
            return word("n").word(digits);
        }
        case Value::Kind::integer: return word("i").number(static_cast<long long>(value.number));
        case Value::Kind::text: return word("t").text(value.text);
        case Value::Kind::boolean: return word("b").number(value.boolean ? 1 : 0);
        case Value::Kind::error: return word("e").number(value.error);
        case Value::Kind::reference:
            return word("r").text(value.text).number(value.rows).number(value.columns).number(value.row).number(value.column);
        case Value::Kind::array:
            word("a").number(value.rows).number(value.columns);
            for (const Value& item : value.items) this->value(item);
            return *this;
    }
    return word("-");
}

Writer& Writer::boxes(const std::vector<ShownMessageBox>& boxes) {
    number(static_cast<long long>(boxes.size()));
    for (const ShownMessageBox& box : boxes) text(box.caption).text(box.text).number(box.style);
    return *this;
}

Writer& Writer::ledger(const AutomationLedger& ledger) {
    return number(ledger.ole_initializations)
        .number(ledger.ole_uninitializations)
        .number(ledger.running_table_enumerations)
        .number(ledger.helpers_alive)
        .number(ledger.strings_alive)
        .number(ledger.safe_arrays_alive);
}

Writer& Writer::calls(const std::vector<CallRecord>& calls) {
    number(static_cast<long long>(calls.size()));
    for (const CallRecord& call : calls) {
        number(call.function).number(call.code).number(static_cast<long long>(call.arguments.size()));
        for (const std::string& argument : call.arguments) text(argument);
        text(call.result).text(call.note);
    }
    return *this;
}

Writer& Writer::automation_calls(const std::vector<AutomationCall>& calls) {
    number(static_cast<long long>(calls.size()));
    for (const AutomationCall& call : calls) {
        text(call.object).text(call.member).number(call.invoke ? 1 : 0).number(call.locale).number(call.flags);
        number(static_cast<long long>(call.arguments.size()));
        for (const Value& argument : call.arguments) value(argument);
        number(call.status).number(static_cast<long long>(call.calls_before));
    }
    return *this;
}

Reader::Reader(const std::string& line) {
    size_t start = 0;
    while (start < line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string::npos) end = line.size();
        words_.push_back(line.substr(start, end - start));
        start = end + 1;
    }
}

bool Reader::word(std::string* bare) {
    if (at_end()) return false;
    *bare = words_[next_++];
    return true;
}

bool Reader::text(std::string* any) {
    std::string encoded;
    if (!word(&encoded) || encoded.empty() || encoded[0] != ':') return false;
    any->clear();
    for (size_t i = 1; i < encoded.size(); ++i) {
        if (encoded[i] != '%') {
            *any += encoded[i];
            continue;
        }
        if (i + 2 >= encoded.size()) return false;
        const int high = hex_value(encoded[i + 1]), low = hex_value(encoded[i + 2]);
        if (high < 0 || low < 0) return false;
        *any += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

bool Reader::number(long long* value) {
    std::string digits;
    if (!word(&digits) || digits.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long read = std::strtoll(digits.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return false;
    *value = read;
    return true;
}

bool Reader::number(int* value) {
    long long read = 0;
    if (!number(&read) || read < -2147483647LL - 1 || read > 2147483647LL) return false;
    *value = static_cast<int>(read);
    return true;
}

bool Reader::value(Value* value, int depth) {
    std::string kind;
    if (!word(&kind)) return false;
    if (kind == "-") return *value = Value::nil(), true;
    if (kind == "?") return *value = Value::missing_value(), true;
    int whole = 0;
    if (kind == "n") {
        std::string digits;
        double read = 0;
        if (!word(&digits) || !decimal_number(digits, &read)) return false;
        *value = Value::num(read);
        return true;
    }
    // A 16-bit integer record.
    if (kind == "i")
        return number(&whole) && whole >= -32768 && whole <= 32767 && (*value = Value::integer_value(whole), true);
    if (kind == "b") return number(&whole) && (whole == 0 || whole == 1) && (*value = Value::boolean_value(whole == 1), true);
    // Only the error codes Excel has.
    if (kind == "e") return number(&whole) && !error_text(whole).empty() && (*value = Value::err(whole), true);
    if (kind == "t") {
        std::string text;
        return this->text(&text) && text.size() <= most_text && (*value = Value::str(text), true);
    }
    if (kind == "r") {
        Value reference;
        reference.kind = Value::Kind::reference;
        if (!text(&reference.text) || !number(&reference.rows) || !number(&reference.columns) ||
            !number(&reference.row) || !number(&reference.column))
            return false;
        // A rectangle inside the sheet.
        if (reference.rows < 1 || reference.columns < 1 || reference.row < 0 || reference.column < 0 ||
            reference.rows > sheet_rows - reference.row || reference.columns > most_columns - reference.column)
            return false;
        *value = reference;
        return true;
    }
    if (kind != "a" || depth >= deepest) return false;
    int rows = 0, columns = 0;
    if (!number(&rows) || !number(&columns) || rows <= 0 || columns <= 0 || rows > most_array_rows ||
        columns > most_columns)
        return false;
    const long long count = static_cast<long long>(rows) * columns;
    // Each item takes at least one word: a count beyond what is left cannot be honest.
    if (count > static_cast<long long>(words_.size() - next_)) return false;
    std::vector<Value> items(static_cast<size_t>(count));
    for (Value& item : items)
        if (!this->value(&item, depth + 1)) return false;
    *value = Value::array(rows, columns, std::move(items));
    return true;
}

bool Reader::boxes(std::vector<ShownMessageBox>* boxes) {
    int count = 0;
    if (!number(&count) || count < 0 || count > static_cast<int>(words_.size() - next_)) return false;
    boxes->assign(static_cast<size_t>(count), ShownMessageBox{});
    for (ShownMessageBox& box : *boxes) {
        long long style = 0;
        if (!text(&box.caption) || !text(&box.text) || !number(&style) || style < 0 || style > 0xFFFFFFFFLL) return false;
        box.style = static_cast<unsigned>(style);
    }
    return true;
}

bool Reader::ledger(AutomationLedger* ledger) {
    return number(&ledger->ole_initializations) && number(&ledger->ole_uninitializations) &&
           number(&ledger->running_table_enumerations) && number(&ledger->helpers_alive) &&
           number(&ledger->strings_alive) && number(&ledger->safe_arrays_alive);
}

bool Reader::calls(std::vector<CallRecord>* calls) {
    int count = 0;
    if (!number(&count) || count < 0 || count > static_cast<int>(words_.size() - next_)) return false;
    calls->assign(static_cast<size_t>(count), CallRecord{});
    for (CallRecord& call : *calls) {
        int arguments = 0;
        if (!number(&call.function) || !number(&call.code) || !number(&arguments) || arguments < 0 || arguments > 30)
            return false;
        call.arguments.resize(static_cast<size_t>(arguments));
        for (std::string& argument : call.arguments)
            if (!text(&argument)) return false;
        if (!text(&call.result) || !text(&call.note)) return false;
    }
    return true;
}

bool Reader::automation_calls(std::vector<AutomationCall>* calls) {
    int count = 0;
    if (!number(&count) || count < 0 || count > static_cast<int>(words_.size() - next_)) return false;
    calls->assign(static_cast<size_t>(count), AutomationCall{});
    for (AutomationCall& call : *calls) {
        int invoke = 0, arguments = 0;
        long long locale = 0, flags = 0, before = 0;
        if (!text(&call.object) || !text(&call.member) || !number(&invoke) || (invoke != 0 && invoke != 1) ||
            !number(&locale) || locale < 0 || locale > 0xFFFFFFFFLL || !number(&flags) || flags < 0 || flags > 0xFFFF ||
            !number(&arguments) || arguments < 0 || arguments > static_cast<int>(words_.size() - next_))
            return false;
        call.invoke = invoke == 1;
        call.locale = static_cast<uint32_t>(locale);
        call.flags = static_cast<uint16_t>(flags);
        call.arguments.resize(static_cast<size_t>(arguments));
        for (Value& argument : call.arguments)
            if (!value(&argument)) return false;
        if (!number(&call.status) || !number(&before) || before < 0) return false;
        call.calls_before = static_cast<size_t>(before);
    }
    return true;
}

std::vector<std::string> words_of(const CoercionProbes& probes) {
    std::vector<std::string> words;
    if (probes.calculation == CoercionProbes::Calculation::answers_false) words.push_back("calculate-false");
    if (probes.calculation == CoercionProbes::Calculation::refuses) words.push_back("calculate-refused");
    if (probes.text_test == CoercionProbes::TextTest::answers_ref) words.push_back("istext-ref");
    if (probes.text_test == CoercionProbes::TextTest::refuses) words.push_back("istext-refused");
    return words;
}

bool probes_of(const std::vector<std::string>& words, CoercionProbes* probes) {
    CoercionProbes read;
    bool calculation = false, text_test = false;
    for (const std::string& word : words) {
        const bool calculation_word = word == "calculate-false" || word == "calculate-refused";
        const bool text_word = word == "istext-ref" || word == "istext-refused";
        if ((!calculation_word && !text_word) || (calculation_word && calculation) || (text_word && text_test))
            return false;
        calculation = calculation || calculation_word;
        text_test = text_test || text_word;
        if (word == "calculate-false") read.calculation = CoercionProbes::Calculation::answers_false;
        if (word == "calculate-refused") read.calculation = CoercionProbes::Calculation::refuses;
        if (word == "istext-ref") read.text_test = CoercionProbes::TextTest::answers_ref;
        if (word == "istext-refused") read.text_test = CoercionProbes::TextTest::refuses;
    }
    *probes = read;
    return true;
}

}  // namespace xlhost::instances::wire
