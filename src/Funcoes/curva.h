// The yield curve: its vertices, the reading rule that turns a worksheet range into a clean
// curve, and the exponential (flat-forward, 252-day) interpolation with its extrapolation.
// `interpola_exp` is shared by the worksheet functions and the comparative chart.
#pragma once

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
bool tem_forma_de_curva(const Matriz& intervalo);

struct LeituraCurva {
    Erro erro = Erro::nenhum;  // na: unusable range; num: a day count beyond 32 bits
    YieldCurve curva;
};

// Reads a curve range row by row: rates as absolute values, day counts truncated to whole days,
// rows without a usable rate or a positive day count skipped, then sorted and merged.
LeituraCurva le_curva(const Matriz& intervalo);

// Sorts points by business days and merges equal day counts, keeping the largest rate.
YieldCurve ordena_e_funde(std::vector<CurvePoint> pontos);

// Where a requested day falls on a curve, shared by both interpolations.
bool alem_do_ultimo(const YieldCurve& curva, std::int32_t a);
// The segment choice of the shared cores: the first vertex beyond a, or the last vertex.
std::size_t primeiro_alem(const YieldCurve& curva, std::int32_t a);
// The segment choice of the worksheet functions: the number of vertices before a.
std::size_t quantos_antes(const YieldCurve& curva, std::int32_t a);
// t of a inside the segment from vertex k−1 (t = 0) to vertex k (t = 1).
long double posicao_no_segmento(const YieldCurve& curva, std::size_t k, std::int32_t a);

// The exponential interpolation for `a` business days on a curve of at least 2 points: the
// first rate before the first vertex, and beyond the last vertex the extrapolated rate with
// its sign reversed (0.0 when the curve has fewer than 3 points). Never fails visibly.
long double interpola_exp(std::int32_t a, YieldCurve curve, double anos_flat);

// The worksheet function VX.INTERPOLEX.
Resultado interpol(std::int16_t dias, const Matriz& curva, double anos_flat);

}  // namespace funcoes
