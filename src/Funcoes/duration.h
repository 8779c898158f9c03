// Portfolio duration and convexity against the yield curve: every payment is discounted at the
// exponential interpolation of its own date; the figures come back as five rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Funcoes/arredondamento.h"
#include "Funcoes/curva.h"
#include "Funcoes/exponencial.h"
#include "Funcoes/matriz.h"
#include "Funcoes/resultado.h"

namespace funcoes {

// One payment of the portfolio: positive for a held payment, zero or negative for an owed one.
struct PortfolioFlow {
    std::int32_t workdays = 0;
    std::int32_t faceValue = 0;
};

// The five rows of VX.DURATION, top to bottom.
struct Duration {
    std::int16_t dias = 0;          // Macaulay duration in whole business days
    double exposicao = 0;           // present value of the zero-coupon position at `dias`
    double exposicao_final = 0;     // face value of that position at `dias`
    double convexidade = 0;         // years squared; 0 when the portfolio has both sides
    double duration_modificada = 0; // years; 0 when the portfolio has both sides
};

struct ResultadoDuration {
    Erro erro = Erro::nenhum;
    Duration linhas;
};

// The accumulated figures of one side of the portfolio, each sum compensated: a portfolio of
// thousands of payments sums as accurately as one of a few.
struct LadoDuration {
    Soma soma_pv, soma_wpv, soma_m, soma_c;
};

// Both sides of a portfolio summed payment by payment, in reading order, against a curve
// prepared for many queries: one lookup of the curve (none when the payments come in order of
// days) and two exponentials a payment.
class SomasDuration {
public:
    explicit SomasDuration(DescontoExponencial& curva) : curva_(curva) {}

    void soma(const PortfolioFlow& fluxo);
    bool vazia() const { return !algum_; }
    // The five rows once every payment is in.
    ResultadoDuration resultado();

private:
    DescontoExponencial& curva_;
    LadoDuration comprado_;  // face value > 0
    LadoDuration vendido_;   // face value ≤ 0
    bool algum_ = false;
};

// What VX.DURATION keeps from one call to the next, so that only its result array is
// allocated once the storage is large enough.
struct MemoriaDuration {
    YieldCurve curva;
    std::vector<Duplo> log_fatores;
};

// Row i of a portfolio range: whole face values, positive whole day counts. Answers false for
// a row to skip (a cell of any other kind, a day count not above 0); `fora` is set for a face
// value or day count beyond 32 bits, which is not representable.
template <class Intervalo>
bool le_pagamento(const Intervalo& intervalo, std::size_t i, PortfolioFlow& fluxo, bool& fora) {
    const Celula face = intervalo.at(i, 0);
    const Celula dias = intervalo.at(i, 1);
    if (face.tipo == Celula::Tipo::outro || dias.tipo == Celula::Tipo::outro) return false;
    if (!(dias.valor > 0)) return false;
    const auto valor = trunca<std::int32_t>(face.valor);
    const auto prazo = trunca<std::int32_t>(dias.valor);
    if (!valor || !prazo) {
        fora = true;
        return false;
    }
    fluxo = {*prazo, *valor};
    return true;
}

// The worksheet function VX.DURATION: curve range (rate, business days) and portfolio range
// (face value, business days to the payment), the curve read into the caller's storage.
template <class Curva, class Carteira>
ResultadoDuration duration(const Curva& curva, const Carteira& portfolio, MemoriaDuration& memoria) {
    ResultadoDuration r;
    if (!tem_forma_de_curva(curva) || !(portfolio.linhas >= 1 && portfolio.colunas == 2)) {
        r.erro = Erro::na;
        return r;
    }
    r.erro = le_curva(curva, memoria.curva);
    if (r.erro != Erro::nenhum) return r;
    DescontoExponencial taxas(memoria.curva, memoria.log_fatores);
    SomasDuration somas(taxas);
    for (std::size_t i = 0; i < portfolio.linhas; ++i) {
        PortfolioFlow fluxo;
        bool fora = false;
        if (le_pagamento(portfolio, i, fluxo, fora))
            somas.soma(fluxo);
        else if (fora) {
            r.erro = Erro::num;
            return r;
        }
    }
    if (somas.vazia()) {
        r.erro = Erro::na;
        return r;
    }
    return somas.resultado();
}

// The same with storage of its own.
ResultadoDuration duration(const Matriz& curva, const Matriz& portfolio);

}  // namespace funcoes
