// The catalogue from which the add-in registers its worksheet functions and its command macros
// with Excel, in Excel's REGISTER argument order. The function catalogue exists in Portuguese
// and in English (same procedures, type texts and Excel names; the argument names and help
// texts differ); the command catalogue exists once. A table's `rows` is its number of rows.
//
// Every text is a counted string in writable storage (reserved length byte, characters, NUL),
// handed to Excel in place.
#pragma once

#include "ambiente/idioma.h"
#include "xll/counted_text.h"

namespace addin {

constexpr int function_columns = 19;
constexpr int command_columns = 7;
constexpr int max_function_arguments = 10;

// Columns of a catalogue row, counted from 0 (REGISTER's arguments after the module name).
enum CatalogueColumn {
    col_procedure = 0,      // the exported procedure
    col_type_text = 1,      // result and argument types, one letter each
    col_function_text = 2,  // the Excel name ("VX." names, or the command's macro name)
    col_argument_text = 3,  // argument names separated by ", "
    col_macro_type = 4,     // "1" worksheet function, "2" command
    col_category = 5,       // "Varentis"
    col_shortcut = 6,
    col_help_topic = 7,
    col_function_help = 8,
    col_first_argument_help = 9,  // then one column per argument, up to 10
};

extern const ambiente::Bilingue<xll::CountedTable> function_catalogues;
extern const xll::CountedTable command_catalogue;

// The function catalogue of the language setting.
const xll::CountedTable& function_catalogue();

}  // namespace addin
