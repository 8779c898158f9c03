#include "addin/registration.h"

#include "addin/catalogue.h"
#include "xll/call_excel.h"
#include "xll/scratch.h"

namespace addin {

namespace {

XLOPER module_name = [] {
    XLOPER empty{};
    empty.xltype = xltypeNil;
    return empty;
}();
// Only a name that Excel handed out is given back.
bool module_name_held = false;

int register_row(const xll::CountedTable& table, int row, bool hidden) {
    LPXLOPER arguments[1 + function_columns] = {&module_name};
    for (int column = 0; column < table.columns; ++column)
        arguments[1 + column] = hidden && column == col_macro_type
                                    ? xll::scratch_integer(0)
                                    : xll::scratch_text(table.text(row, column));
    XLOPER register_id{};
    return xll::call_excel_v(xlfRegister, &register_id, 1 + table.columns, arguments);
}

}  // namespace

void obtain_module_name() {
    release_module_name();
    module_name_held = xll::call_excel(xlGetName, &module_name, 0) == xlretSuccess;
}

void release_module_name() {
    if (module_name_held) xll::free_excel_value(module_name);
    module_name_held = false;
    module_name = XLOPER{};
    module_name.xltype = xltypeNil;
}

int register_function_row(const xll::CountedTable& catalogue, int row, bool hidden) {
    return register_row(catalogue, row, hidden);
}

int register_command_row(int row) { return register_row(command_catalogue, row, false); }

}  // namespace addin
