// How the chart command turns a row of the selection into a curve point. It reads the same
// kinds of cell as the worksheet functions (funcoes::Celula: a number, a 16-bit integer, or
// nothing usable) and sorts and merges the points as they do (funcoes::ordena_e_funde), but its
// rule for a row differs from le_curva's on purpose:
// - the rate is taken as it is, so the chart shows a negative rate as negative; le_curva takes
//   its absolute value;
// - the business days must be at least 1 (0.9 is skipped), where le_curva keeps any positive
//   count and truncates 0.5 to day 0;
// - a day count beyond what a point holds (32 bits) skips its row, where le_curva refuses the
//   whole curve with #NUM!: a command has no error value to answer, and the user is told only
//   when fewer than two rows are left.
#pragma once

#include <cstdint>
#include <optional>

#include "Funcoes/curva.h"
#include "Funcoes/matriz.h"

namespace cmp {

inline std::optional<funcoes::CurvePoint> ponto_da_selecao(const funcoes::Celula& taxa, const funcoes::Celula& dias) {
    using Tipo = funcoes::Celula::Tipo;
    if (taxa.tipo == Tipo::outro || dias.tipo == Tipo::outro) return std::nullopt;
    if (!(dias.valor >= 1.0) || !(dias.valor < 4294967296.0)) return std::nullopt;
    funcoes::CurvePoint ponto;
    ponto.workdays = static_cast<std::uint32_t>(dias.valor);  // truncated to whole days
    ponto.rate = taxa.valor;
    return ponto;
}

}  // namespace cmp
