#include "Funcoes/curva.h"

#include <algorithm>

#include "Funcoes/exponencial.h"

namespace funcoes {

bool alem_do_ultimo(const YieldCurve& curva, std::int32_t a) {
    return static_cast<std::int64_t>(a) > static_cast<std::int64_t>(curva.back().workdays);
}

namespace {

// How many vertices lie before a (`ate_o_dia` false: w < a) or at or before it (true: w ≤ a),
// by halving without a branch on the comparison: a portfolio's payments ask for their days
// in no order, and a mispredicted branch at every halving would cost more than the halving.
template <bool ate_o_dia>
std::size_t conta_antes(const YieldCurve& curva, std::int32_t a) {
    std::size_t n = curva.size();
    if (n == 0) return 0;
    const CurvePoint* const p = curva.data();
    const std::int64_t dia = a;
    auto antes = [dia](const CurvePoint& v) {
        const std::int64_t w = v.workdays;
        return ate_o_dia ? w <= dia : w < dia;
    };
    std::size_t base = 0;
    while (n > 1) {
        const std::size_t metade = n / 2;
        base = antes(p[base + metade]) ? base + metade : base;
        n -= metade;
    }
    return base + (antes(p[base]) ? 1 : 0);
}

}  // namespace

std::size_t primeiro_alem(const YieldCurve& curva, std::int32_t a) {
    const std::size_t k = conta_antes<true>(curva, a);
    return k == curva.size() ? curva.size() - 1 : k;
}

std::size_t quantos_antes(const YieldCurve& curva, std::int32_t a) { return conta_antes<false>(curva, a); }

double posicao_no_segmento(const YieldCurve& curva, std::size_t k, std::int32_t a) {
    // Whole numbers below 2^33 apart: both differences are exact.
    const double antes = curva[k - 1].workdays;
    const double depois = curva[k].workdays;
    return (a - antes) / (depois - antes);
}

void ordena_e_funde(YieldCurve& pontos) {
    std::sort(pontos.begin(), pontos.end(),
              [](const CurvePoint& x, const CurvePoint& y) { return x.workdays < y.workdays; });
    std::size_t mantidos = 0;
    for (const CurvePoint& p : pontos) {
        if (mantidos == 0 || p.workdays > pontos[mantidos - 1].workdays)
            pontos[mantidos++] = p;
        else if (p.rate > pontos[mantidos - 1].rate)
            pontos[mantidos - 1].rate = p.rate;
    }
    pontos.resize(mantidos);
}

LeituraCurva le_curva(const Matriz& intervalo) {
    LeituraCurva leitura;
    leitura.erro = le_curva(intervalo, leitura.curva);
    return leitura;
}

double interpola_exp(std::int32_t a, const YieldCurve& curva, double anos_flat) {
    const std::size_t n = curva.size();
    if (n == 0) return 0.0;
    if (alem_do_ultimo(curva, a)) return n < 3 ? 0.0 : extrapola(curva, a, anos_flat);
    const std::size_t k = primeiro_alem(curva, a);
    if (k == 0) return curva[0].rate;
    // Day 0 can only be a vertex at day 0, whose factor is 1 whatever its rate: answer its rate
    // rather than the 0/0 of the formula.
    if (a == 0) return curva[k - 1].rate;
    return taxa_de_log_fator(log_fator_entre(curva, k, a, log_fator(curva[k - 1]), log_fator(curva[k])), a);
}

Resultado interpol(std::int16_t dias, const YieldCurve& c, double anos_flat, Extrapolacao& extrapolacao,
                   LogFatores& log_fatores) {
    if (alem_do_ultimo(c, dias)) {
        if (!(anos_flat >= 0) || c.size() < 3) return Resultado::falha(Erro::na);
        extrapolacao.prepara(c, anos_flat);
        return Resultado::numero(extrapolacao.taxa(dias));
    }
    const std::size_t k = quantos_antes(c, dias);
    if (k == 0) return Resultado::numero(c[0].rate);
    const double antes = log_fatores.de(c, k - 1);
    const double depois = log_fatores.de(c, k);
    return Resultado::numero(taxa_de_log_fator(log_fator_entre(c, k, dias, antes, depois), dias));
}

Resultado interpol(std::int16_t dias, const YieldCurve& c, double anos_flat) {
    Extrapolacao extrapolacao;
    LogFatores log_fatores;
    return interpol(dias, c, anos_flat, extrapolacao, log_fatores);
}

Resultado interpol(std::int16_t dias, const Matriz& curva, double anos_flat) {
    YieldCurve lida;
    Extrapolacao extrapolacao;
    LogFatores log_fatores;
    return interpol(dias, curva, anos_flat, lida, extrapolacao, log_fatores);
}

}  // namespace funcoes
