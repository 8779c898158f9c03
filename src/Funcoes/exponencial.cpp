#include "Funcoes/exponencial.h"

#include <algorithm>
#include <limits>

namespace funcoes {

long double extrapola(const YieldCurve& c, std::int32_t a, double anos_flat) {
    const std::size_t n = c.size();
    const CurvePoint& p1 = c[n - 1];
    const CurvePoint& p2 = c[n - 2];
    const CurvePoint& p3 = c[n - 3];
    const long double s1 = (static_cast<long double>(p1.rate) - p2.rate) / (p1.workdays - p2.workdays);
    const long double s2 = (static_cast<long double>(p2.rate) - p3.rate) / (p2.workdays - p3.workdays);
    long double s;
    if (s1 == 0)
        s = 0;
    else if (s2 == 0)
        s = s1;
    else
        s = s1 * std::min(1.0L, std::fabs(s1 / s2));

    // The flattening span in whole business days. Kept as a whole-valued real: a span of many
    // years can exceed any integer type, and it is only compared and multiplied.
    const long double plano = std::trunc(anos_flat * 252.0L);
    const long double dobro = std::trunc(2.0L * anos_flat * 252.0L);
    const long double d = static_cast<long double>(a) - p1.workdays;
    long double valor;
    if (p1.workdays + plano < a)
        valor = plano * (0.5L * s) + p1.rate;
    else
        valor = p1.rate + d * s * (1.0L - d / dobro);
    return -valor;
}

InterpolacaoExponencial::InterpolacaoExponencial(const YieldCurve& curva, std::vector<double>& log_fatores)
    : curva_(curva), g_(log_fatores) {
    log_fatores.resize(curva.size());
    for (std::size_t i = 0; i < curva.size(); ++i) log_fatores[i] = log_fator(curva[i]);
}

long double InterpolacaoExponencial::taxa(std::int32_t a) const {
    const std::size_t n = curva_.size();
    if (n == 0) return 0.0L;
    if (alem_do_ultimo(curva_, a)) return n < 3 ? 0.0L : extrapola(curva_, a, 0.0);
    const std::size_t k = primeiro_alem(curva_, a);
    if (k == 0) return curva_[0].rate;
    if (a == 0) return curva_[k - 1].rate;
    return taxa_de_log_fator(log_fator_entre(curva_, k, a, g_[k - 1], g_[k]), a);
}

DescontoExponencial::DescontoExponencial(const YieldCurve& curva, std::vector<long double>& log_fatores)
    : curva_(curva), g_(log_fatores) {
    log_fatores.assign(curva.size(), std::numeric_limits<long double>::quiet_NaN());
    if (!curva.empty()) {
        ln_primeira_ = std::log1p(static_cast<long double>(curva.front().rate));
        ln_ultima_ = std::log1p(static_cast<long double>(curva.back().rate));
    }
}

long double DescontoExponencial::log_fator_do_vertice(std::size_t i) {
    if (std::isnan(g_[i])) g_[i] = curva_[i].workdays * std::log1p(static_cast<long double>(curva_[i].rate));
    return g_[i];
}

long double DescontoExponencial::log_fator_em(std::int32_t a) {
    const std::size_t n = curva_.size();
    // Flat beyond the last vertex at its rate (years flat 0), or at 0 on a two-point curve.
    if (alem_do_ultimo(curva_, a)) return n < 3 ? 0.0L : a * ln_ultima_;
    const std::size_t k = primeiro_alem(curva_, a);
    if (k == 0) return a * ln_primeira_;
    const long double w0 = curva_[k - 1].workdays;
    const long double w1 = curva_[k].workdays;
    return ((w1 - a) * log_fator_do_vertice(k - 1) + (a - w0) * log_fator_do_vertice(k)) / (w1 - w0);
}

}  // namespace funcoes
