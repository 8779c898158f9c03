#include "Funcoes/curva.h"

#include <algorithm>
#include <cmath>

#include "Funcoes/arredondamento.h"

namespace funcoes {

namespace {

const long double um_252 = 1.0L / 252;

// Capitalisation factor of vertex j seen from a business days, ^(1/252):
// (1 + r) ^ (w / a × 1/252).
long double fator_parcial(const CurvePoint& p, std::int32_t a) {
    return std::pow(1.0L + p.rate, (static_cast<long double>(p.workdays) / a) * um_252);
}

// Exponential interpolation for a inside the segment from vertex k−1 to vertex k: the
// logarithm of the capitalisation factor is linear in the business days.
long double exponencial(const YieldCurve& c, std::size_t k, std::int32_t a) {
    const CurvePoint& antes = c[k - 1];
    const CurvePoint& depois = c[k];
    const long double p0 = fator_parcial(antes, a);
    const long double p1 = fator_parcial(depois, a);
    const long double t = posicao_no_segmento(c, k, a);
    return std::pow(p0 * std::pow(p1 / p0, t), 252.0L) - 1.0L;
}

// Extrapolation beyond the last vertex (at least 3 points): the last slope, damped by the one
// before it, levels off over `anos_flat` years. Answered negative, the marker of an
// extrapolated rate.
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

}  // namespace

bool alem_do_ultimo(const YieldCurve& curva, std::int32_t a) {
    return static_cast<std::int64_t>(a) > static_cast<std::int64_t>(curva.back().workdays);
}

std::size_t primeiro_alem(const YieldCurve& curva, std::int32_t a) {
    std::size_t k = 0;
    while (k < curva.size() && static_cast<std::int64_t>(curva[k].workdays) <= a) ++k;
    return k == curva.size() ? curva.size() - 1 : k;
}

std::size_t quantos_antes(const YieldCurve& curva, std::int32_t a) {
    std::size_t k = 0;
    while (k < curva.size() && static_cast<std::int64_t>(curva[k].workdays) < a) ++k;
    return k;
}

long double posicao_no_segmento(const YieldCurve& curva, std::size_t k, std::int32_t a) {
    const long double antes = curva[k - 1].workdays;
    return (static_cast<long double>(a) - antes) / (curva[k].workdays - antes);
}

bool tem_forma_de_curva(const Matriz& intervalo) {
    return intervalo.linhas >= 2 && intervalo.colunas == 2;
}

YieldCurve ordena_e_funde(std::vector<CurvePoint> pontos) {
    std::sort(pontos.begin(), pontos.end(),
              [](const CurvePoint& x, const CurvePoint& y) { return x.workdays < y.workdays; });
    YieldCurve curva;
    curva.reserve(pontos.size());
    for (const CurvePoint& p : pontos) {
        if (curva.empty() || p.workdays > curva.back().workdays)
            curva.push_back(p);
        else if (p.rate > curva.back().rate)
            curva.back().rate = p.rate;
    }
    return curva;
}

LeituraCurva le_curva(const Matriz& intervalo) {
    LeituraCurva leitura;
    if (!tem_forma_de_curva(intervalo)) {
        leitura.erro = Erro::na;
        return leitura;
    }
    std::vector<CurvePoint> pontos;
    pontos.reserve(intervalo.linhas);
    for (std::size_t i = 0; i < intervalo.linhas; ++i) {
        const Celula& taxa = intervalo.at(i, 0);
        const Celula& dias = intervalo.at(i, 1);
        if (taxa.tipo == Celula::Tipo::outro || dias.tipo == Celula::Tipo::outro) continue;
        if (!(dias.valor > 0)) continue;
        CurvePoint ponto;
        ponto.rate = std::fabs(taxa.valor);
        if (dias.tipo == Celula::Tipo::inteiro) {
            ponto.workdays = static_cast<std::uint32_t>(dias.valor);
        } else {
            const auto inteiro = trunca<std::uint32_t>(dias.valor);
            if (!inteiro) {  // e.g. 1e12 business days: no vertex can hold it
                leitura.erro = Erro::num;
                return leitura;
            }
            ponto.workdays = *inteiro;
        }
        pontos.push_back(ponto);
    }
    if (pontos.size() >= 2) leitura.curva = ordena_e_funde(std::move(pontos));
    if (leitura.curva.size() < 2) {
        leitura.erro = Erro::na;
        leitura.curva.clear();
    }
    return leitura;
}

long double interpola_exp(std::int32_t a, YieldCurve curve, double anos_flat) {
    const std::size_t n = curve.size();
    if (n == 0) return 0.0L;
    if (alem_do_ultimo(curve, a)) return n < 3 ? 0.0L : extrapola(curve, a, anos_flat);
    const std::size_t k = primeiro_alem(curve, a);
    if (k == 0) return curve[0].rate;
    // Day 0 can only be a vertex at day 0, whose factor is 1 whatever its rate: answer its rate
    // rather than the 0/0 of the formula.
    if (a == 0) return curve[k - 1].rate;
    return exponencial(curve, k, a);
}

Resultado interpol(std::int16_t dias, const Matriz& curva, double anos_flat) {
    if (!tem_forma_de_curva(curva) || dias < 1) return Resultado::falha(Erro::na);
    const LeituraCurva leitura = le_curva(curva);
    if (leitura.erro != Erro::nenhum) return Resultado::falha(leitura.erro);
    const YieldCurve& c = leitura.curva;
    if (alem_do_ultimo(c, dias)) {
        if (!(anos_flat >= 0) || c.size() < 3) return Resultado::falha(Erro::na);
        return Resultado::numero(extrapola(c, dias, anos_flat));
    }
    const std::size_t k = quantos_antes(c, dias);
    if (k == 0) return Resultado::numero(c[0].rate);
    return Resultado::numero(exponencial(c, k, dias));
}

}  // namespace funcoes
