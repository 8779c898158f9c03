// The grid of business days that the comparison chart plots: every day from 1 to the last
// curve point when that is below 250, otherwise 250 rows spaced evenly from 1; the curve's own
// points take the row they fall on (or the next one), so column A stays increasing.
#pragma once

#include <cstdint>
#include <vector>

#include "Funcoes/curva.h"

namespace cmp {

// The most grid rows, whatever the curve's length.
constexpr std::uint32_t linhas_maximas = 250;

struct LinhaGrade {
    std::int16_t dias = 0;
    double spline = 0.0;        // interpola_spline for `dias`
    double exponencial = 0.0;   // interpola_exp for `dias`, years flat 0
    bool ponto_da_curva = false;
    double taxa_ponto = 0.0;    // the point's own rate, on a curve-point row
};

// The grid for a curve of at least 2 points (sorted, distinct business days). Throws
// std::invalid_argument for a shorter curve, std::range_error when the last point lies beyond
// what a 16-bit day column can hold, and std::domain_error when an interpolated rate is not a
// finite number (rates near the largest double overflow): the chart is then not built.
std::vector<LinhaGrade> monta_grade(const funcoes::YieldCurve& pontos);

}  // namespace cmp
