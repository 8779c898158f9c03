#include "Funcoes/exponencial.h"

#include <cstring>
#include <limits>

namespace funcoes {

namespace {

// trunc(y × k), of the exact product: a span of whole business days. The product's tail
// decides only when the rounded product is a whole number; beyond 2^52, where every double is
// one, the span is so long that no day can reach its end, and the rounded product serves.
double trunca_produto(double y, double k) {
    const Duplo p = produto_exato(y, k);
    const double t = elementar::trunc(p.alto);
    if (t != p.alto || !(std::fabs(t) < 0x1p52)) return t;
    if (t > 0 && p.baixo < 0) return t - 1;
    if (t < 0 && p.baixo > 0) return t + 1;
    return t;
}

// (r1 − r0) / (w1 − w0), the slope of a segment in rate per business day.
Duplo inclinacao(const CurvePoint& antes, const CurvePoint& depois) {
    const double dias = static_cast<double>(depois.workdays) - static_cast<double>(antes.workdays);
    return soma_exata(depois.rate, -antes.rate) / dias;
}

}  // namespace

double extrapola(const YieldCurve& c, std::int32_t a, double anos_flat) {
    Extrapolacao e;
    e.prepara(c, anos_flat);
    return e.taxa(a);
}

bool Extrapolacao::mesma_que(const YieldCurve& c, double anos_flat) const {
    if (!preparada_) return false;
    // Bits, not values: -0 against 0 or a NaN must prepare again, as a different input would.
    const std::size_t n = c.size();
    for (std::size_t i = 0; i < 3; ++i) {
        const CurvePoint& p = c[n - 3 + i];
        if (p.workdays != vertices_[i].workdays || std::memcmp(&p.rate, &vertices_[i].rate, sizeof(double)) != 0)
            return false;
    }
    return std::memcmp(&anos_flat, &anos_flat_, sizeof(double)) == 0;
}

void Extrapolacao::prepara(const YieldCurve& c, double anos_flat) {
    if (mesma_que(c, anos_flat)) return;
    const std::size_t n = c.size();
    for (std::size_t i = 0; i < 3; ++i) vertices_[i] = c[n - 3 + i];
    anos_flat_ = anos_flat;
    preparada_ = true;

    const CurvePoint& p1 = c[n - 1];
    ultimo_ = p1.workdays;
    taxa_ = p1.rate;
    // The flattening span in whole business days. Kept as a whole-valued double: a span of many
    // years can exceed any integer type, and it is only compared and multiplied.
    plano_ = trunca_produto(anos_flat, 252.0);
    // No span (years flat 0, the usual case): flat at the last rate, whatever the slopes (they
    // are finite, and 0 times a finite slope adds nothing).
    if (plano_ == 0) return;

    const Duplo s1 = inclinacao(c[n - 2], p1);
    const Duplo s2 = inclinacao(c[n - 3], c[n - 2]);
    if (s1.alto == 0)
        inclinacao_ = 0.0;
    else if (s2.alto == 0)
        inclinacao_ = s1;
    else {
        const Duplo razao = abs(s1 / s2);
        inclinacao_ = razao < Duplo(1.0) ? s1 * razao : s1;
    }
    dobro_ = trunca_produto(2.0 * anos_flat, 252.0);
    alem_ = -(inclinacao_ * (0.5 * plano_) + p1.rate).alto;
}

double Extrapolacao::taxa(std::int32_t a) const {
    if (plano_ == 0) return -taxa_;
    if (ultimo_ + plano_ < a) return alem_;
    // The factor 1 − d / G, between 1/2 and 1, first: the product cannot overflow early.
    const double d = a - ultimo_;
    return -((inclinacao_ * (Duplo(1.0) - Duplo(d) / dobro_)) * d + taxa_).alto;
}

InterpolacaoExponencial::InterpolacaoExponencial(const YieldCurve& curva, std::vector<double>& log_fatores)
    : curva_(curva), g_(log_fatores) {
    log_fatores.resize(curva.size());
    for (std::size_t i = 0; i < curva.size(); ++i) log_fatores[i] = log_fator(curva[i]);
}

double InterpolacaoExponencial::taxa(std::int32_t a) const {
    const std::size_t n = curva_.size();
    if (n == 0) return 0.0;
    if (alem_do_ultimo(curva_, a)) return n < 3 ? 0.0 : extrapola(curva_, a, 0.0);
    const std::size_t k = primeiro_alem(curva_, a);
    if (k == 0) return curva_[0].rate;
    if (a == 0) return curva_[k - 1].rate;
    return taxa_de_log_fator(log_fator_entre(curva_, k, a, g_[k - 1], g_[k]), a);
}

DescontoExponencial::DescontoExponencial(const YieldCurve& curva, std::vector<Duplo>& log_fatores)
    : curva_(curva), g_(log_fatores) {
    log_fatores.assign(curva.size(), Duplo(std::numeric_limits<double>::quiet_NaN()));
    if (!curva.empty()) {
        ln_primeira_ = elementar::log1p_duplo(curva.front().rate);
        ln_ultima_ = elementar::log1p_duplo(curva.back().rate);
    }
}

const Duplo& DescontoExponencial::log_fator_do_vertice(std::size_t i) {
    if (std::isnan(g_[i].alto)) g_[i] = elementar::log1p_duplo(curva_[i].rate) * static_cast<double>(curva_[i].workdays);
    return g_[i];
}

std::size_t DescontoExponencial::segmento(std::int32_t a) {
    // The segment primeiro_alem chooses (the first vertex beyond a, or the last vertex), found
    // from the last payment's when this one is at most a few vertices further on.
    const std::size_t n = curva_.size();
    const std::int64_t dia = a;
    std::size_t k = ultimo_;
    if (k > 0 && static_cast<std::int64_t>(curva_[k - 1].workdays) > dia) {
        k = primeiro_alem(curva_, a);
    } else {
        int passos = 0;
        while (k + 1 < n && static_cast<std::int64_t>(curva_[k].workdays) <= dia && passos++ < 4) ++k;
        if (k + 1 < n && static_cast<std::int64_t>(curva_[k].workdays) <= dia) k = primeiro_alem(curva_, a);
    }
    ultimo_ = k;
    return k;
}

Duplo DescontoExponencial::log_fator_em(std::int32_t a) {
    const std::size_t n = curva_.size();
    // Flat beyond the last vertex at its rate (years flat 0), or at 0 on a two-point curve.
    if (alem_do_ultimo(curva_, a)) return n < 3 ? Duplo(0.0) : ln_ultima_ * static_cast<double>(a);
    const std::size_t k = segmento(a);
    if (k == 0) return ln_primeira_ * static_cast<double>(a);
    const double w0 = curva_[k - 1].workdays;
    const double w1 = curva_[k].workdays;
    return (log_fator_do_vertice(k - 1) * (w1 - a) + log_fator_do_vertice(k) * (a - w0)) / (w1 - w0);
}

}  // namespace funcoes
