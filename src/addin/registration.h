// Registration of catalogue rows with Excel (REGISTER): the module name followed by the row's
// texts, each handed over in place as a counted string.
#pragma once

#include "xll/counted_text.h"
#include "xll/excel_value.h"

namespace addin {

// The add-in's own file name as Excel reports it (xlGetName), into `module_name`: obtained
// before a run of registrations and given back to Excel after it. A refused call leaves nothing
// to give back.
void obtain_module_name(xll::ExcelValue& module_name);

// A function row with 20 arguments. Hidden registration passes the macro type as the integer 0
// instead of the row's "1", which takes the function out of the function wizard.
int register_function_row(xll::ExcelValue& module_name, const xll::CountedTable& catalogue, int row,
                          bool hidden);
// A command row with 8 arguments.
int register_command_row(xll::ExcelValue& module_name, int row);

}  // namespace addin
