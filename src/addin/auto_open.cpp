// xlAutoOpen: Excel opens the add-in. Every step runs in this order; a failed Excel call leaves
// only its diagnostic and the remaining steps still run.
#include "Menu/menu_install.h"
#include "addin/catalogue.h"
#include "addin/excel_window.h"
#include "addin/lifecycle.h"
#include "addin/registration.h"
#include "xll/boundary.h"
#include "xll/scratch.h"
#include "xll/xlcall.h"

namespace addin {
bool addin_opened = false;
}

VX_EXPORT int VX_STDCALL xlAutoOpen() {
    return xll::guarded(1, [] {
        using namespace addin;
        addin_opened = false;
        find_excel_window();
        addin_opened = true;
        xll::scratch_reset();
        // The automation bridge is started here; its result is not looked at.

        obtain_module_name();
        const xll::CountedTable& functions = function_catalogue();
        for (int row = 0; row < function_rows; ++row) register_function_row(functions, row, false);
        for (int row = 0; row < command_rows; ++row) register_command_row(row);
        menu::install_menu();
        release_module_name();
        menu::release_menu_lookup();
        return 1;
    });
}
