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

// One row in Portuguese, one in English.
constexpr std::array<const char*, 2 * do_idioma> textos_do_idioma = {
    "Dados para gráfico comparativo de interpolação Cubic Spline x Exponencial",
    "Exponencial",
    "Ptos. Curva",
    "Interpolação: CSpline x Exponencial",
    "Taxa",
    "Dias Úteis",
    "Negrito",
    "Comparative chart source data for Cubic Spline and Exponential interpolation",
    "Exponential",
    "Curve Pts.",
    "Interpolation: CSpline x Exponential",
    "I. Rate",
    "Workdays",
    "Bold",
};
VX_COUNTED_STORAGE(idioma_guardado, textos_do_idioma);

}  // namespace

char* fixo(Fixo qual) { return fixos_guardados.bytes + fixos_guardados.offsets[qual]; }

char* do_idioma_atual(DoIdioma qual) {
    return idioma_guardado.bytes + idioma_guardado.offsets[ambiente::lingua() * do_idioma + qual];
}

TextoSerie::TextoSerie(const char* formato, int ultima_linha) {
    std::snprintf(bytes + 1, sizeof bytes - 1, formato, ultima_linha);
}

}  // namespace cmp
