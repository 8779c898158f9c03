// Converting one argument to the C form its type-text letter declares, as Excel does before
// it calls a procedure: or the error value Excel answers instead of calling.
#pragma once

#include <optional>
#include <string>

#include "capi/session.h"
#include "engine/operand.h"
#include "os/os.h"

namespace xlhost::engine {

struct Converted {
    os::SlotValue slot;
    std::optional<Value> refusal;  // set when Excel answers this value without calling
    std::string why;               // what made Excel refuse, when the user should be told
};

// The argument storage (texts, arrays, numbers passed by reference) is memory of the call.
Converted convert_argument(char letter, const Operand& operand, const CallSite& site, capi::Session& session);
// The slot type of a letter.
os::Slot slot_of(char letter);
// The value of an argument passed by reference, read back after the call (in-place results).
Value read_back(char letter, const os::SlotValue& slot, capi::Session& session);

}  // namespace xlhost::engine
