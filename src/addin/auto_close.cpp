// xlAutoClose: Excel closes the add-in. The names that registration defined are deleted (the
// functions themselves stay registered).
#include "Menu/menu_install.h"
#include "addin/catalogue.h"
#include "automacao/xlauto.h"
#include "xll/boundary.h"
#include "xll/call_excel.h"
#include "xll/scratch.h"
#include "xll/xlcall.h"

VX_EXPORT int VX_STDCALL xlAutoClose() {
    return xll::guarded(1, [] {
        using namespace addin;
        // SET.NAME with the name alone deletes it. The Excel names are the same in every
        // language.
        const xll::CountedTable& functions = function_catalogue();
        for (int row = 0; row < functions.rows; ++row)
            xll::call_excel(xlfSetName, nullptr, 1, xll::scratch_text(functions.text(row, col_function_text)));
        for (int row = 0; row < command_catalogue.rows; ++row)
            xll::call_excel(xlfSetName, nullptr, 1,
                            xll::scratch_text(command_catalogue.text(row, col_function_text)));
        menu::remove_menu();
        automacao::bridge_stop();
        return 1;
    });
}
