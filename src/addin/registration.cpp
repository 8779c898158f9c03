#include "addin/registration.h"

#include "addin/catalogue.h"
#include "xll/call_excel.h"
#include "xll/scratch.h"

namespace addin {

namespace {

int register_row(xll::ExcelValue& module_name, const xll::CountedTable& table, int row, bool hidden) {
    LPXLOPER arguments[1 + function_columns] = {module_name.record()};
    for (int column = 0; column < table.columns; ++column)
        arguments[1 + column] = hidden && column == col_macro_type
                                    ? xll::scratch_integer(0)
                                    : xll::scratch_text(table.text(row, column));
    XLOPER register_id{};
    return xll::call_excel_v(xlfRegister, &register_id, 1 + table.columns, arguments);
}

}  // namespace

void obtain_module_name(xll::ExcelValue& module_name) {
    module_name.release();
    if (xll::call_excel(xlGetName, module_name.record(), 0) != xlretSuccess) module_name.forget();
}

int register_function_row(xll::ExcelValue& module_name, const xll::CountedTable& catalogue, int row,
                          bool hidden) {
    return register_row(module_name, catalogue, row, hidden);
}

int register_command_row(xll::ExcelValue& module_name, int row) {
    return register_row(module_name, command_catalogue, row, false);
}

}  // namespace addin
