// The yield curve: its vertices, the reading rule that turns a worksheet range into a clean
// curve, and the exponential (flat-forward, 252-day) interpolation with its extrapolation.
// `interpola_exp` is shared by the worksheet functions and the comparative chart.
// Vocabulary: the shared types keep the names every unit knows them by (YieldCurve, CurvePoint
// with workdays and rate, PortfolioFlow with workdays and faceValue); every other name in
// Funcoes, parameters included, is the add-in's Portuguese (a curve is always `curva`).
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Funcoes/matriz.h"
#include "Funcoes/resultado.h"

namespace funcoes {

// One vertex: business days from today and the effective annual rate on a 252-business-day
// year, as a decimal fraction (0.1925 is 19.25 % a year); never negative once read.
struct CurvePoint {
    std::uint32_t workdays = 0;
    double rate = 0.0;
};

// Vertices strictly increasing in `workdays`; at least 2 once `le_curva` accepted it.
using YieldCurve = std::vector<CurvePoint>;

// A range that can hold a curve: at least 2 rows and exactly 2 columns (rate, business days).
// A range is anything with `linhas`, `colunas` and `at(linha, coluna)` giving a `Celula`: the
// cores' `Matriz`, or an Excel array read in place by the exports.
template <class Intervalo>
bool tem_forma_de_curva(const Intervalo& intervalo) {
    return intervalo.linhas >= 2 && intervalo.colunas == 2;
}

// Sorts the points by business days and merges equal day counts in place, keeping the largest
// rate of each.
void ordena_e_funde(YieldCurve& pontos);

// Reads a curve range row by row into `curva`, whose storage is reused from call to call (a
// steady stream of calls allocates nothing): rates as absolute values, day counts truncated to
// whole days, rows without a usable rate or a positive day count skipped. A range already in
// increasing order, the usual case, is taken as it comes; any other is sorted and merged once.
// Answers na for an unusable range and num for a day count beyond 32 bits; `curva` is then
// empty. The chart command reads its selection by a rule of its own, on purpose
// (Cmp/ponto_da_selecao.h).
template <class Intervalo>
Erro le_curva(const Intervalo& intervalo, YieldCurve& curva) {
    if (!tem_forma_de_curva(intervalo)) {
        curva.clear();
        return Erro::na;
    }
    // Room for every row, then the points written in place and the size cut to what was kept:
    // the same curve read again finds its room already there.
    curva.resize(intervalo.linhas);
    CurvePoint* const pontos = curva.data();
    std::size_t lidos = 0;
    bool crescente = true;
    for (std::size_t i = 0; i < intervalo.linhas; ++i) {
        const Celula taxa = intervalo.at(i, 0);
        const Celula dias = intervalo.at(i, 1);
        if (taxa.tipo == Celula::Tipo::outro || dias.tipo == Celula::Tipo::outro) continue;
        if (!(dias.valor > 0)) continue;
        // A positive value below 2^32 truncates toward zero into 32 bits; beyond (e.g. 1e12
        // business days, or an infinity) no vertex can hold it.
        if (!(dias.valor < 4294967296.0)) {
            curva.clear();
            return Erro::num;
        }
        const auto w = static_cast<std::uint32_t>(dias.valor);
        if (lidos > 0 && w <= pontos[lidos - 1].workdays) crescente = false;
        pontos[lidos].workdays = w;
        pontos[lidos].rate = std::fabs(taxa.valor);
        ++lidos;
    }
    curva.resize(lidos);
    if (!crescente) ordena_e_funde(curva);
    if (curva.size() < 2) {
        curva.clear();
        return Erro::na;
    }
    return Erro::nenhum;
}

struct LeituraCurva {
    Erro erro = Erro::nenhum;  // na: unusable range; num: a day count beyond 32 bits
    YieldCurve curva;
};

// The same reading into a curve of its own.
LeituraCurva le_curva(const Matriz& intervalo);

// Where a requested day falls on a curve, shared by both interpolations.
bool alem_do_ultimo(const YieldCurve& curva, std::int32_t a);
// The segment choice of the shared cores: the first vertex beyond a, or the last vertex.
std::size_t primeiro_alem(const YieldCurve& curva, std::int32_t a);
// The segment choice of the worksheet functions: the number of vertices before a.
std::size_t quantos_antes(const YieldCurve& curva, std::int32_t a);
// t of a inside the segment from vertex k−1 (t = 0) to vertex k (t = 1).
double posicao_no_segmento(const YieldCurve& curva, std::size_t k, std::int32_t a);

// The exponential interpolation for `a` business days on a curve of at least 2 points: the
// first rate before the first vertex, and beyond the last vertex the extrapolated rate with
// its sign reversed (0.0 when the curve has fewer than 3 points). Never fails visibly.
double interpola_exp(std::int32_t a, const YieldCurve& curva, double anos_flat);

class Extrapolacao;  // Funcoes/exponencial.h
class LogFatores;

// The worksheet function VX.INTERPOLEX on a curve already read; beyond the last vertex through
// `extrapolacao`, prepared again only when the curve's end or the years flat changed, and inside
// the curve with the vertices' log factors kept in `log_fatores`.
Resultado interpol(std::int16_t dias, const YieldCurve& curva, double anos_flat, Extrapolacao& extrapolacao,
                   LogFatores& log_fatores);
Resultado interpol(std::int16_t dias, const YieldCurve& curva, double anos_flat);

// VX.INTERPOLEX on a range: checks its shape and the days, reads the curve into `curva` (the
// caller's reusable storage, as `extrapolacao` and `log_fatores` are) and interpolates.
template <class Intervalo>
Resultado interpol(std::int16_t dias, const Intervalo& intervalo, double anos_flat, YieldCurve& curva,
                   Extrapolacao& extrapolacao, LogFatores& log_fatores) {
    if (!tem_forma_de_curva(intervalo) || dias < 1) return Resultado::falha(Erro::na);
    const Erro erro = le_curva(intervalo, curva);
    if (erro != Erro::nenhum) return Resultado::falha(erro);
    return interpol(dias, curva, anos_flat, extrapolacao, log_fatores);
}

// The same on a range with storage of its own.
Resultado interpol(std::int16_t dias, const Matriz& curva, double anos_flat);

}  // namespace funcoes
