// The number of DI1 futures that hedge a fixed-rate position, completely or down to a target
// duration. DI1 contracts are worth 100000 at expiry.
#pragma once

#include <cstdint>

#include "Funcoes/resultado.h"

namespace funcoes {

// The worksheet function VX.HEDGE: a whole number of contracts, negative for a long position.
// A target duration of 0 means a total hedge; a beta of 0 means 1.
Resultado hedge(double taxa_di1, std::int16_t dias_di1, std::int32_t valor_face,
                double taxa_posicao, std::int16_t vencimento, std::int16_t duracao_alvo,
                double taxa_alvo, double beta);

}  // namespace funcoes
