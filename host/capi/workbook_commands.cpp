// NEW, ECHO, WORKBOOK.NAME, WORKBOOK.INSERT, WORKBOOK.ACTIVATE, WORKBOOK.HIDE, OPTIONS.VIEW,
// xlSet, COLUMN.WIDTH and CLEAR: workbooks and their sheets, what a sheet shows, cell values.
#include <algorithm>
#include <cmath>

#include "capi/chart_building.h"
#include "capi/command_arguments.h"
#include "capi/conversion.h"
#include "capi/workbook_handlers.h"

namespace xlhost::capi {

namespace {

const char* base_name(SheetKind kind) {
    switch (kind) {
        case SheetKind::chart: return "Chart";
        case SheetKind::macro: return "Macro";
        case SheetKind::module: return "Module";
        default: return "Sheet";
    }
}

bool name_taken(const Workbook& book, const std::string& name, const Sheet* except) {
    for (const auto& sheet : book.sheets())
        if (sheet.get() != except && same_text_nocase(sheet->name(), name)) return true;
    return false;
}

std::string next_sheet_name(const Workbook& book, SheetKind kind) {
    for (int n = 1;; ++n) {
        const std::string name = base_name(kind) + std::to_string(n);
        if (!name_taken(book, name, nullptr)) return name;
    }
}

// Sheet names: 1 to 31 characters, none of : \ / ? * [ ], not starting or ending with a quote.
std::string sheet_name_problem(const std::string& name) {
    if (name.empty()) return "the new name is empty";
    if (name.size() > 31) return "the new name is longer than 31 characters";
    if (name.find_first_of(":\\/?*[]") != std::string::npos) return "the new name holds one of : \\ / ? * [ ]";
    if (name.front() == '\'' || name.back() == '\'') return "the new name starts or ends with a quote";
    return "";
}

SheetKind kind_of_type(int type) {
    if (type == 2) return SheetKind::chart;
    if (type == 3 || type == 4) return SheetKind::macro;
    if (type == 6) return SheetKind::module;
    return SheetKind::worksheet;
}

// A new sheet of `kind` in `book` before sheet `index`; a chart is drawn from the data that was
// selected on `source` (the sheet active before), as Excel charts the selection.
Sheet& make_sheet(Session& session, Workbook& book, size_t index, SheetKind kind, Sheet* source) {
    Sheet& sheet = session.model.insert_sheet(book, index, next_sheet_name(book, kind));
    sheet.objects().kind = kind;
    if (kind == SheetKind::chart) {
        sheet.objects().chart = std::make_unique<Chart>();
        if (source != nullptr) chart_from_selection(session, *source, *sheet.objects().chart);
    }
    return sheet;
}

size_t index_in(const Workbook& book, const Sheet& sheet) {
    for (size_t i = 0; i < book.sheets().size(); ++i)
        if (book.sheets()[i].get() == &sheet) return i;
    return book.sheets().size();
}

// The sheet a sheet text names in the active workbook ("Auxiliar" or "[Book2]Auxiliar").
Sheet* named_sheet(Session& session, const std::string& text) { return session.model.find_sheet(text); }

std::string shown_text(const Value& value, const std::string& number_format) {
    switch (value.kind) {
        case Value::Kind::number:
        case Value::Kind::integer: return xlhost::format_number(value.number, number_format);
        case Value::Kind::text: return value.text;
        case Value::Kind::boolean: return value.boolean ? "TRUE" : "FALSE";
        case Value::Kind::error: return error_text(value.error);
        default: return "";
    }
}

}  // namespace

// NEW(type_num, xy_series, add_logical): a new workbook holding one new sheet of the type
// (1 worksheet, 2 chart, 3 and 4 macro sheets, 6 a Visual Basic module; 5 a workbook of three
// worksheets), or with
// add_logical TRUE the new sheet added to the active workbook.
int new_document(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "NEW");
    std::optional<int> type, xy;
    std::optional<bool> add;
    if (args.value(1).kind == Value::Kind::text) return args.fail("there is no template \"" + args.value(1).text + "\"");
    if (!args.integer(1, 1, 6, &type, "type_num") || !args.integer(2, 0, 3, &xy, "xy_series") ||
        !args.logical(3, &add, "add_logical"))
        return xlretFailed;
    const int kind_number = type.value_or(5);
    Sheet& before = active_sheet(session);
    const SheetKind kind = kind_of_type(kind_number);
    if (add.value_or(false) && kind_number != 5) {
        Workbook& book = session.model.active_workbook();
        Sheet& sheet = make_sheet(session, book, index_in(book, before), kind, &before);
        session.model.activate(book, sheet);
        return args.done(result);
    }
    Workspace& workspace = session.model.workspace;
    Workbook& book = session.model.add_workbook("Book" + std::to_string(++workspace.books_made));
    Sheet* first = &make_sheet(session, book, 0, kind, &before);
    if (kind_number == 5)
        for (int i = 0; i < 2; ++i) make_sheet(session, book, book.sheets().size(), kind, nullptr);
    session.model.activate(book, *first);
    return args.done(result);
}

