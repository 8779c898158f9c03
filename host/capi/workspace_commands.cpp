// GET.WORKSPACE, CALCULATE.NOW, CLOSE, ISTEXT and OR: what the add-in's automation bridge and
// its reference-coercion probe ask of Excel.
#include "capi/command_arguments.h"
#include "capi/workbook_handlers.h"
#include "capi/xloper_values.h"

namespace xlhost::capi {

namespace {

void answer(XLOPER* result, const Value& value, Session& session) {
    if (result != nullptr) write_value(value, result, session.memory, Owner::addin);
}

// The value an argument stands for: a reference reads its cells.
Value argument_value(Session& session, XLOPER* argument, bool* was_reference) {
    Value value;
    read_xloper(argument, session, &value, nullptr);
    *was_reference = value.kind == Value::Kind::reference;
    if (*was_reference) {
        Target target;
        reference_target(*argument, session, &target, nullptr);
        value = target_value(target);
    }
    return value;
}

}  // namespace

// GET.WORKSPACE(2): the version text of the running Excel.
int get_workspace(Session& session, XLOPER* result, int, XLOPER** arguments) {
    Value which;
    read_xloper(arguments[0], session, &which, nullptr);
    if ((which.kind != Value::Kind::number && which.kind != Value::Kind::integer) || which.number != 2) {
        session.calls_note = "the host answers GET.WORKSPACE only for type 2 (the version)";
        return xlretFailed;
    }
    answer(result, Value::str(session.excel_version), session);
    return xlretSuccess;
}

// CALCULATE.NOW: recalculates and answers TRUE. An Excel 97 that shares the machine with other
// instances answers FALSE here while it cannot read references for the add-in (or refuses).
int calculate_now(Session& session, XLOPER* result, int, XLOPER**) {
    switch (session.coercion_probes.calculation) {
        case CoercionProbes::Calculation::answers_false:
            answer(result, Value::boolean_value(false), session);
            return xlretSuccess;
        case CoercionProbes::Calculation::refuses:
            session.calls_note = "refused, as a disturbed Excel 97 may";
            return xlretFailed;
        case CoercionProbes::Calculation::recalculates: break;
    }
    if (session.calculate_hook) session.calculate_hook();
    answer(result, Value::boolean_value(true), session);
    return xlretSuccess;
}

// CLOSE(save_logical): closes the active workbook without saving (the host saves nothing).
// A workbook NEW made last that closes untouched gives its number back, so that the next NEW
// is named as it would have been without it.
int close_document(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    CommandArguments args(session, count, arguments, "CLOSE");
    std::optional<bool> save;
    if (!args.logical(1, &save, "save_logical")) return xlretFailed;
    if (save.value_or(false)) return args.fail("the host cannot save a workbook");
    Workbook& book = session.model.active_workbook();
    const std::string name = book.name();
    if (!session.model.close_workbook(book)) return args.fail("the host keeps its last workbook open");
    Workspace& workspace = session.model.workspace;
    if (name == "Book" + std::to_string(workspace.books_made)) --workspace.books_made;
    return args.done(result);
}

// ISTEXT(value): TRUE for a text; a reference is judged by its first cell. An Excel 97 that
// cannot read references for the add-in answers #REF! for one (or refuses).
int is_text(Session& session, XLOPER* result, int, XLOPER** arguments) {
    Value value;
    read_xloper(arguments[0], session, &value, nullptr);
    const bool reference = value.kind == Value::Kind::reference;
    if (reference && session.coercion_probes.text_test == CoercionProbes::TextTest::answers_ref) {
        answer(result, Value::err(xlerrRef), session);
        return xlretSuccess;
    }
    if (reference && session.coercion_probes.text_test == CoercionProbes::TextTest::refuses) {
        session.calls_note = "refused, as a disturbed Excel 97 may";
        return xlretFailed;
    }
    // Only the first cell counts: a whole sheet is not read for it.
    if (reference) {
        Target target;
        reference_target(*arguments[0], session, &target, nullptr);
        value = target.sheet->value(target.areas[0].first_row, target.areas[0].first_column);
    }
    if (value.kind == Value::Kind::array) value = value.items.empty() ? Value::nil() : value.items.front();
    answer(result, Value::boolean_value(value.kind == Value::Kind::text), session);
    return xlretSuccess;
}

// OR(logical1, ...): TRUE when any logical is true; an error among them is the answer;
// texts and empty cells of references and arrays are skipped; nothing logical is #VALUE!.
int or_of(Session& session, XLOPER* result, int count, XLOPER** arguments) {
    bool any = false, seen = false;
    for (int i = 0; i < count; ++i) {
        bool reference = false;
        const Value value = argument_value(session, arguments[i], &reference);
        const std::vector<Value> items = value.kind == Value::Kind::array ? value.items : std::vector<Value>{value};
        for (const Value& item : items) {
            switch (item.kind) {
                case Value::Kind::error: answer(result, item, session); return xlretSuccess;
                case Value::Kind::boolean: seen = true; any = any || item.boolean; break;
                case Value::Kind::number:
                case Value::Kind::integer: seen = true; any = any || item.number != 0; break;
                case Value::Kind::text:
                    if (!reference && value.kind != Value::Kind::array) {
                        answer(result, Value::err(xlerrValue), session);
                        return xlretSuccess;
                    }
                    break;
                default: break;
            }
        }
    }
    answer(result, seen ? Value::boolean_value(any) : Value::err(xlerrValue), session);
    return xlretSuccess;
}

}  // namespace xlhost::capi
