// Portfolio duration and convexity against the yield curve: every payment is discounted at the
// exponential interpolation of its own date; the figures come back as five rows.
#pragma once

#include <cstdint>

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

// The worksheet function VX.DURATION: curve range (rate, business days) and portfolio range
// (face value, business days to the payment).
ResultadoDuration duration(const Matriz& curva, const Matriz& portfolio);

}  // namespace funcoes
