// The add-in's menu "&Varentis" on Excel's worksheet menu bar, just before Excel's help menu,
// with the language submenu inside it and a check mark on the language in use.
#pragma once

#include "xll/excel_value.h"

namespace menu {

// Adds the menu unless it is there already, then (when it is there) the language submenu at
// position 3 and its check mark. No failure is reported: each leaves only its diagnostic. The
// answer of the last look-up stays in `lookup`, for the caller to give back to Excel.
void install_menu(xll::ExcelValue& lookup);
// Deletes the menu, submenu and all, when it is on the bar.
void remove_menu();

}  // namespace menu