// ECHO(logical): screen updating on or off; omitted, it switches.
int echo(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "ECHO");
    std::optional<bool> on;
    if (!args.logical(1, &on, "logical")) return xlretFailed;
    Workspace& workspace = session.model.workspace;
    workspace.screen_updating = on.value_or(!workspace.screen_updating);
    return args.done(result);
}

// WORKBOOK.NAME(oldname_text, newname_text): renames a sheet of the active workbook (the
// active sheet when the old name is omitted).
int workbook_name(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "WORKBOOK.NAME");
    std::optional<std::string> old_name, new_name;
    if (!args.text(1, &old_name, "oldname_text") || !args.text(2, &new_name, "newname_text")) return xlretFailed;
    if (!new_name) return args.fail("no new name");
    Workbook& book = session.model.active_workbook();
    Sheet* sheet = &active_sheet(session);
    if (old_name) {
        sheet = nullptr;
        for (const auto& s : book.sheets())
            if (same_text_nocase(s->name(), *old_name)) sheet = s.get();
        if (sheet == nullptr) return args.fail("the active workbook has no sheet \"" + *old_name + "\"");
    }
    const std::string problem = sheet_name_problem(*new_name);
    if (!problem.empty()) return args.fail(problem);
    if (name_taken(book, *new_name, sheet)) return args.fail("another sheet is named \"" + *new_name + "\"");
    sheet->rename(*new_name);
    return args.done(result);
}

// WORKBOOK.INSERT(type_num): a new sheet (1 worksheet, 2 chart, 3 and 4 macro sheets) before
// the active sheet; it becomes the active sheet.
int workbook_insert(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "WORKBOOK.INSERT");
    std::optional<int> type;
    if (!args.integer(1, 1, 4, &type, "type_num")) return xlretFailed;
    if (!type) return args.fail("no type of sheet");
    Workbook& book = session.model.active_workbook();
    Sheet& before = active_sheet(session);
    Sheet& sheet = make_sheet(session, book, index_in(book, before), kind_of_type(*type), &before);
    session.model.activate(book, sheet);
    return args.done(result);
}

// WORKBOOK.ACTIVATE(sheet_text, new_window_logical): makes a visible sheet the active one.
int workbook_activate(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "WORKBOOK.ACTIVATE");
    std::optional<std::string> name;
    std::optional<bool> new_window;
    if (!args.text(1, &name, "sheet_text") || !args.logical(2, &new_window, "new_window_logical")) return xlretFailed;
    if (!name) return args.fail("no sheet named");
    Sheet* sheet = named_sheet(session, *name);
    if (sheet == nullptr) return args.fail("there is no sheet \"" + *name + "\"");
    if (sheet->objects().visibility != Visibility::visible) return args.fail("the sheet \"" + *name + "\" is hidden");
    session.model.activate(*session.model.book_of(*sheet), *sheet);
    return args.done(result);
}

