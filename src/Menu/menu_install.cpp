#include "Menu/menu_install.h"

#include "Menu/menu_array.h"
#include "Menu/menu_tables.h"
#include "xll/boundary.h"
#include "xll/call_excel.h"
#include "xll/scratch.h"

namespace menu {
namespace {

constexpr int16_t worksheet_menu_bar = 10;
constexpr int16_t submenu_position = 3;  // inside the menu, counting its items from 1

constexpr std::array<const char*, 4> name_texts = {"&Varentis", "Varentis", "Help", "Ajuda"};
VX_COUNTED_STORAGE(name_storage, name_texts);
const xll::CountedTable names{name_storage.bytes, name_storage.offsets, 1, 4};
char* menu_name() { return names.text(0, 0); }
char* menu_name_plain() { return names.text(0, 1); }
char* help_english() { return names.text(0, 2); }
char* help_portuguese() { return names.text(0, 3); }

bool is_error(const XLOPER& value) { return (value.xltype & xltypeErr) != 0; }

// GET.BAR(10, name, 0): the menu's position, or an error value when it is not on the bar. The
// record starts as #N/A so that a call Excel refuses outright also reads as "not there".
void look_up(xll::ExcelValue& into, char* name) {
    // GET.BAR answers a number or an error, which hold nothing; anything else is given back
    // before the record is written again.
    if (into->xltype & (xltypeStr | xltypeMulti | xltypeRef)) into.release();
    xll::set_error(*into.record(), xlerrNA);
    xll::call_excel(xlfGetBar, into.record(), 3, xll::scratch_integer(worksheet_menu_bar), xll::scratch_text(name),
                    xll::scratch_integer(0));
}

void add_main_menu() {
    MenuArray array(menu_table());
    // Excel's help menu is "Help" in one language and "Ajuda" in the other: the attempt whose
    // name this Excel does not know fails and is ignored.
    xll::call_excel(xlfAddMenu | xlIntl, nullptr, 3, xll::scratch_number(worksheet_menu_bar), array.value(),
                    xll::scratch_text(help_english()));
    xll::call_excel(xlfAddMenu | xlIntl, nullptr, 3, xll::scratch_number(worksheet_menu_bar), array.value(),
                    xll::scratch_text(help_portuguese()));
}

void add_language_submenu() {
    const xll::CountedTable& submenu = submenu_table();
    MenuArray array(submenu);
    xll::call_excel(xlfAddMenu | xlIntl, nullptr, 4, xll::scratch_integer(worksheet_menu_bar), array.value(),
                    xll::scratch_text(menu_name()), xll::scratch_integer(submenu_position));
    // The mark goes on the language in use.
    const int in_use = submenu_row_of.atual();
    xll::call_excel(xlfCheckCommand, nullptr, 5, xll::scratch_number(worksheet_menu_bar),
                    xll::scratch_text(menu_name()), xll::scratch_text(submenu.text(0, menu_col_name)),
                    xll::scratch_logical(1), xll::scratch_text(submenu.text(in_use, menu_col_name)));
}

}  // namespace

void install_menu(xll::ExcelValue& lookup) {
    look_up(lookup, menu_name());
    if (is_error(*lookup)) add_main_menu();
    look_up(lookup, menu_name());
    if (!is_error(*lookup)) add_language_submenu();
}

void remove_menu() {
    xll::ExcelValue answer;
    look_up(answer, menu_name_plain());
    // An error value holds nothing of Excel's: it is not given back.
    if (is_error(*answer)) {
        answer.forget();
        return;
    }
    xll::call_excel(xlfDeleteMenu, nullptr, 2, xll::scratch_number(worksheet_menu_bar),
                    xll::scratch_text(menu_name_plain()));
    answer.release();
}

}  // namespace menu
