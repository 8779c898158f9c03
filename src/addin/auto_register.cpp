// xlAutoRegister: Excel meets a call to one of the add-in's procedures that is not registered.
// The matching catalogue row is registered; the answer is #VALUE! in every case, also after a
// successful registration.
#include "addin/catalogue.h"
#include "addin/lifecycle.h"
#include "addin/registration.h"
#include "xll/boundary.h"
#include "xll/counted_text.h"
#include "xll/excel_value.h"
#include "xll/xlcall.h"

namespace {
XLOPER registration_answer = [] {
    XLOPER answer{};
    xll::set_error(answer, xlerrValue);
    return answer;
}();

bool is_text(const XLOPER* value) {
    return value != nullptr && xll::base_type(*value) == xltypeStr && value->val.str != nullptr;
}
}  // namespace

VX_EXPORT LPXLOPER VX_STDCALL xlAutoRegister(LPXLOPER name) {
    return xll::guarded(&registration_answer, [&] {
        using namespace addin;
        xll::set_error(registration_answer, xlerrValue);
        if (!addin_opened || !is_text(name)) return &registration_answer;

        const xll::CountedTable& functions = function_catalogue();
        for (int row = 0; row < functions.rows; ++row) {
            if (xll::compare_counted_nocase(functions.text(row, col_procedure), name->val.str)) {
                xll::ExcelValue module_name;
                obtain_module_name(module_name);
                register_function_row(module_name, functions, row, false);
                return &registration_answer;
            }
        }
        for (int row = 0; row < command_catalogue.rows; ++row) {
            if (xll::compare_counted_nocase(command_catalogue.text(row, col_procedure), name->val.str)) {
                xll::ExcelValue module_name;
                obtain_module_name(module_name);
                register_command_row(module_name, row);
                return &registration_answer;
            }
        }
        return &registration_answer;
    });
}
