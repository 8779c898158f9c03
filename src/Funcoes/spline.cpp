#include "Funcoes/spline.h"

namespace funcoes {

namespace {

// The first derivative D of the spline at the vertices from `desde` to the last, into
// memoria.derivada, by forward elimination and back substitution of the tridiagonal system
//   D0 = 0;  D(i−1) + 4 Di + D(i+1) = 3 (r(i+1) − r(i−1));  D(n−2) + 2 D(n−1) = 3 (r(n−1) − r(n−2)).
// The elimination runs over every vertex (each one moves every D); the substitution stops at
// the first derivative asked for. Needs n ≥ 2. Grows the storage when the curve is longer than
// any before it, so it may then throw std::bad_alloc.
void deriva(const YieldCurve& c, std::size_t desde, MemoriaSpline& memoria) {
    const std::size_t n = c.size();
    std::vector<double>& gamma = memoria.gamma;
    if (gamma.empty()) gamma.push_back(0.0);
    while (gamma.size() + 1 < n) gamma.push_back(1.0 / (4.0 - gamma.back()));
    if (memoria.derivada.size() < n) memoria.derivada.resize(n);
    double* d = memoria.derivada.data();

    const double gamma_ultimo = 1.0 / (2.0 - gamma[n - 2]);
    d[0] = 3.0 * (c[1].rate - c[0].rate) * gamma[0];
    for (std::size_t i = 1; i + 1 < n; ++i) d[i] = (3.0 * (c[i + 1].rate - c[i - 1].rate) - d[i - 1]) * gamma[i];
    d[n - 1] = (3.0 * (c[n - 1].rate - c[n - 2].rate) - d[n - 2]) * gamma_ultimo;
    for (std::size_t i = n - 1; i-- > desde;) d[i] -= gamma[i] * d[i + 1];
}

// The cubic of the segment from vertex k−1 (t = 0) to vertex k (t = 1), from the derivatives
// at its two ends.
long double segmento(const YieldCurve& c, const double* d, std::size_t k, std::int32_t a) {
    const CurvePoint& antes = c[k - 1];
    const CurvePoint& depois = c[k];
    const long double t = posicao_no_segmento(c, k, a);
    const long double A = antes.rate;
    const long double B = d[k - 1];
    const long double C = 3.0L * (static_cast<long double>(depois.rate) - antes.rate) - 2.0L * d[k - 1] - d[k];
    const long double E = 2.0L * (static_cast<long double>(antes.rate) - depois.rate) + d[k - 1] + d[k];
    const long double t2 = t * t;
    return t2 * C + (B * t + A) + t2 * t * E;
}

// interpola_spline's answer outside the segments, or the segment that holds a (k ≥ 1).
bool fora_dos_segmentos(const YieldCurve& c, std::int32_t a, long double& taxa, std::size_t& k) {
    if (c.empty()) {
        taxa = 0.0L;
        return true;
    }
    if (alem_do_ultimo(c, a)) {
        taxa = -static_cast<long double>(c.back().rate);
        return true;
    }
    k = primeiro_alem(c, a);
    if (k == 0) {
        taxa = c[0].rate;
        return true;
    }
    return false;
}

}  // namespace

InterpolacaoSpline::InterpolacaoSpline(const YieldCurve& curva, MemoriaSpline& memoria)
    : curva_(curva), d_(memoria.derivada) {
    if (curva.size() >= 2) deriva(curva, 0, memoria);
}

long double InterpolacaoSpline::taxa(std::int32_t a) const {
    long double taxa = 0.0L;
    std::size_t k = 0;
    if (fora_dos_segmentos(curva_, a, taxa, k)) return taxa;
    return segmento(curva_, d_.data(), k, a);
}

long double interpola_spline(std::int32_t a, const YieldCurve& curve) noexcept {
    try {
        long double taxa = 0.0L;
        std::size_t k = 0;
        if (fora_dos_segmentos(curve, a, taxa, k)) return taxa;
        MemoriaSpline memoria;
        deriva(curve, k - 1, memoria);
        return segmento(curve, memoria.derivada.data(), k, a);
    } catch (...) {
        return 0.0L;
    }
}

Resultado cspline(std::int16_t dias, const YieldCurve& c, MemoriaSpline& memoria) {
    if (alem_do_ultimo(c, dias)) return Resultado::numero(-static_cast<long double>(c.back().rate));
    const std::size_t k = quantos_antes(c, dias);
    if (k == 0) return Resultado::numero(c[0].rate);
    deriva(c, k - 1, memoria);
    return Resultado::numero(segmento(c, memoria.derivada.data(), k, dias));
}

Resultado cspline(std::int16_t dias, const Matriz& curva) {
    YieldCurve lida;
    MemoriaSpline memoria;
    return cspline(dias, curva, lida, memoria);
}

}  // namespace funcoes
