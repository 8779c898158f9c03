#include "Funcoes/duration.h"

#include <cmath>
#include <limits>

namespace funcoes {

namespace {

// A side's figures: modified duration and convexity, and the whole-day Macaulay duration
// (0 when the side is worth nothing; `cabe` false when it does not fit 32 bits).
struct Figuras {
    double soma_pv = 0;
    double m = 0, c = 0;
    std::int32_t dias = 0;
    bool cabe = true;

    // ΣPV × M, exactly: the net risk of a portfolio is the difference of two of them.
    Duplo risco() const { return produto_exato(soma_pv, m); }
};

Figuras figuras(const LadoDuration& lado) {
    Figuras f;
    f.soma_pv = lado.soma_pv.valor();
    f.m = lado.soma_m.valor();
    f.c = lado.soma_c.valor();
    if (f.soma_pv != 0) {
        const double macaulay = lado.soma_wpv.valor() / f.soma_pv;
        f.m = f.m / f.soma_pv;
        f.c = f.c / f.soma_pv;
        const auto dias = arredonda_meio_acima(macaulay);
        f.cabe = dias.has_value();
        f.dias = dias.value_or(0);
    }
    return f;
}

}  // namespace

void SomasDuration::soma(const PortfolioFlow& fluxo) {
    algum_ = true;
    LadoDuration& lado = fluxo.faceValue > 0 ? comprado_ : vendido_;
    const double w = fluxo.workdays;
    double um_mais_r, desconto = 1.0;
    if (fluxo.workdays > 0) {
        // ln of (1 + r)^w at the payment's own rate r: 1 + r and the discount follow from it.
        const Duplo g = curva_.log_fator_em(fluxo.workdays);
        um_mais_r = elementar::exp(g / w);
        desconto = elementar::exp(g / 252.0);
    } else {
        // Due today (a day count below 1 read as 0): no discount, whatever the rate.
        um_mais_r = 1.0 + std::fabs(interpola_exp(0, curva_.curva(), 0.0));
    }
    const double pv = fluxo.faceValue / desconto;
    lado.soma_pv += pv;
    lado.soma_wpv += w * pv;
    lado.soma_m += w * pv / (um_mais_r * 252.0);
    lado.soma_c += (w / 252.0 * pv) * ((w + 252.0) / 252.0) / (um_mais_r * um_mais_r);
}

ResultadoDuration SomasDuration::resultado() {
    ResultadoDuration r;
    const Figuras comprado = figuras(comprado_);
    const Figuras vendido = figuras(vendido_);
    if (!comprado.cabe || !vendido.cabe) {
        r.erro = Erro::num;
        return r;
    }

    const Duplo risco_liquido = comprado.risco() + vendido.risco();
    const bool dois_lados = comprado.dias != 0 && vendido.dias != 0;
    std::int64_t dias;
    double convexidade = 0, modificada = 0;
    if (dois_lados) {
        // The side with the larger rate risk sets the duration; a tie goes to the long side.
        dias = comprado.risco() < abs(vendido.risco()) ? vendido.dias : comprado.dias;
    } else {
        dias = static_cast<std::int64_t>(comprado.dias) + vendido.dias;
        convexidade = comprado.c + vendido.c;
        modificada = comprado.m + vendido.m;
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
    const Duplo g = curva_.log_fator_em(d);
    // E = N / (D / ((1 + rD) × 252)), and E × (1 + rD)^(D / 252), with 1 + rD = e^(g / D).
    const Duplo exposicao = risco_liquido * elementar::exp(g / d) * 252.0 / d;
    const double exposicao_final = (exposicao * elementar::exp(g / 252.0)).alto;
    if (!std::isfinite(exposicao.alto) || !std::isfinite(exposicao_final) || !std::isfinite(convexidade) ||
        !std::isfinite(modificada)) {
        r.erro = Erro::num;
        return r;
    }
    r.linhas.dias = static_cast<std::int16_t>(d);
    r.linhas.exposicao = exposicao.alto;
    r.linhas.exposicao_final = exposicao_final;
    r.linhas.convexidade = convexidade;
    r.linhas.duration_modificada = modificada;
    return r;
}

ResultadoDuration duration(const Matriz& curva, const Matriz& portfolio) {
    MemoriaDuration memoria;
    return duration(curva, portfolio, memoria);
}

}  // namespace funcoes
