#include "Funcoes/spline.h"

#include "Funcoes/duplo.h"

namespace funcoes {

namespace {

// Grows the tables of elimination factors as far as a curve of n vertices needs. May throw
// std::bad_alloc, only when the curve is longer than any before it.
void fatores(std::size_t n, MemoriaSpline& memoria) {
    std::vector<double>& gamma = memoria.gamma;
    if (gamma.empty()) gamma.push_back(0.0);
    while (gamma.size() + 1 < n) gamma.push_back(1.0 / (4.0 - gamma.back()));
    std::vector<double>& nu = memoria.nu;
    if (nu.empty()) nu.push_back(0.5);
    while (nu.size() < n) nu.push_back(1.0 / (4.0 - nu.back()));
}

// The right-hand side of inner row i: 3 (r(i+1) − r(i−1)).
double lado_direito(const YieldCurve& c, std::size_t i) { return 3.0 * (c[i + 1].rate - c[i - 1].rate); }

// The first derivative D of the spline at every vertex, into memoria.derivada, by forward
// elimination and back substitution of the tridiagonal system
//   D0 = 0;  D(i−1) + 4 Di + D(i+1) = 3 (r(i+1) − r(i−1));  D(n−2) + 2 D(n−1) = 3 (r(n−1) − r(n−2)).
// Needs n ≥ 2.
void deriva(const YieldCurve& c, MemoriaSpline& memoria) {
    const std::size_t n = c.size();
    fatores(n, memoria);
    if (memoria.derivada.size() < n) memoria.derivada.resize(n);
    const double* gamma = memoria.gamma.data();
    double* d = memoria.derivada.data();

    const double gamma_ultimo = 1.0 / (2.0 - gamma[n - 2]);
    d[0] = 3.0 * (c[1].rate - c[0].rate) * gamma[0];
    for (std::size_t i = 1; i + 1 < n; ++i) d[i] = (lado_direito(c, i) - d[i - 1]) * gamma[i];
    d[n - 1] = (3.0 * (c[n - 1].rate - c[n - 2].rate) - d[n - 2]) * gamma_ultimo;
    for (std::size_t i = n - 1; i-- > 0;) d[i] -= gamma[i] * d[i + 1];
}

// The derivatives at the two ends of segment k (1 ≤ k ≤ n−1) alone, from the same system
// eliminated from both ends at once: from the top down to row k−1, leaving
// D(k−1) + γ D(k) = δ, and from the bottom up to row k, leaving D(k) + μ D(k−1) = ε; the two
// meet in a 2 × 2 system. The two eliminations are independent chains of arithmetic, done
// step by step side by side, and nothing is substituted back.
void deriva_segmento(const YieldCurve& c, std::size_t k, MemoriaSpline& memoria, double& antes, double& depois) {
    const std::size_t n = c.size();
    fatores(n, memoria);
    const double* gamma = memoria.gamma.data();
    const double* nu = memoria.nu.data();  // nu[q]: the factor of row n−1−q

    double delta = 3.0 * (c[1].rate - c[0].rate) * gamma[0];
    double epsilon = 3.0 * (c[n - 1].rate - c[n - 2].rate) * nu[0];
    std::size_t i = 1;      // next row from the top, up to k−1
    std::size_t j = n - 1;  // last row done from the bottom, down to k
    while (i < k && j > k) {
        --j;
        delta = (lado_direito(c, i) - delta) * gamma[i];
        epsilon = (lado_direito(c, j) - epsilon) * nu[n - 1 - j];
        ++i;
    }
    for (; i < k; ++i) delta = (lado_direito(c, i) - delta) * gamma[i];
    while (j > k) {
        --j;
        epsilon = (lado_direito(c, j) - epsilon) * nu[n - 1 - j];
    }
    const double g = gamma[k - 1];
    const double mu = nu[n - 1 - k];
    antes = (delta - g * epsilon) / (1.0 - g * mu);
    depois = epsilon - mu * antes;
}

// The cubic of the segment from vertex k−1 (t = 0) to vertex k (t = 1), from the derivatives
// at its two ends: A + B t + C t² + E t³ with A = r(k−1), B = D(k−1), C = 3 Δ − 2 D(k−1) − D(k),
// E = D(k−1) + D(k) − 2 Δ, Δ = r(k) − r(k−1). Summed in that form, C t² and E t³ can cancel each
// other and leave a double's rounding of them in a result far smaller. The same cubic in the
// Hermite form, r(k−1) + Δ t²(3 − 2t) + D(k−1) t (1 − t)² − D(k) t² (1 − t), has no such
// terms, and its four products are summed as if in twice a double's precision (each product
// and each sum split into its value and its rounding error, the errors summed apart), so that
// the result is the exact sum of the four products, rounded once.
double segmento(const YieldCurve& c, double d0, double d1, std::size_t k, std::int32_t a) {
    const double antes = c[k - 1].workdays;
    const double depois = c[k].workdays;
    const double t = (a - antes) / (depois - antes);
    const double s = (depois - a) / (depois - antes);  // 1 − t, rounded by itself
    const double t2 = t * t;
    const Duplo delta = soma_exata(c[k].rate, -c[k - 1].rate);
    const Duplo p1 = produto_exato(delta.alto, t2 * (1.0 + 2.0 * s));
    const Duplo p2 = produto_exato(d0, t * (s * s));
    const Duplo p3 = produto_exato(d1, -(t2 * s));
    const Duplo s1 = soma_exata(c[k - 1].rate, p1.alto);
    const Duplo s2 = soma_exata(s1.alto, p2.alto);
    const Duplo s3 = soma_exata(s2.alto, p3.alto);
    const double erros = (s1.baixo + s2.baixo + s3.baixo) + (p1.baixo + p2.baixo + p3.baixo) +
                         delta.baixo * (t2 * (1.0 + 2.0 * s));
    return s3.alto + erros;
}

// interpola_spline's answer outside the segments, or the segment that holds a (k ≥ 1).
bool fora_dos_segmentos(const YieldCurve& c, std::int32_t a, double& taxa, std::size_t& k) {
    if (c.empty()) {
        taxa = 0.0;
        return true;
    }
    if (alem_do_ultimo(c, a)) {
        taxa = -c.back().rate;
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
    if (curva.size() >= 2) deriva(curva, memoria);
}

double InterpolacaoSpline::taxa(std::int32_t a) const {
    double taxa = 0.0;
    std::size_t k = 0;
    if (fora_dos_segmentos(curva_, a, taxa, k)) return taxa;
    return segmento(curva_, d_[k - 1], d_[k], k, a);
}

double interpola_spline(std::int32_t a, const YieldCurve& curva) noexcept {
    try {
        MemoriaSpline memoria;
        return InterpolacaoSpline(curva, memoria).taxa(a);
    } catch (...) {
        return 0.0;
    }
}

Resultado cspline(std::int16_t dias, const YieldCurve& c, MemoriaSpline& memoria) {
    if (alem_do_ultimo(c, dias)) return Resultado::numero(-c.back().rate);
    const std::size_t k = quantos_antes(c, dias);
    if (k == 0) return Resultado::numero(c[0].rate);
    double antes = 0, depois = 0;
    deriva_segmento(c, k, memoria, antes, depois);
    return Resultado::numero(segmento(c, antes, depois, k, dias));
}

Resultado cspline(std::int16_t dias, const Matriz& curva) {
    YieldCurve lida;
    MemoriaSpline memoria;
    return cspline(dias, curva, lida, memoria);
}

}  // namespace funcoes
