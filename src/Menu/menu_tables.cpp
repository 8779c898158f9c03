#include "Menu/menu_tables.h"

#include "ambiente/idioma.h"

namespace menu {

namespace {

using Rows = std::array<const char*, menu_rows * menu_columns>;
using SubmenuRows = std::array<const char*, submenu_rows * menu_columns>;

constexpr Rows menu_pt = {
    "&Varentis",      "",              "", "Add-in de cálculos para Mercado Financeiro", "",
    "&CSpline x Exp", "vx_menu_cmp",   "", "Gráfico comparativo de interpolações",       "",
    "-",              " ",             "", "",                                           "",
    "&Ajuda na Web",  "vx_menu_ajuda", "", "Busca páginas de ajuda na web",              "",
    "-",              " ",             "", "",                                           "",
    "&Sobre",         "vx_menu_sobre", "", "Informações sobre a Marvessa",               "",
};

constexpr Rows menu_en = {
    "&Varentis",      "",              "", "Varentis add-in for financial market",                             "",
    "&CSpline x Exp", "vx_menu_cmp",   "", "Comparative chart for cubic spline and exponential interpolation", "",
    "-",              " ",             "", "",                                                                 "",
    "H&elp on line",  "vx_menu_ajuda", "", "Help on line - Marvessa",                                          "",
    "-",              " ",             "", "",                                                                 "",
    "A&bout",         "vx_menu_sobre", "", "About Marvessa",                                                   "",
};

constexpr SubmenuRows submenu_pt = {
    "Idio&ma",             "",             "", "Idioma para o VARENTIS",     "",
    "&Português (Brasil)", "vx_menu_port", "", "Língua portuguesa (Brasil)", "",
    "&Inglês (EUA)",       "vx_menu_ing",  "", "Língua inglesa (EUA)",       "",
};

constexpr SubmenuRows submenu_en = {
    "Idio&m",               "",             "", "Idiom for VARENTIS",           "",
    "&Portuguese (Brazil)", "vx_menu_port", "", "Portuguese language (Brazil)", "",
    "&English (USA)",       "vx_menu_ing",  "", "English language (USA)",       "",
};

VX_COUNTED_STORAGE(menu_pt_storage, menu_pt);
VX_COUNTED_STORAGE(menu_en_storage, menu_en);
VX_COUNTED_STORAGE(submenu_pt_storage, submenu_pt);
VX_COUNTED_STORAGE(submenu_en_storage, submenu_en);

}  // namespace

const xll::CountedTable menu_table_pt{menu_pt_storage.bytes, menu_pt_storage.offsets, menu_rows,
                                      menu_columns};
const xll::CountedTable menu_table_en{menu_en_storage.bytes, menu_en_storage.offsets, menu_rows,
                                      menu_columns};
const xll::CountedTable submenu_table_pt{submenu_pt_storage.bytes, submenu_pt_storage.offsets,
                                         submenu_rows, menu_columns};
const xll::CountedTable submenu_table_en{submenu_en_storage.bytes, submenu_en_storage.offsets,
                                         submenu_rows, menu_columns};

const xll::CountedTable& menu_table() { return ambiente::bilingue(menu_table_pt, menu_table_en); }
const xll::CountedTable& submenu_table() { return ambiente::bilingue(submenu_table_pt, submenu_table_en); }

}  // namespace menu
