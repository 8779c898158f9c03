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

    // Makes this engine the one Excel4/Excel4v reach (one at a time); false when another is.
    bool attach();
    void detach();

    // Calls an export of the add-in by name with C arguments, in the given context.
    // False (and a fault) when the export is missing or the call escaped with an exception.
    bool call_export(const std::string& name, os::Slot result_slot, const std::vector<os::SlotValue>& arguments,
                     os::SlotValue* result, capi::Context context, bool required = true);
    // Calls an export that takes one XLOPER and answers an XLOPER (xlAutoRegister,
    // xlAddInManagerInfo), as Excel does.
    Value call_with_value(const std::string& name, const Value& argument);
    // Calls a registered procedure with formula operands converted by its type text.
    Value call_registered(size_t index, const std::vector<Operand>& operands, const CallSite& site);
    // Calls a registered procedure with arguments already in the C form of its type text, as
    // Excel does once its conversions are done; the value is the procedure's own result,
    // before a cell's conversions.
    Value call_converted(size_t index, const std::vector<os::SlotValue>& slots, Sheet* sheet);
    // Evaluates a parsed formula.
    Value evaluate(const Expr& formula, const CallSite& site);

private:
    Operand operand_of(const Expr& expression, const CallSite& site);
    Value value_of_result(char letter, const os::SlotValue& result, const std::string& who);
    // Copies an XLOPER result and gives its memory back (xlAutoFree, or Excel's own xlFree).
    Value take_record(XLOPER* record, const std::string& who);
};

}  // namespace xlhost::engine
