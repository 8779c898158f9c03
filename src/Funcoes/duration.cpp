#include "Funcoes/duration.h"

#include <cmath>
#include <limits>
#include <vector>

#include "Funcoes/arredondamento.h"
#include "Funcoes/curva.h"

namespace funcoes {

namespace {

const long double um_252 = 1.0L / 252;

struct Portfolio {
    Erro erro = Erro::nenhum;
    std::vector<PortfolioFlow> comprado;  // face value > 0
    std::vector<PortfolioFlow> vendido;   // face value ≤ 0
};

// Reads the portfolio row by row: whole face values, positive whole day counts; a row with
// anything else is skipped. A face value or day count beyond 32 bits is not representable.
Portfolio le_portfolio(const Matriz& intervalo) {
    Portfolio p;
    for (std::size_t i = 0; i < intervalo.linhas; ++i) {
        const Celula& face = intervalo.at(i, 0);
        const Celula& dias = intervalo.at(i, 1);
        if (face.tipo == Celula::Tipo::outro || dias.tipo == Celula::Tipo::outro) continue;
        if (!(dias.valor > 0)) continue;
        const auto valor = trunca<std::int32_t>(face.valor);
        const auto prazo = trunca<std::int32_t>(dias.valor);
        if (!valor || !prazo) {
            p.erro = Erro::num;
            return p;
        }
        (*valor > 0 ? p.comprado : p.vendido).push_back({*prazo, *valor});
    }
    return p;
}

long double taxa(std::int32_t dias, const YieldCurve& curva) {
    return std::fabs(interpola_exp(dias, curva, 0.0));
}

// The accumulated figures of one side of the portfolio.
struct Lado {
    double soma_pv = 0, soma_wpv = 0, soma_m = 0, soma_c = 0;
    double m = 0, c = 0;      // modified duration and convexity of the side
    std::int32_t dias = 0;    // whole-day Macaulay duration, 0 when the side is worth nothing
    bool cabe = true;         // false when the whole-day duration does not fit 32 bits

    long double risco() const { return static_cast<long double>(soma_pv) * m; }
};

Lado acumula(const std::vector<PortfolioFlow>& fluxos, const YieldCurve& curva) {
    Lado lado;
    for (const PortfolioFlow& f : fluxos) {
        const long double w = f.workdays;
        const long double r = taxa(f.workdays, curva);
        const double pv = static_cast<double>(f.faceValue / std::pow(1.0L + r, w * um_252));
        lado.soma_pv += pv;
        lado.soma_wpv += static_cast<double>(w * pv);
        lado.soma_m += static_cast<double>(w * pv / ((1.0L + r) * 252.0L));
        lado.soma_c += static_cast<double>((w * um_252 * pv) * ((w + 252.0L) * um_252) /
                                           std::pow(1.0L + r, 2.0L));
    }
    lado.m = lado.soma_m;
    lado.c = lado.soma_c;
    if (lado.soma_pv != 0) {
        const double macaulay = lado.soma_wpv / lado.soma_pv;
        lado.m = lado.soma_m / lado.soma_pv;
        lado.c = lado.soma_c / lado.soma_pv;
        const auto dias = arredonda_meio_acima(macaulay);
        lado.cabe = dias.has_value();
        lado.dias = dias.value_or(0);
    }
    return lado;
}

}  // namespace

ResultadoDuration duration(const Matriz& curva, const Matriz& portfolio) {
    ResultadoDuration r;
    if (!tem_forma_de_curva(curva) || !(portfolio.linhas >= 1 && portfolio.colunas == 2)) {
        r.erro = Erro::na;
        return r;
    }
    const LeituraCurva leitura = le_curva(curva);
    if (leitura.erro != Erro::nenhum) {
        r.erro = leitura.erro;
        return r;
    }
    const Portfolio p = le_portfolio(portfolio);
    if (p.erro != Erro::nenhum || (p.comprado.empty() && p.vendido.empty())) {
        r.erro = p.erro != Erro::nenhum ? p.erro : Erro::na;
        return r;
    }
    const YieldCurve& c = leitura.curva;
    const Lado comprado = acumula(p.comprado, c);
    const Lado vendido = acumula(p.vendido, c);
    if (!comprado.cabe || !vendido.cabe) {
        r.erro = Erro::num;
        return r;
    }

    const long double risco_liquido = comprado.risco() + vendido.risco();
    const bool dois_lados = comprado.dias != 0 && vendido.dias != 0;
    std::int64_t dias;
    long double convexidade = 0, modificada = 0;
    if (dois_lados) {
        // The side with the larger rate risk sets the duration; a tie goes to the long side.
        dias = comprado.risco() >= std::fabs(vendido.risco()) ? comprado.dias : vendido.dias;
    } else {
        dias = static_cast<std::int64_t>(comprado.dias) + vendido.dias;
        convexidade = static_cast<long double>(comprado.c) + vendido.c;
        modificada = static_cast<long double>(comprado.m) + vendido.m;
    }
    // Every payment worth nothing (or due today) leaves no duration to spread the risk over.
    if (dias == 0) {
        r.erro = Erro::div0;
        return r;
    }
    if (dias > std::numeric_limits<std::int16_t>::max()) {  // row 1 is a 16-bit integer
        r.erro = Erro::num;
        return r;
    }
    const std::int32_t d = static_cast<std::int32_t>(dias);
    const long double r_d = taxa(d, c);
    const long double exposicao = risco_liquido / (d / ((1.0L + r_d) * 252.0L));
    const long double exposicao_final = exposicao * std::pow(1.0L + r_d, d * um_252);
    if (!cabe_em_double(exposicao) || !cabe_em_double(exposicao_final) ||
        !cabe_em_double(convexidade) || !cabe_em_double(modificada)) {
        r.erro = Erro::num;
        return r;
    }
    r.linhas.dias = static_cast<std::int16_t>(d);
    r.linhas.exposicao = static_cast<double>(exposicao);
    r.linhas.exposicao_final = static_cast<double>(exposicao_final);
    r.linhas.convexidade = static_cast<double>(convexidade);
    r.linhas.duration_modificada = static_cast<double>(modificada);
    return r;
}

}  // namespace funcoes
