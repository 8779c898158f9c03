#include "Funcoes/spline.h"

#include <cmath>
#include <vector>

namespace funcoes {

namespace {

// First derivative of the spline at every vertex, by forward elimination and back
// substitution of the tridiagonal system
//   D0 = 0;  D(i−1) + 4 Di + D(i+1) = 3 (r(i+1) − r(i−1));  D(n−2) + 2 D(n−1) = 3 (r(n−1) − r(n−2)).
// Needs n ≥ 2. Allocates its working arrays, so it may throw std::bad_alloc.
std::vector<double> derivadas(const YieldCurve& c) {
    const std::size_t n = c.size();
    std::vector<double> gamma(n), delta(n), d(n);
    gamma[0] = 0.0;
    for (std::size_t i = 1; i + 1 < n; ++i) gamma[i] = 1.0 / (4.0 - gamma[i - 1]);
    gamma[n - 1] = 1.0 / (2.0 - gamma[n - 2]);
    delta[0] = 3.0 * (c[1].rate - c[0].rate) * gamma[0];
    for (std::size_t i = 1; i + 1 < n; ++i)
        delta[i] = (3.0 * (c[i + 1].rate - c[i - 1].rate) - delta[i - 1]) * gamma[i];
    delta[n - 1] = (3.0 * (c[n - 1].rate - c[n - 2].rate) - delta[n - 2]) * gamma[n - 1];
    d[n - 1] = delta[n - 1];
    for (std::size_t i = n - 1; i-- > 0;) d[i] = delta[i] - gamma[i] * d[i + 1];
    return d;
}

// The cubic of the segment from vertex k−1 (t = 0) to vertex k (t = 1).
long double segmento(const YieldCurve& c, std::size_t k, std::int32_t a) {
    const std::vector<double> d = derivadas(c);
    const CurvePoint& antes = c[k - 1];
    const CurvePoint& depois = c[k];
    const long double t = posicao_no_segmento(c, k, a);
    const long double A = antes.rate;
    const long double B = d[k - 1];
    const long double C = 3.0L * (static_cast<long double>(depois.rate) - antes.rate) - 2.0L * d[k - 1] - d[k];
    const long double E = 2.0L * (static_cast<long double>(antes.rate) - depois.rate) + d[k - 1] + d[k];
    return std::pow(t, 2.0L) * C + (B * t + A) + std::pow(t, 3.0L) * E;
}

}  // namespace

long double interpola_spline(std::int32_t a, YieldCurve curve) noexcept {
    try {
        const std::size_t n = curve.size();
        if (n == 0) return 0.0L;
        if (alem_do_ultimo(curve, a)) return -static_cast<long double>(curve.back().rate);
        const std::size_t k = primeiro_alem(curve, a);
        if (k == 0) return curve[0].rate;
        return segmento(curve, k, a);
    } catch (...) {
        return 0.0L;
    }
}

Resultado cspline(std::int16_t dias, const Matriz& curva) {
    if (!tem_forma_de_curva(curva) || dias < 1) return Resultado::falha(Erro::na);
    const LeituraCurva leitura = le_curva(curva);
    if (leitura.erro != Erro::nenhum) return Resultado::falha(leitura.erro);
    const YieldCurve& c = leitura.curva;
    if (alem_do_ultimo(c, dias)) return Resultado::numero(-static_cast<long double>(c.back().rate));
    const std::size_t k = quantos_antes(c, dias);
    if (k == 0) return Resultado::numero(c[0].rate);
    return Resultado::numero(segmento(c, k, dias));
}

}  // namespace funcoes
