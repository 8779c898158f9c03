// The host at work: calling the add-in's exports and registered procedures with Excel's
// argument conversions, taking back their results, and evaluating formulas.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "capi/session.h"
#include "engine/operand.h"
#include "formula/formula.h"
#include "os/os.h"

namespace xlhost::engine {

class Engine {
public:
    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    capi::Session session;

    // Makes this engine one that Excel4/Excel4v reach: the one, or with `beside_others` one of
    // several Excel instances in the process (a call reaches the engine whose add-in code runs).
    // False when another engine is attached and either of them does not share.
    bool attach(bool beside_others = false);
    void detach();

    // Calls an export of the add-in by name with C arguments, in the given context.
    // False (and a fault) when the export is missing or the call escaped with an exception.
    bool call_export(const std::string& name, os::Slot result_slot, const std::vector<os::SlotValue>& arguments,
                     os::SlotValue* result, capi::Context context, bool required = true);
    // Calls an export that takes one XLOPER and answers an XLOPER (xlAutoRegister,
    // xlAddInManagerInfo), as Excel does.
    Value call_with_value(const std::string& name, const Value& argument);
    // The same with a one-area reference to a range of a sheet (an argument of type R).
    Value call_with_reference(const std::string& name, const Sheet& sheet, const Range& range);
    // Calls a registered procedure with formula operands converted by its type text.
    Value call_registered(size_t index, const std::vector<Operand>& operands, const CallSite& site);
    // Calls a registered procedure with arguments already in the C form of its type text, as
    // Excel does once its conversions are done; the value is the procedure's own result,
    // before a cell's conversions.
    Value call_converted(size_t index, const std::vector<os::SlotValue>& slots, Sheet* sheet);
    // Evaluates a parsed formula.
    Value evaluate(const Expr& formula, const CallSite& site);
    // Evaluates a macro formula (with or without its '='), as Application.ExecuteExcel4Macro
    // does; CALL of the add-in's file runs one of its procedures.
    Value execute_macro(const std::string& formula);

private:
    Value call_with_record(const std::string& name, XLOPER* record, unsigned long long mark);
    Value call_by_module(const Expr& call, const CallSite& site);
    Operand operand_of(const Expr& expression, const CallSite& site);
    Value value_of_result(char letter, const os::SlotValue& result, const std::string& who);
    // Copies an XLOPER result and gives its memory back (xlAutoFree, or Excel's own xlFree).
    Value take_record(XLOPER* record, const std::string& who);
};

}  // namespace xlhost::engine
