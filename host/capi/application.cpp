// xlFree, xlGetName and xlGetHwnd: Excel's memory, the add-in's file and Excel's window.
#include <cstring>

#include "capi/dispatch.h"
#include "capi/xloper_values.h"

namespace xlhost::capi {

int free_values(Session& session, XLOPER*, int count, XLOPER** arguments) {
    for (int i = 0; i < count; ++i) {
        const std::string which = "xlFree of argument " + std::to_string(i + 1);
        switch (session.memory.release(arguments[i])) {
            case FreeOutcome::released:
            case FreeOutcome::nothing_to_free: break;
            case FreeOutcome::already_released:
                session.fault(which + ": a value already released (its pointer is null): a second xlFree");
                break;
            case FreeOutcome::double_free:
                session.fault(which + ": double free of a value Excel returned");
                break;
            case FreeOutcome::not_handed_out:
                session.fault(which + ": memory Excel never handed out");
                break;
            case FreeOutcome::owned_by_excel:
                session.fault(which + ": an argument Excel passed to the add-in (Excel releases it)");
                break;
            case FreeOutcome::part_of_value:
                session.fault(which + ": a text inside an array; only the whole array is freed");
                break;
        }
    }
    return xlretSuccess;
}

int get_name(Session& session, XLOPER* result, int, XLOPER**) {
    if (session.module == nullptr) return xlretFailed;
    if (result != nullptr) write_value(Value::str(session.addin_path), result, session.memory, Owner::addin);
    return xlretSuccess;
}

int get_hwnd(Session& session, XLOPER* result, int, XLOPER**) {
    if (result != nullptr) {
        std::memset(result, 0, sizeof *result);
        result->xltype = xltypeInt;
        result->val.w = static_cast<int16_t>(static_cast<uint16_t>(session.main_window & 0xFFFF));
    }
    return xlretSuccess;
}

}  // namespace xlhost::capi
