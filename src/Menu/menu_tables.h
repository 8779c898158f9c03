// The menu definitions of the add-in, in the layout of Excel's ADD.MENU: five text columns per
// row (name with "&" before the access letter, macro, shortcut key, status-bar text, help
// topic). The first row names the menu and carries its status-bar text; a separator item is
// named "-" with a macro of one blank. Texts are counted strings prepared at load.
#pragma once

#include "ambiente/idioma.h"
#include "xll/counted_text.h"

namespace menu {

constexpr int menu_columns = 5;
constexpr int menu_rows = 6;
constexpr int submenu_rows = 3;

enum MenuColumn {
    menu_col_name = 0,
    menu_col_macro = 1,
    menu_col_shortcut = 2,
    menu_col_status_text = 3,
    menu_col_help_topic = 4,
};

// "&Varentis" on the worksheet menu bar.
extern const ambiente::Bilingue<xll::CountedTable> menu_tables;
// The language submenu inside it: its own row, then one row per language in the order of
// Idioma, each naming its language in the language of the table.
extern const ambiente::Bilingue<xll::CountedTable> submenu_tables;
// The submenu row of each language.
inline constexpr ambiente::Bilingue<int> submenu_row_of{1, 2};

// The tables of the language setting.
const xll::CountedTable& menu_table();
const xll::CountedTable& submenu_table();

}  // namespace menu
