#include "engine/engine.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <optional>

#include "capi/dispatch.h"
#include "capi/type_text.h"
#include "capi/xloper_values.h"
#include "engine/arguments.h"
#include "engine/builtins.h"
#include "xlcall32/xlcall32.h"

namespace xlhost::engine {

namespace {

// The engines with an add-in loaded: one, or several Excel instances sharing the process, each
// with its own copy of the add-in.
struct Attached {
    Engine* engine;
    bool beside_others;
};
std::vector<Attached> attached;
// The engines whose add-in's code runs now, the innermost last: a call into Excel comes from
// the add-in copy that runs, so it reaches that copy's Excel.
std::vector<Engine*> running;

Engine* current_engine() {
    if (!running.empty()) return running.back();
    return attached.empty() ? nullptr : attached.back().engine;
}

class RunningScope {
public:
    explicit RunningScope(Engine* engine) { running.push_back(engine); }
    ~RunningScope() { running.pop_back(); }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;
};

// The handler behind Excel4/Excel4v. Nothing may leave it: it returns into the add-in's C frames.
int excel_entry(int number, LPXLOPER result, int count, LPXLOPER* arguments) {
    Engine* engine = current_engine();
    if (engine == nullptr) return xlretFailed;
    try {
        return capi::serve(engine->session, number, result, count, arguments);
    } catch (const std::exception& error) {
        engine->session.fault(std::string("the host failed inside a call: ") + error.what());
    } catch (...) {
        engine->session.fault("the host failed inside a call");
    }
    return xlretFailed;
}

class ContextScope {
public:
    ContextScope(capi::Session& session, capi::Context context, Sheet* sheet)
        : session_(session), context_(session.context), sheet_(session.current_sheet) {
        session.context = context;
        if (sheet != nullptr) session.current_sheet = sheet;
    }
    ~ContextScope() {
        session_.context = context_;
        session_.current_sheet = sheet_;
    }

private:
    capi::Session& session_;
    capi::Context context_;
    Sheet* sheet_;
};

// What a cell shows of a result: numbers for integers and empty results, #NUM! for numbers
// that are not finite.
Value cell_value(Value value) {
    switch (value.kind) {
        case Value::Kind::integer:
        case Value::Kind::nil:
        case Value::Kind::missing: return Value::num(value.number);
        case Value::Kind::number: return std::isfinite(value.number) ? value : Value::err(xlerrNum);
        case Value::Kind::array:
            for (auto& item : value.items) item = cell_value(item);
            return value;
        default: return value;
    }
}

}  // namespace

Engine::Engine() {
    session.auto_register_hook = [this](const std::string& procedure) {
        call_with_value("xlAutoRegister", Value::str(procedure));
    };
}

Engine::~Engine() { detach(); }

bool Engine::attach(bool beside_others) {
    for (const auto& entry : attached)
        if (entry.engine == this) return true;
    for (const auto& entry : attached)
        if (!entry.beside_others || !beside_others) return false;
    attached.push_back({this, beside_others});
    xlcall32_set_handler(excel_entry);
    return true;
}

void Engine::detach() {
    attached.erase(std::remove_if(attached.begin(), attached.end(), [this](const Attached& entry) { return entry.engine == this; }),
                   attached.end());
    if (attached.empty()) xlcall32_set_handler(nullptr);
}

bool Engine::call_export(const std::string& name, os::Slot result_slot, const std::vector<os::SlotValue>& arguments,
                         os::SlotValue* result, capi::Context context, bool required) {
    void* address = session.module ? session.module->symbol(name) : nullptr;
    if (address == nullptr) {
        if (required) session.fault("the add-in does not export " + name);
        return false;
    }
    ContextScope scope(session, context, nullptr);
    RunningScope runs(this);
    std::string error;
    try {
        if (!os::call_procedure(address, result_slot, arguments, result, &error)) {
            session.fault("cannot call " + name + ": " + error);
            return false;
        }
    } catch (...) {
        session.fault("an exception left " + name + "; Excel's process would end here");
        return false;
    }
    return true;
}

Value Engine::call_with_value(const std::string& name, const Value& argument) {
    const auto mark = session.memory.mark();
    auto* record = static_cast<XLOPER*>(session.memory.new_block(sizeof(XLOPER), capi::Owner::call));
    capi::write_value(argument, record, session.memory, capi::Owner::call);
    return call_with_record(name, record, mark);
}

Value Engine::call_with_reference(const std::string& name, const Sheet& sheet, const Range& range) {
    const auto mark = session.memory.mark();
    auto* record = static_cast<XLOPER*>(session.memory.new_block(sizeof(XLOPER), capi::Owner::call));
    capi::write_reference(sheet.id(), {range}, record, session.memory, capi::Owner::call);
    return call_with_record(name, record, mark);
}

Value Engine::call_with_record(const std::string& name, XLOPER* record, unsigned long long mark) {
    os::SlotValue slot;
    slot.slot = os::Slot::pointer;
    slot.ptr = record;
    os::SlotValue answer;
    Value value = Value::err(xlerrValue);
    if (call_export(name, os::Slot::pointer, {slot}, &answer, capi::Context::entry, false)) {
        value = answer.ptr == nullptr ? Value::err(xlerrNum) : take_record(static_cast<XLOPER*>(answer.ptr), name);
    }
    session.memory.release_call_storage(mark);
    return value;
}

Value Engine::take_record(XLOPER* record, const std::string& who) {
    const uint16_t bits = record->xltype & (xlbitDLLFree | xlbitXLFree);
    if (bits == (xlbitDLLFree | xlbitXLFree)) {
        session.fault(who + " returned a value marked both xlbitDLLFree and xlbitXLFree");
        return Value::err(xlerrValue);
    }
    Value value;
    std::string problem;
    if (!capi::read_xloper(record, session, &value, &problem)) {
        session.fault(who + " returned " + problem);
        value = Value::err(xlerrValue);
    } else if (value.kind == Value::Kind::reference) {
        capi::Target target;
        capi::reference_target(*record, session, &target, nullptr);
        value = capi::target_value(target);
    }
    if (value.kind == Value::Kind::error && error_text(value.error).empty()) {
        session.fault(who + " returned the error code " + std::to_string(value.error) + ", which Excel does not have");
        value = Value::err(xlerrValue);
    }
    if (bits == xlbitDLLFree) {
        // Excel hands back its own copy of the record: the add-in may rely on what the record
        // points to, never on the record itself.
        XLOPER copy = *record;
        os::SlotValue slot;
        slot.slot = os::Slot::pointer;
        slot.ptr = &copy;
        if (session.module == nullptr || session.module->symbol("xlAutoFree") == nullptr)
            session.fault(who + " returned a value with xlbitDLLFree, but the add-in exports no xlAutoFree");
        else
            call_export("xlAutoFree", os::Slot::none, {slot}, nullptr, capi::Context::auto_free);
    } else if (bits == xlbitXLFree) {
        const auto outcome = session.memory.release(record);
        if (outcome != capi::FreeOutcome::released && outcome != capi::FreeOutcome::nothing_to_free)
            session.fault(who + " returned a value with xlbitXLFree whose memory Excel did not hand out");
    }
    return value;
}

Value Engine::value_of_result(char letter, const os::SlotValue& result, const std::string& who) {
    switch (letter) {
        case 'A': return Value::boolean_value(result.i16 != 0);
        case 'B': return Value::num(result.f64);
        case 'H': return Value::num(result.u16);
        case 'I': return Value::num(result.i16);
        case 'J': return Value::num(result.i32);
        case 'C': {
            if (result.ptr == nullptr) return Value::err(xlerrNum);
            const char* text = static_cast<const char*>(result.ptr);
            return Value::str(std::string(text, strnlen(text, 255)));
        }
        case 'D':
            if (result.ptr == nullptr) return Value::err(xlerrNum);
            return Value::str(capi::counted_text(static_cast<const char*>(result.ptr)));
        case 'E':
            if (result.ptr == nullptr) return Value::err(xlerrNum);
            return Value::num(*static_cast<const double*>(result.ptr));
        case 'L':
        case 'M':
        case 'N': return read_back(letter, result, session);
        case 'K': {
            if (result.ptr == nullptr) return Value::err(xlerrNum);
            const auto* counts = static_cast<const uint16_t*>(result.ptr);
            if (counts[0] == 0 || counts[1] == 0) return Value::err(xlerrNum);
            struct Fp {
                uint16_t rows, columns;
                double array[1];
            };
            const auto* fp = static_cast<const Fp*>(result.ptr);
            std::vector<Value> items;
            for (size_t i = 0; i < static_cast<size_t>(fp->rows) * fp->columns; ++i) items.push_back(Value::num(fp->array[i]));
            return Value::array(fp->rows, fp->columns, std::move(items));
        }
        case 'P':
        case 'R':
            if (result.ptr == nullptr) return Value::err(xlerrNum);
            return take_record(static_cast<XLOPER*>(result.ptr), who);
        default: break;
    }
    session.fault(who + ": a result of type '" + letter + "'");
    return Value::err(xlerrValue);
}

Value Engine::call_registered(size_t index, const std::vector<Operand>& operands, const CallSite& site) {
    const Registration& entry = session.registrations.at(index);
    const capi::TypeText type = session.registrations.type(index);
    const std::string who = entry.procedure;
    if (operands.size() > type.arguments.size()) return Value::err(xlerrValue);
    const auto mark = session.memory.mark();
    std::vector<os::SlotValue> slots;
    std::optional<Value> refusal;
    for (size_t i = 0; i < type.arguments.size() && !refusal; ++i) {
        const char letter = type.arguments[i];
        if (letter == 'O') {
            session.fault(who + ": the host cannot pass an argument of type 'O' yet");
            refusal = Value::err(xlerrValue);
            break;
        }
        const Operand operand = i < operands.size() ? operands[i] : Operand{};
        Converted converted = convert_argument(letter, operand, site, session);
        if (converted.refusal) {
            if (!converted.why.empty())
                session.notes.push_back(entry.function_text + ": argument " + std::to_string(i + 1) + " has " +
                                        converted.why + ", so the cell answers " + display(*converted.refusal));
            refusal = converted.refusal;
        } else {
            slots.push_back(converted.slot);
        }
    }
    const Value answer = refusal ? *refusal : call_converted(index, slots, site.sheet);
    session.memory.release_call_storage(mark);
    return cell_value(answer);
}

Value Engine::call_converted(size_t index, const std::vector<os::SlotValue>& slots, Sheet* sheet) {
    const Registration& entry = session.registrations.at(index);
    const capi::TypeText type = session.registrations.type(index);
    const std::string who = entry.procedure;
    if (slots.size() != type.arguments.size()) {
        session.fault(who + " called with " + std::to_string(slots.size()) + " arguments; its type text has " +
                      std::to_string(type.arguments.size()));
        return Value::err(xlerrValue);
    }
    const bool in_place = type.in_place_argument > 0;
    const os::Slot result_slot = in_place ? os::Slot::none : slot_of(type.result);
    os::SlotValue result;
    // A command acts on whatever sheet is active at each of its calls; only a function has a
    // sheet of its own (the sheet of its cell).
    ContextScope scope(session, entry.macro_type == 2 ? capi::Context::entry : capi::Context::function,
                       entry.macro_type == 2 ? nullptr : sheet);
    RunningScope runs(this);
    std::string error;
    bool called = false;
    try {
        called = os::call_procedure(session.registrations.address(index), result_slot, slots, &result, &error);
        if (!called) session.fault("cannot call " + who + ": " + error);
    } catch (...) {
        session.fault("an exception left " + who + "; Excel's process would end here");
    }
    if (!called) return Value::err(xlerrValue);
    if (in_place) {
        const auto n = static_cast<size_t>(type.in_place_argument - 1);
        return read_back(type.arguments[n], slots[n], session);
    }
    return value_of_result(type.result, result, who);
}

Value Engine::execute_macro(const std::string& formula) {
    Expr parsed;
    if (!parse_formula(formula.rfind('=', 0) == 0 ? formula : "=" + formula, &parsed, nullptr))
        return Value::err(xlerrValue);
    CallSite site;
    site.sheet = &session.model.active_sheet();
    if (parsed.kind == Expr::Kind::call && same_text_nocase(parsed.text, "CALL")) return call_by_module(parsed, site);
    ContextScope scope(session, capi::Context::entry, nullptr);
    return evaluate(parsed, site);
}

// CALL(module_text, procedure, type_text): a process maps one copy of an add-in, so a CALL of
// the add-in's file runs the procedure in this instance's own copy. Type letters are read
// without case.
Value Engine::call_by_module(const Expr& call, const CallSite& site) {
    if (call.arguments.size() != 3) return Value::err(xlerrValue);
    std::string texts[3];
    for (size_t i = 0; i < 3; ++i) {
        const Value value = evaluate(call.arguments[i], site);
        if (value.kind != Value::Kind::text) return Value::err(xlerrValue);
        texts[i] = value.text;
    }
    ++session.probes;
    if (session.module == nullptr) return Value::err(xlerrValue);
    auto file_name = [](std::string path) {
        std::replace(path.begin(), path.end(), '\\', '/');
        return std::filesystem::path(path).filename().string();
    };
    if (!same_text_nocase(file_name(texts[0]), file_name(session.addin_path))) return Value::err(xlerrValue);
    void* address = session.module->symbol(texts[1]);
    std::string type_text = texts[2];
    for (char& letter : type_text) letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    capi::TypeText type;
    // The procedures CALL reaches here take no arguments.
    if (address == nullptr || !capi::parse_type_text(type_text, &type, nullptr) || !type.arguments.empty())
        return Value::err(xlerrValue);
    os::SlotValue result;
    std::string error;
    bool called = false;
    {
        ContextScope scope(session, capi::Context::entry, nullptr);
        RunningScope runs(this);
        try {
            called = os::call_procedure(address, slot_of(type.result), {}, &result, &error);
        } catch (...) {
            session.fault("an exception left " + texts[1] + "; Excel's process would end here");
        }
    }
    if (!called) return Value::err(xlerrValue);
    return value_of_result(type.result, result, texts[1]);
}

Operand Engine::operand_of(const Expr& expression, const CallSite& site) {
    switch (expression.kind) {
        case Expr::Kind::missing: return Operand{};
        case Expr::Kind::reference: return Operand::of_reference(site.sheet ? *site.sheet : session.model.active_sheet(), expression.range);
        default: return Operand::of_value(evaluate(expression, site));
    }
}

Value Engine::evaluate(const Expr& expression, const CallSite& site) {
    switch (expression.kind) {
        case Expr::Kind::number: return Value::num(expression.number);
        case Expr::Kind::text: return Value::str(expression.text);
        case Expr::Kind::boolean: return Value::boolean_value(expression.boolean);
        case Expr::Kind::error: return Value::err(expression.error);
        case Expr::Kind::missing: return Value::nil();
        case Expr::Kind::name: {
            auto found = session.names.find(expression.text);
            return found == session.names.end() ? Value::err(xlerrName) : found->second;
        }
        case Expr::Kind::reference: {
            capi::Target target;
            target.sheet = site.sheet ? site.sheet : &session.model.active_sheet();
            target.areas.push_back(expression.range);
            return capi::target_value(target);
        }
        case Expr::Kind::call: {
            const int found = session.registrations.find_name(expression.text);
            if (found < 0 && is_builtin(expression.text)) {
                std::vector<Value> values;
                for (const auto& argument : expression.arguments) values.push_back(evaluate(argument, site));
                return call_builtin(expression.text, values);
            }
            if (found < 0) return Value::err(xlerrName);
            const Registration& entry = session.registrations.at(static_cast<size_t>(found));
            // Commands run from menus, not from cells; a procedure whose use count went to zero is gone.
            if (entry.macro_type == 2 || entry.use_count <= 0) return Value::err(xlerrName);
            std::vector<Operand> operands;
            operands.reserve(expression.arguments.size());
            for (const auto& argument : expression.arguments) operands.push_back(operand_of(argument, site));
            return call_registered(static_cast<size_t>(found), operands, site);
        }
    }
    return Value::err(xlerrValue);
}

}  // namespace xlhost::engine
