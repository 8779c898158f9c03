// The second interpolation method: a cubic spline through the rates of the curve's vertices,
// in a parameter that advances by 1 from one vertex to the next. Zero slope at the first
// vertex, zero curvature at the last. `interpola_spline` is shared with the comparative chart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Funcoes/curva.h"
#include "Funcoes/matriz.h"
#include "Funcoes/resultado.h"

namespace funcoes {

// What solving the spline's tridiagonal system needs, kept by the caller from one call to the
// next so that a steady stream of calls allocates nothing.
struct MemoriaSpline {
    // The elimination factors of the inner rows from the top, 0, 1/4, 1/(4 − 1/4), ..., and
    // from the bottom, 1/2, 1/(4 − 1/2), ...: they depend on the row's place alone, so they
    // are worked out once, as far as the longest curve seen.
    std::vector<double> gamma;
    std::vector<double> nu;
    // The first derivative at each vertex, for a spline solved whole.
    std::vector<double> derivada;
};

// A curve's spline, its system solved once, for many queries (the chart's grid). Holds
// references to the curve and to the storage, which must outlive it.
class InterpolacaoSpline {
public:
    InterpolacaoSpline(const YieldCurve& curva, MemoriaSpline& memoria);

    // What interpola_spline(a, curva) answers, to the last bit.
    double taxa(std::int32_t a) const;

private:
    const YieldCurve& curva_;
    const std::vector<double>& d_;
};

// The spline rate for `a` business days on a curve of at least 2 points: the first rate
// before the first vertex, minus the last rate beyond the last vertex. Reports nothing: an
// internal failure yields 0.0.
double interpola_spline(std::int32_t a, const YieldCurve& curva) noexcept;

// The worksheet function VX.CSPLINE on a curve already read.
Resultado cspline(std::int16_t dias, const YieldCurve& curva, MemoriaSpline& memoria);

// VX.CSPLINE on a range, read into the caller's reusable `curva`.
template <class Intervalo>
Resultado cspline(std::int16_t dias, const Intervalo& intervalo, YieldCurve& curva, MemoriaSpline& memoria) {
    if (!tem_forma_de_curva(intervalo) || dias < 1) return Resultado::falha(Erro::na);
    const Erro erro = le_curva(intervalo, curva);
    if (erro != Erro::nenhum) return Resultado::falha(erro);
    return cspline(dias, curva, memoria);
}

// The same on a range with storage of its own.
Resultado cspline(std::int16_t dias, const Matriz& curva);

}  // namespace funcoes
