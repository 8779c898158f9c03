#include "csv/csv.h"

#include <cstdio>
#include <sstream>

namespace xlhost {
namespace {

// The bytes of the input, one at a time, checked as UTF-8 as they are taken, with the line and
// the column (in characters) each character starts at.
class Utf8Input {
public:
    explicit Utf8Input(std::streambuf& in) : in_(in) {}

    // The byte `ahead` places on (0 the next one, up to 2), or EOF.
    int peek(size_t ahead = 0) {
        if (ahead == 0 && waiting_ == 0) return in_.sgetc();
        while (waiting_ <= ahead) {
            const int byte = in_.sbumpc();
            if (byte == EOF) return EOF;
            ahead_[waiting_++] = static_cast<unsigned char>(byte);
        }
        return ahead_[ahead];
    }

    // Takes the next byte (there is one: peek() said so). False when it breaks UTF-8.
    bool take(char* out) {
        unsigned char byte;
        if (waiting_ > 0) {
            byte = ahead_[0];
            for (size_t i = 1; i < waiting_; ++i) ahead_[i - 1] = ahead_[i];
            --waiting_;
        } else {
            byte = static_cast<unsigned char>(in_.sbumpc());
        }
        *out = static_cast<char>(byte);
        if (needed_ == 0) {
            character_line_ = line_;
            character_column_ = ++column_;
            lead_byte_ = byte;
            if (!lead(byte)) return false;
        } else {
            if (byte < low_ || byte > high_) return false;
            low_ = 0x80;
            high_ = 0xBF;
            --needed_;
        }
        if (byte == '\n' || (byte == '\r' && peek() != '\n')) {
            ++line_;
            column_ = 0;
        }
        return true;
    }

    // True while a character has bytes still to come (the input may not end there).
    bool inside_character() const { return needed_ > 0; }
    int line() const { return line_; }
    // Where the character being taken (or the last one) starts.
    int character_line() const { return character_line_; }
    int character_column() const { return character_column_; }
    // The first byte of that character.
    unsigned char lead_byte() const { return lead_byte_; }

private:
    // The first byte of a character: how many bytes follow, and the range of the next one
    // (which rules out overlong forms, surrogates and code points beyond U+10FFFF).
    bool lead(unsigned char byte) {
        if (byte < 0x80) return true;
        if (byte >= 0xC2 && byte <= 0xDF) needed_ = 1;
        else if (byte == 0xE0) needed_ = 2, low_ = 0xA0;
        else if (byte == 0xED) needed_ = 2, high_ = 0x9F;
        else if (byte >= 0xE1 && byte <= 0xEF) needed_ = 2;
        else if (byte == 0xF0) needed_ = 3, low_ = 0x90;
        else if (byte == 0xF4) needed_ = 3, high_ = 0x8F;
        else if (byte >= 0xF1 && byte <= 0xF3) needed_ = 3;
        else return false;
        return true;
    }

    std::streambuf& in_;
    unsigned char ahead_[3] = {};  // bytes read ahead of the next one taken
    size_t waiting_ = 0;
    int line_ = 1, column_ = 0;
    int character_line_ = 1, character_column_ = 0;
    int needed_ = 0;
    unsigned char lead_byte_ = 0;
    unsigned char low_ = 0x80, high_ = 0xBF;
};

class CsvReader {
public:
    CsvReader(std::streambuf& in, const CsvLimits& limits, std::string* error)
        : in_(in), limits_(limits), error_(error) {}

