#include "Menu/menu_install.h"

#include "Menu/menu_array.h"
#include "Menu/menu_tables.h"
#include "addin/settings.h"
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

// The answer of the last GET.BAR of xlAutoOpen, given back at its end.
XLOPER menu_lookup = [] {
    XLOPER nil{};
    nil.xltype = xltypeNil;
    return nil;
}();

bool is_error(const XLOPER& value) { return (value.xltype & xltypeErr) != 0; }

// GET.BAR(10, name, 0): the menu's position, or an error value when it is not on the bar. The
// record starts as #N/A so that a call Excel refuses outright also reads as "not there".
void look_up(XLOPER& into, char* name) {
    // GET.BAR answers a number or an error, which hold nothing; anything else is given back
    // before the record is written again.
    if (into.xltype & (xltypeStr | xltypeMulti | xltypeRef)) xll::free_excel_value(into);
    into.xltype = xltypeErr;
    into.val.err = xlerrNA;
    xll::call_excel(xlfGetBar, &into, 3, xll::scratch_integer(worksheet_menu_bar), xll::scratch_text(name),
                    xll::scratch_integer(0));
}

void add_main_menu() {
    MenuArray array(menu_table(addin::idioma));
    // Excel's help menu is "Help" in one language and "Ajuda" in the other: the attempt whose
    // name this Excel does not know fails and is ignored.
    xll::call_excel(xlfAddMenu | xlIntl, nullptr, 3, xll::scratch_number(worksheet_menu_bar), array.value(),
                    xll::scratch_text(help_english()));
    xll::call_excel(xlfAddMenu | xlIntl, nullptr, 3, xll::scratch_number(worksheet_menu_bar), array.value(),
                    xll::scratch_text(help_portuguese()));
}

void add_language_submenu() {
    const xll::CountedTable& submenu = submenu_table(addin::idioma);
    MenuArray array(submenu);
    xll::call_excel(xlfAddMenu | xlIntl, nullptr, 4, xll::scratch_integer(worksheet_menu_bar), array.value(),
                    xll::scratch_text(menu_name()), xll::scratch_integer(submenu_position));
    // Row 2 is Portuguese, row 3 English; the mark goes on the language in use.
    const int in_use = addin::idioma == 1 ? 1 : 2;
    xll::call_excel(xlfCheckCommand, nullptr, 5, xll::scratch_number(worksheet_menu_bar),
                    xll::scratch_text(menu_name()), xll::scratch_text(submenu.text(0, menu_col_name)),
                    xll::scratch_logical(1), xll::scratch_text(submenu.text(in_use, menu_col_name)));
}

}  // namespace

void install_menu() {
    look_up(menu_lookup, menu_name());
    if (is_error(menu_lookup)) add_main_menu();
    look_up(menu_lookup, menu_name());
    if (!is_error(menu_lookup)) add_language_submenu();
}

void release_menu_lookup() { xll::free_excel_value(menu_lookup); }

void remove_menu() {
    XLOPER answer{};
    look_up(answer, menu_name_plain());
    if (is_error(answer)) return;
    xll::call_excel(xlfDeleteMenu, nullptr, 2, xll::scratch_number(worksheet_menu_bar),
                    xll::scratch_text(menu_name_plain()));
    xll::free_excel_value(answer);
}

}  // namespace menu
