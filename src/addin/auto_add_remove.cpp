// xlAutoAdd and xlAutoRemove: the user adds or removes the add-in in Excel's Add-In Manager.
// Each shows an information alert; removal registers the functions again hidden, so they leave
// the function wizard.
#include "addin/catalogue.h"
#include "addin/registration.h"
#include "ambiente/idioma.h"
#include "xll/boundary.h"
#include "xll/call_excel.h"
#include "xll/excel_value.h"
#include "xll/scratch.h"
#include "xll/xlcall.h"

namespace {

constexpr int added = 0;
constexpr int removed = 1;
constexpr int16_t alert_information = 2;

// One text per event.
constexpr std::array<const char*, 2> messages_pt = {
    "Add-in VARENTIS - Cálculos para Mercado Financeiro - será adicionado!\n"
    "Para remover este add-in, selecione a opção correspondente no gerenciador de suplementos.\n"
    "\n"
    "Marvessa Sistemas Financeiros\n",
    "Add-in VARENTIS - Cálculos para Mercado Financeiro - será removido!\n"
    "Para reinstalar este add-in, selecione a opção correspondente no gerenciador de suplementos.\n"
    "\n"
    "Marvessa Sistemas Financeiros\n",
};
constexpr std::array<const char*, 2> messages_en = {
    "Dynamic add-in VARENTIS - Metrics for Financial Market - will be added!\n"
    "To remove it, select the available option in Excel add-in manager.\n"
    "\n"
    "Marvessa Sistemas Financeiros\n",
    "VARENTIS add-in - Varentis for Financial Market - will be removed!\n"
    "To reinstall it, select the available option in Excel add-in manager.\n"
    "\n"
    "Marvessa Sistemas Financeiros\n",
};
VX_COUNTED_STORAGE(messages_pt_storage, messages_pt);
VX_COUNTED_STORAGE(messages_en_storage, messages_en);
const ambiente::Bilingue<xll::CountedTable> messages{xll::counted_table(messages_pt_storage),
                                                     xll::counted_table(messages_en_storage)};

void alert(int event) {
    xll::call_excel(xlcAlert, nullptr, 2, xll::scratch_text(messages.atual().text(0, event)),
                    xll::scratch_integer(alert_information));
}

}  // namespace

VX_EXPORT int VX_STDCALL xlAutoAdd() {
    return xll::guarded(1, [] {
        alert(added);
        return 1;
    });
}

VX_EXPORT int VX_STDCALL xlAutoRemove() {
    return xll::guarded(1, [] {
        using namespace addin;
        alert(removed);
        xll::ExcelValue module_name;
        obtain_module_name(module_name);
        const xll::CountedTable& functions = function_catalogue();
        for (int row = 0; row < functions.rows; ++row)
            register_function_row(module_name, functions, row, true);
        module_name.release();
        return 1;
    });
}