// WORKBOOK.HIDE(sheet_text, very_hidden_logical): hides a sheet (the active one when omitted);
// a very hidden sheet cannot be shown again from the user interface. A workbook keeps at least
// one visible sheet; a hidden active sheet hands the activation to the next visible one.
int workbook_hide(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "WORKBOOK.HIDE");
    std::optional<std::string> name;
    std::optional<bool> very;
    if (!args.text(1, &name, "sheet_text") || !args.logical(2, &very, "very_hidden_logical")) return xlretFailed;
    Sheet* sheet = name ? named_sheet(session, *name) : &active_sheet(session);
    if (sheet == nullptr) return args.fail("there is no sheet \"" + *name + "\"");
    Workbook& book = *session.model.book_of(*sheet);
    std::vector<Sheet*> visible;
    for (const auto& s : book.sheets())
        if (s.get() != sheet && s->objects().visibility == Visibility::visible) visible.push_back(s.get());
    if (visible.empty()) return args.fail("a workbook must keep at least one visible sheet");
    sheet->objects().visibility = very.value_or(false) ? Visibility::very_hidden : Visibility::hidden;
    if (&active_sheet(session) == sheet) {
        const size_t at = index_in(book, *sheet);
        Sheet* next = nullptr;
        for (size_t i = at + 1; i < book.sheets().size() && next == nullptr; ++i)
            if (book.sheets()[i]->objects().visibility == Visibility::visible) next = book.sheets()[i].get();
        session.model.activate(book, next != nullptr ? *next : *visible.back());
    }
    return args.done(result);
}

// OPTIONS.VIEW(formula, status_bar, notes_indicator, show_info, object_num, page_breaks,
// formulas, gridlines, color_num, headers, outline, zero_values, hor_scroll, vert_scroll,
// sheet_tabs): the workspace's bars and the active worksheet's view.
int options_view(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "OPTIONS.VIEW");
    std::optional<bool> formula_bar, status_bar, notes, info, breaks, formulas, gridlines, headers, outline, zeros, hor,
        vert, tabs;
    std::optional<int> objects, colour;
    if (!args.logical(1, &formula_bar, "formula") || !args.logical(2, &status_bar, "status_bar") ||
        !args.logical(3, &notes, "notes_indicator") || !args.logical(4, &info, "show_info") ||
        !args.integer(5, 1, 3, &objects, "object_num") || !args.logical(6, &breaks, "page_breaks") ||
        !args.logical(7, &formulas, "formulas") || !args.logical(8, &gridlines, "gridlines") ||
        !args.colour(9, &colour, "color_num") || !args.logical(10, &headers, "headers") ||
        !args.logical(11, &outline, "outline") || !args.logical(12, &zeros, "zero_values") ||
        !args.logical(13, &hor, "hor_scroll") || !args.logical(14, &vert, "vert_scroll") ||
        !args.logical(15, &tabs, "sheet_tabs"))
        return xlretFailed;
    SheetObjects& sheet = active_sheet(session).objects();
    const bool sheet_options = breaks || formulas || gridlines || colour || headers || outline || zeros;
    if (sheet_options && sheet.kind == SheetKind::chart)
        return args.fail("the window options of a worksheet need a worksheet active, not a chart");
    Workspace& w = session.model.workspace;
    if (formula_bar) w.formula_bar = *formula_bar;
    if (status_bar) w.status_bar = *status_bar;
    if (notes) w.notes_indicator = *notes ? 1 : 0;
    if (info) w.show_info = *info;
    if (objects) w.objects = *objects;
    if (hor) w.scroll_horizontal = *hor;
    if (vert) w.scroll_vertical = *vert;
    if (tabs) w.sheet_tabs = *tabs;
    if (breaks) sheet.page_breaks = *breaks;
    if (formulas) sheet.formulas = *formulas;
    if (gridlines) sheet.gridlines = *gridlines;
    if (colour) sheet.gridline_colour = *colour;
    if (headers) sheet.headers = *headers;
    if (outline) sheet.outline = *outline;
    if (zeros) sheet.zero_values = *zeros;
    return args.done(result);
}

// xlSet(reference, value): constant values into the cells of one area, from a command only. A
// scalar fills every cell; an array fills the area from its top left corner and the cells it
// does not reach get #N/A; an omitted value empties the cells.
int set_cells(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "xlSet");
    if (session.context != Context::entry) return args.fail("only a command can set cells");
    Target target;
    if (!args.reference(1, &target, "the reference")) return xlretFailed;
    if (target.areas.size() != 1) return args.fail("the reference has several areas");
    if (target.sheet->objects().kind == SheetKind::chart) return args.fail("the reference is on a chart sheet");
    const Range& area = target.areas[0];
    const Value value = count >= 2 ? args.value(2) : Value::missing_value();
    if (value.kind == Value::Kind::reference) return args.fail("the value is a reference, not a constant");
    for (int r = area.first_row; r <= area.last_row; ++r)
        for (int c = area.first_column; c <= area.last_column; ++c) {
            Value cell = value;
            if (value.kind == Value::Kind::array) {
                const int i = r - area.first_row, j = c - area.first_column;
                cell = i < value.rows && j < value.columns ? value.items[static_cast<size_t>(i * value.columns + j)]
                                                           : Value::err(xlerrNA);
            }
            if (cell.kind == Value::Kind::integer) cell = Value::num(cell.number);  // cells hold numbers
            if (cell.kind == Value::Kind::missing) cell = Value::nil();
            target.sheet->set_value(r, c, cell);
        }
    if (result != nullptr) write_value(Value::boolean_value(true), result, session.memory, Owner::addin);
    return xlretSuccess;
}

