#include "csv/csv.h"

namespace xlhost {

bool parse_csv(const std::string& text, CsvRows* rows, std::string* error) {
    CsvRows out;
    size_t i = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
    int line = 1;
    std::vector<std::string> record;
    std::string field;
    auto fail = [&](const std::string& why) {
        if (error) *error = "line " + std::to_string(line) + ": " + why;
        return false;
    };
    if (i >= text.size()) {
        *rows = std::move(out);
        return true;
    }
    while (true) {
        // At the start of a field.
        field.clear();
        bool end_of_record = false, end_of_text = false;
        if (i < text.size() && text[i] == '"') {
            const int opened = line;
            ++i;
            while (true) {
                if (i >= text.size()) {
                    line = opened;
                    return fail("a quoted field is not closed");
                }
                const char ch = text[i];
                if (ch == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                if (ch == '\n') ++line;
                field += ch;
                ++i;
            }
            if (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r')
                return fail("text after the closing quote of a field");
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\n' && text[i] != '\r') {
                if (text[i] == '"') return fail("a quote inside an unquoted field");
                field += text[i++];
            }
        }
        record.push_back(field);
        if (i >= text.size()) {
            end_of_text = true;
        } else if (text[i] == ',') {
            ++i;
        } else {
            if (text[i] == '\r') {
                if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            }
            ++i;
            ++line;
            end_of_record = true;
            if (i >= text.size()) end_of_text = true;
        }
        if (end_of_record || end_of_text) {
            out.push_back(std::move(record));
            record.clear();
        }
        if (end_of_text) break;
    }
    *rows = std::move(out);
    return true;
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
