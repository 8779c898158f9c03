// Sheets in and out as CSV: what each field of a file becomes in a cell, and the values of a
// sheet written back.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "csv/csv.h"
#include "engine/host_impl.h"
#include "formula/formula.h"
#include "model/cell_format.h"
#include "model/dates.h"
#include "model/number_text.h"

namespace xlhost {

namespace {
// The number format a date read from a file gets, as Excel gives one written so.
const char* const iso_date_format = "yyyy-mm-dd";

// A field as Excel reads a typed entry: '=' starts a formula, an apostrophe makes the rest a
// text, then numbers, dates written yyyy-mm-dd (their serial, formatted as a date),
// TRUE/FALSE and error literals; anything else is a text.
bool enter(Sheet& sheet, int row, int column, const std::string& field, std::string* error) {
    if (field.empty()) return true;
    if (field[0] == '=') {
        Expr parsed;
        std::string why;
        if (!parse_formula(field, &parsed, &why)) {
            if (error) *error = "cell " + cell_text(row, column) + ": " + why;
            return false;
        }
        sheet.set_formula(row, column, field);
        return true;
    }
    if (field[0] == '\'') {
        sheet.set_value(row, column, Value::str(field.substr(1)));
        return true;
    }
    if (auto number = parse_number(field)) sheet.set_value(row, column, Value::num(*number));
    else if (auto date = parse_iso_date(field)) {
        sheet.set_value(row, column, Value::num(*date));
        CellLook look;
        look.number_format = iso_date_format;
        sheet.objects().formats.apply({row, column, row, column}, look);
    } else if (auto boolean = parse_boolean(field)) sheet.set_value(row, column, Value::boolean_value(*boolean));
    else if (auto code = parse_error(field)) sheet.set_value(row, column, Value::err(*code));
    else sheet.set_value(row, column, Value::str(field));
    return true;
}

// What one worksheet holds: 65536 rows of 256 columns, at most 32767 characters a cell.
CsvLimits sheet_limits() {
    CsvLimits limits;
    limits.records = static_cast<size_t>(max_rows);
    limits.fields = static_cast<size_t>(max_columns);
    limits.field_characters = 32767;
    return limits;
}

bool load_rows(Sheet& sheet, const CsvRows& rows, std::string* error) {
    Sheet loaded(sheet.name(), sheet.id());
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            if (!enter(loaded, static_cast<int>(r), static_cast<int>(c), cp1252(rows[r][c]), error)) return false;
    sheet.clear();
    for (const FormatLayer& layer : loaded.objects().formats.layers()) sheet.objects().formats.apply(layer.range, layer.look);
    for (const auto& [at, cell] : loaded.cells()) {
        if (cell.formula.empty()) sheet.set_value(at.first, at.second, cell.value);
        else sheet.set_formula(at.first, at.second, cell.formula);
    }
    return true;
}
}  // namespace

bool Host::load_csv_text(const std::string& utf8_text, std::string* error) {
    std::istringstream in(utf8_text);
    CsvRows rows;
    if (!parse_csv(in, sheet_limits(), &rows, error)) return false;
    return load_rows(impl_->session().model.active_sheet(), rows, error);
}

bool Host::load_csv(const std::string& path, std::string* error) {
    // Only a file is a sheet: a directory, a device or a pipe is refused before it is opened.
    std::error_code code;
    const auto status = std::filesystem::status(path, code);
    if (!code && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status)) {
        if (error) *error = "cannot read " + path + ": not a regular file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (code || !in) {
        if (error) *error = "cannot read " + path;
        return false;
    }
    CsvRows rows;
    std::string why;
    if (!parse_csv(in, sheet_limits(), &rows, &why) || !load_rows(impl_->session().model.active_sheet(), rows, &why)) {
        if (error) *error = path + ": " + why;
        return false;
    }
    return true;
}

namespace {
// Whether a cell shows its number as a date: a date number format, or a formula whose value is
// the answer of a function that answers dates.
bool shows_a_date(const Sheet& sheet, int row, int column, const Cell& cell) {
    if (cell.formula.empty()) {
        const CellLook look = sheet.objects().formats.look_at(row, column);
        return look.number_format && is_date_format(*look.number_format);
    }
    Expr parsed;
    return parse_formula(cell.formula, &parsed, nullptr) && parsed.kind == Expr::Kind::call &&
           answers_a_date(parsed.text);
}
}  // namespace

std::string Host::sheet_csv(bool dates_shown) const {
    const Sheet& sheet = impl_->engine.session.model.active_sheet();
    int last_row = -1, last_column = -1;
    for (const auto& [at, cell] : sheet.cells()) {
        last_row = std::max(last_row, at.first);
        last_column = std::max(last_column, at.second);
    }
    std::string out;
    for (int r = 0; r <= last_row; ++r) {
        for (int c = 0; c <= last_column; ++c) {
            if (c > 0) out += ',';
            const Value value = sheet.value(r, c);
            const Cell* cell = sheet.cell(r, c);
            std::optional<std::string> date;
            if (dates_shown && cell != nullptr && value.kind == Value::Kind::number && shows_a_date(sheet, r, c, *cell))
                date = iso_date_text(value.number);
            out += csv_field(date ? *date : utf8(constant_text(value)));
        }
        out += '\n';
    }
    return out;
}

}  // namespace xlhost
