// The second interpolation method: a cubic spline through the rates of the curve's vertices,
// in a parameter that advances by 1 from one vertex to the next. Zero slope at the first
// vertex, zero curvature at the last. `interpola_spline` is shared with the comparative chart.
#pragma once

#include <cstdint>

#include "Funcoes/curva.h"
#include "Funcoes/matriz.h"
#include "Funcoes/resultado.h"

namespace funcoes {

// The spline rate for `a` business days on a curve of at least 2 points: the first rate
// before the first vertex, minus the last rate beyond the last vertex. Reports nothing: an
// internal failure yields 0.0.
long double interpola_spline(std::int32_t a, YieldCurve curve) noexcept;

// The worksheet function VX.CSPLINE.
Resultado cspline(std::int16_t dias, const Matriz& curva);

}  // namespace funcoes
