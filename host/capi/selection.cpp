// SELECTION, GET.CELL and SELECT: what is selected on the active sheet (cells, a drawing
// object, a chart item), the contents and formats of a cell, and changing the selection.
#include <cmath>
#include <cstring>

#include "capi/command_arguments.h"
#include "capi/conversion.h"
#include "capi/workbook_handlers.h"
#include "model/external_reference.h"

namespace xlhost::capi {

namespace {

bool inside(const std::vector<Range>& areas, int row, int column) {
    for (const auto& r : areas)
        if (row >= r.first_row && row <= r.last_row && column >= r.first_column && column <= r.last_column)
            return true;
    return false;
}

int value_type_number(const Value& v) {
    switch (v.kind) {
        case Value::Kind::text: return 2;
        case Value::Kind::boolean: return 4;
        case Value::Kind::error: return 16;
        case Value::Kind::array: return 64;
        default: return 1;
    }
}

}  // namespace

// SELECTION(): one area as xltypeSRef, several as xltypeRef (external, with the sheet's id), a
// drawing object or a chart item by its name.
int selection(Session& session, XLOPER* result, int, XLOPER**) {
    Sheet& sheet = active_sheet(session);
    const SheetObjects& objects = sheet.objects();
    if (result == nullptr) return xlretSuccess;
    if (objects.kind == SheetKind::chart) {
        const std::string& item = objects.chart->selected;
        write_value(item.empty() ? Value::err(xlerrNA) : Value::str(item), result, session.memory, Owner::addin);
        return xlretSuccess;
    }
    if (!objects.selection.object.empty()) {
        write_value(Value::str(objects.selection.object), result, session.memory, Owner::addin);
        return xlretSuccess;
    }
    const auto& areas = objects.selection.areas;
    if (areas.size() == 1) {
        write_sref(areas[0], result);
        return xlretSuccess;
    }
    write_reference(sheet.id(), areas, result, session.memory, Owner::addin);
    return xlretSuccess;
}

// GET.CELL(type_num, reference): information about the top left cell of the reference (the
// active cell when it is omitted). A type out of 1 to 66 answers #VALUE!, as Excel does.
int get_cell(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "GET.CELL");
    auto answer = [&](const Value& v) {
        if (result != nullptr) write_value(v, result, session.memory, Owner::addin);
        return xlretSuccess;
    };
    std::optional<int> type;
    const Value given_type = args.value(1);
    if (given_type.kind == Value::Kind::number || given_type.kind == Value::Kind::integer)
        if (auto whole = to_integer(given_type.number, 1, 66)) type = static_cast<int>(*whole);
    if (!type) {
        session.calls_note = "GET.CELL: the type is not a number from 1 to 66";
        return answer(Value::err(xlerrValue));
    }
    Sheet* sheet = &active_sheet(session);
    int row = sheet->objects().selection.active_row, column = sheet->objects().selection.active_column;
    if (args.given(2)) {
        Target target;
        if (!args.reference(2, &target, "the reference")) return answer(Value::err(xlerrValue));
        sheet = target.sheet;
        row = target.areas[0].first_row;
        column = target.areas[0].first_column;
    } else if (sheet->objects().kind == SheetKind::chart) {
        session.calls_note = "GET.CELL: no reference and the active sheet is a chart";
        return answer(Value::err(xlerrValue));
    }
    const SheetObjects& objects = sheet->objects();
    const Cell* cell = sheet->cell(row, column);
    const Value value = sheet->value(row, column);
    const ResolvedLook look = resolve(objects.formats.look_at(row, column));
    switch (*type) {
        case 1: return answer(Value::str(absolute_text(Range{row, column, row, column})));
        case 2: return answer(Value::num(row + 1));
        case 3: return answer(Value::num(column + 1));
        case 4: return answer(Value::num(value_type_number(value)));
        case 5: return answer(value);
        case 6:
            if (cell != nullptr && !cell->formula.empty()) return answer(Value::str(cell->formula));
            return answer(Value::str(to_text(value).value_or(display(value))));
        case 7: return answer(Value::str(look.number_format));
        case 8: return answer(Value::num(look.horizontal));
        case 9: return answer(Value::num(look.left.style));
        case 10: return answer(Value::num(look.right.style));
        case 11: return answer(Value::num(look.top.style));
        case 12: return answer(Value::num(look.bottom.style));
        case 13: return answer(Value::num(look.pattern));
        case 16: return answer(Value::num(objects.column_width(column)));
        case 18: return answer(Value::str(look.font_name));
        case 19: return answer(Value::num(look.font_size));
        case 20: return answer(Value::boolean_value(look.bold));
        case 21: return answer(Value::boolean_value(look.italic));
        case 22: return answer(Value::boolean_value(look.underline != 1));
        case 23: return answer(Value::boolean_value(look.strikethrough));
        case 24: return answer(Value::num(look.font_colour));
        case 38: return answer(Value::num(look.pattern_fore));
        case 39: return answer(Value::num(look.pattern_back));
        case 48: return answer(Value::boolean_value(cell != nullptr && !cell->formula.empty()));
        case 62: return answer(Value::str(session.model.full_name(*sheet)));
        case 66: {
            const Workbook* book = session.model.book_of(*sheet);
            return answer(Value::str(book ? book->name() : ""));
        }
        default:
            session.calls_note = "GET.CELL: type " + std::to_string(*type) + " is not one the host keeps";
            return xlretFailed;
    }
}

// SELECT(selection, active_cell) on a worksheet: cells of the active sheet (a reference, or a
// text in R1C1 form) or a drawing object by name. SELECT(item_text, single_point) on a chart:
// an item the chart has.
int select(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "SELECT");
    Sheet& sheet = active_sheet(session);
    SheetObjects& objects = sheet.objects();
    const Value what = args.value(1);
    if (objects.kind == SheetKind::chart) {
        if (what.kind != Value::Kind::text) return args.fail("on a chart the selection is an item's name");
        std::optional<bool> single;
        if (!args.logical(2, &single, "single_point")) return xlretFailed;
        if (!objects.chart->has_item(what.text)) return args.fail("the chart has no item \"" + what.text + "\"");
        objects.chart->selected = Chart::canonical_item(what.text);
        return args.done(result);
    }
    Selection chosen;
    if (what.kind == Value::Kind::text) {
        for (const auto& name : objects.drawing_objects)
            if (same_text_nocase(name, what.text)) {
                objects.selection.object = name;
                return args.done(result);
            }
        const auto range = parse_r1c1(what.text);
        if (!range) return args.fail("\"" + what.text + "\" is neither a drawing object nor an R1C1 reference");
        chosen.areas = {*range};
    } else if (what.kind == Value::Kind::reference) {
        Target target;
        if (!args.reference(1, &target, "the selection")) return xlretFailed;
        if (target.sheet != &sheet) return args.fail("the selection is not on the active sheet");
        chosen.areas = target.areas;
    } else {
        return args.fail("the selection is not a reference");
    }
    chosen.active_row = chosen.areas[0].first_row;
    chosen.active_column = chosen.areas[0].first_column;
    if (args.given(2)) {
        Target cell;
        if (!args.reference(2, &cell, "the active cell")) return xlretFailed;
        const Range& at = cell.areas[0];
        if (cell.sheet != &sheet || !at.single() || !inside(chosen.areas, at.first_row, at.first_column))
            return args.fail("the active cell is not one cell inside the selection");
        chosen.active_row = at.first_row;
        chosen.active_column = at.first_column;
    }
    objects.selection = chosen;
    return args.done(result);
}

}  // namespace xlhost::capi