// COLUMN.WIDTH(width_num, reference, standard, type_num, standard_num): widths in characters
// (0 to 255) of the columns of the reference (the selection when omitted); type 1 hides, 2
// shows, 3 fits each column to the widest value shown in the rows of the reference.
int column_width(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "COLUMN.WIDTH");
    std::optional<double> width, standard_width;
    std::optional<bool> standard;
    std::optional<int> type;
    if (!args.number(1, 0, 255, &width, "width_num") || !args.logical(3, &standard, "standard") ||
        !args.integer(4, 1, 3, &type, "type_num") || !args.number(5, 0, 255, &standard_width, "standard_num"))
        return xlretFailed;
    Sheet& sheet = active_sheet(session);
    SheetObjects& objects = sheet.objects();
    if (objects.kind == SheetKind::chart) return args.fail("a chart sheet has no columns");
    std::vector<Range> areas = objects.selection.areas;
    if (args.given(2)) {
        Target target;
        if (!args.reference(2, &target, "the reference")) return xlretFailed;
        if (target.sheet != &sheet) return args.fail("the reference is not on the active sheet");
        areas = target.areas;
    }
    if (!width && !standard && !type && !standard_width) return args.fail("nothing to set");
    for (const Range& area : areas)
        for (int c = area.first_column; c <= area.last_column; ++c) {
            if (standard.value_or(false)) objects.column_widths.erase(c);
            if (width) objects.column_widths[c] = *width;
            if (type == 1) objects.column_widths[c] = 0;
            if (type == 2 && objects.column_width(c) == 0) objects.column_widths.erase(c);
            if (type == 3) {
                double widest = -1;
                for (const auto& [at, cell] : sheet.cells()) {
                    if (at.second != c || at.first < area.first_row || at.first > area.last_row) continue;
                    const ResolvedLook look = resolve(objects.formats.look_at(at.first, at.second));
                    const double scale = look.font_size / 10.0 * (look.bold ? 1.1 : 1.0);
                    const double shown = static_cast<double>(shown_text(cell.value, look.number_format).size());
                    widest = std::max(widest, std::min(255.0, std::round((shown * scale + 0.71) * 100) / 100));
                }
                if (widest >= 0) objects.column_widths[c] = widest;
            }
        }
    return args.done(result);
}

// CLEAR(type_num). On a worksheet, of the selected cells: 1 everything, 2 formats, 3 contents
// (the default), 4 notes. On a chart: 1 everything, 2 formats, 3 the series; of the selected
// series, or of the whole chart when the chart area is selected.
int clear(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "CLEAR");
    std::optional<int> type;
    if (!args.integer(1, 1, 4, &type, "type_num")) return xlretFailed;
    const int what = type.value_or(3);
    Sheet& sheet = active_sheet(session);
    if (Chart* chart = active_chart(session)) {
        if (what == 4) return args.fail("a chart has no notes to clear");
        if (!clear_chart(*chart, what)) return args.fail("\"" + chart->selected + "\" cannot be cleared that way");
        return args.done(result);
    }
    SheetObjects& objects = sheet.objects();
    if (!objects.selection.object.empty()) return args.fail("a drawing object is selected, not cells");
    for (const Range& area : objects.selection.areas) {
        if (what == 1 || what == 2) objects.formats.clear(area);
        if (what == 1 || what == 3) {
            std::vector<std::pair<int, int>> filled;  // only the cells that hold something
            for (const auto& entry : sheet.cells()) {
                const auto [r, c] = entry.first;
                if (r >= area.first_row && r <= area.last_row && c >= area.first_column && c <= area.last_column)
                    filled.push_back(entry.first);
            }
            for (const auto& [r, c] : filled) sheet.set_value(r, c, Value::nil());
        }
    }
    return args.done(result);
}

}  // namespace xlhost::capi
