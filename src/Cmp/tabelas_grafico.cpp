#include "Cmp/tabelas_grafico.h"

#include <cstdio>

#include "ambiente/idioma.h"
#include "xll/counted_text.h"

namespace cmp {

namespace {

constexpr std::array<const char*, fixos> textos_fixos = {
    "Auxiliar", "Arial", "Normal", "0.000%", "CS x Exp", "=Auxiliar!R3C2", "=Auxiliar!R3C3",
    "=Auxiliar!R3C4", "S1", "S2", "S3", "Title", "Axis 1", "0.00%", "Text Axis 1", "Axis 2",
    "Text Axis 2", "Gridline 1", "Legend", "CSpline",
};
VX_COUNTED_STORAGE(fixos_guardados, textos_fixos);

constexpr std::array<const char*, do_idioma> textos_pt = {
    "Dados para gráfico comparativo de interpolação Cubic Spline x Exponencial",
    "Exponencial",
    "Ptos. Curva",
    "Interpolação: CSpline x Exponencial",
    "Taxa",
    "Dias Úteis",
    "Negrito",
};
constexpr std::array<const char*, do_idioma> textos_en = {
    "Comparative chart source data for Cubic Spline and Exponential interpolation",
    "Exponential",
    "Curve Pts.",
    "Interpolation: CSpline x Exponential",
    "I. Rate",
    "Workdays",
    "Bold",
};
VX_COUNTED_STORAGE(pt_guardados, textos_pt);
VX_COUNTED_STORAGE(en_guardados, textos_en);
const ambiente::Bilingue<xll::CountedTable> textos_do_idioma{xll::counted_table(pt_guardados),
                                                             xll::counted_table(en_guardados)};

}  // namespace

char* fixo(Fixo qual) { return fixos_guardados.bytes + fixos_guardados.offsets[qual]; }

char* do_idioma_atual(DoIdioma qual) { return textos_do_idioma.atual().text(0, qual); }

TextoSerie::TextoSerie(const char* formato, int ultima_linha) {
    std::snprintf(bytes + 1, sizeof bytes - 1, formato, ultima_linha);
}

}  // namespace cmp
