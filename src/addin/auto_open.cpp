// xlAutoOpen: Excel opens the add-in. Every step runs in this order; a failed Excel call leaves
// only its diagnostic and the remaining steps still run.
#include "Menu/menu_install.h"
#include "addin/catalogue.h"
#include "addin/lifecycle.h"
#include "addin/registration.h"
#include "ambiente/janela_excel.h"
#include "automacao/xlauto.h"
#include "xll/boundary.h"
#include "xll/excel_value.h"
#include "xll/scratch.h"
#include "xll/xlcall.h"

namespace addin {
bool addin_opened = false;
}

VX_EXPORT int VX_STDCALL xlAutoOpen() {
    return xll::guarded(1, [] {
        using namespace addin;
        addin_opened = false;
        ambiente::find_excel_window();
        addin_opened = true;
        xll::scratch_reset();
        automacao::bridge_start();

        xll::ExcelValue module_name;
        obtain_module_name(module_name);
        const xll::CountedTable& functions = function_catalogue();
        for (int row = 0; row < functions.rows; ++row)
            register_function_row(module_name, functions, row, false);
        for (int row = 0; row < command_catalogue.rows; ++row) register_command_row(module_name, row);
        xll::ExcelValue menu_lookup;
        menu::install_menu(menu_lookup);
        // Both go back to Excel only now, in this order.
        module_name.release();
        menu_lookup.release();
        return 1;
    });
}
