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

const ambiente::Bilingue<xll::CountedTable> menu_tables{xll::counted_table(menu_pt_storage, menu_columns),
                                                       xll::counted_table(menu_en_storage, menu_columns)};
const ambiente::Bilingue<xll::CountedTable> submenu_tables{xll::counted_table(submenu_pt_storage, menu_columns),
                                                          xll::counted_table(submenu_en_storage, menu_columns)};

const xll::CountedTable& menu_table() { return menu_tables.atual(); }
const xll::CountedTable& submenu_table() { return submenu_tables.atual(); }

}  // namespace menu