    bool read(CsvRows* rows) {
        if (in_.peek() == 0xEF && in_.peek(1) == 0xBB && in_.peek(2) == 0xBF) {
            char skipped;
            for (int i = 0; i < 3; ++i) in_.take(&skipped);
        }
        CsvRows out;
        if (in_.peek() == EOF) {
            *rows = std::move(out);
            return true;
        }
        std::vector<std::string> record;
        while (true) {
            std::string field;
            line_ = in_.line();
            if (!read_field(&field)) return false;
            record.push_back(std::move(field));
            if (record.size() > limits_.fields)
                return fail("more than " + std::to_string(limits_.fields) + " columns");
            const int next = in_.peek();
            bool end_of_record = next == EOF;
            if (next == ',') {
                if (!take()) return false;
            } else if (next != EOF) {  // a line break ends the record
                if (next == '\r' && in_.peek(1) == '\n' && !take()) return false;
                if (!take()) return false;
                end_of_record = true;
            }
            if (end_of_record) {
                out.push_back(std::move(record));
                record.clear();
                if (out.size() > limits_.records)
                    return fail("more than " + std::to_string(limits_.records) + " rows");
                if (in_.peek() == EOF) break;
            }
        }
        *rows = std::move(out);
        return true;
    }

private:
    bool fail(const std::string& why) {
        if (error_) *error_ = "line " + std::to_string(line_) + ": " + why;
        return false;
    }

    bool take(std::string* into = nullptr) {
        char byte;
        if (!in_.take(&byte)) return not_utf8();
        if (into) into->push_back(byte);
        return true;
    }

    // Names the character that is not UTF-8 by where it starts and its first byte.
    bool not_utf8() {
        if (error_) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", in_.lead_byte());
            *error_ = "line " + std::to_string(in_.character_line()) + ", column " +
                      std::to_string(in_.character_column()) + ": not UTF-8 (a character starting with byte " + hex + ")";
        }
        return false;
    }

    // One more byte of a field's own text, within the characters a cell can hold.
    bool add(std::string* field, size_t* characters) {
        if (!take(field)) return false;
        if ((static_cast<unsigned char>(field->back()) & 0xC0) != 0x80 && ++*characters > limits_.field_characters)
            return fail("a cell of more than " + std::to_string(limits_.field_characters) + " characters");
        return true;
    }

    bool read_field(std::string* field) {
        size_t characters = 0;
        if (in_.peek() != '"') {
            for (int next = in_.peek(); next != EOF && next != ',' && next != '\n' && next != '\r'; next = in_.peek()) {
                if (next == '"' && !in_.inside_character()) return fail("a quote inside an unquoted field");
                if (!add(field, &characters)) return false;
            }
            return ends_whole();
        }
        if (!take()) return false;
        while (true) {
            const int next = in_.peek();
            if (next == EOF) {
                if (in_.inside_character()) return ends_whole();
                return fail("a quoted field is not closed");
            }
            if (next == '"' && !in_.inside_character()) {
                if (!take()) return false;
                if (in_.peek() != '"') break;
                if (!add(field, &characters)) return false;
                continue;
            }
            if (!add(field, &characters)) return false;
        }
        const int after = in_.peek();
        if (after != EOF && after != ',' && after != '\n' && after != '\r') {
            line_ = in_.line();
            return fail("text after the closing quote of a field");
        }
        return true;
    }

    // A character cut off by the end of the input, or by a comma or line break, is not UTF-8.
    bool ends_whole() {
        if (!in_.inside_character()) return true;
        return not_utf8();
    }

    Utf8Input in_;
    CsvLimits limits_;
    std::string* error_;
    int line_ = 1;  // the line the current record (or field) is on, for messages
};

}  // namespace

bool parse_csv(std::istream& in, const CsvLimits& limits, CsvRows* rows, std::string* error) {
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr) {
        if (error) *error = "nothing to read";
        return false;
    }
    return CsvReader(*buffer, limits, error).read(rows);
}

bool parse_csv(const std::string& text, CsvRows* rows, std::string* error) {
    std::istringstream in(text);
    return parse_csv(in, CsvLimits{}, rows, error);
}

std::string csv_field(const std::string& text) {
    // A leading byte-order mark is quoted too: at the start of a file it would be skipped.
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' ')) ||
                       text.rfind("\xEF\xBB\xBF", 0) == 0;
    if (!quote) return text;
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"') out += '"';
        out += ch;
    }
    return out + "\"";
}

}  // namespace xlhost
