// Futures on a stock-exchange index (whole index points): the fair value carried forward at
// the yield curve's rate, the rate implied by a traded future, and the traded minus the fair.
#pragma once

#include <cstdint>

#include "Funcoes/matriz.h"
#include "Funcoes/resultado.h"

namespace funcoes {

// VX.INDJUSTO: the spot index carried to expiry at the curve's exponential rate, whole points.
Resultado indjusto(std::int32_t indice_vista, std::int16_t dias, const Matriz& curva);

// VX.INDTAXA: the annual rate (252-day basis) implied by the future over the spot, unrounded.
Resultado indtaxa(std::int32_t indice_futuro, std::int16_t dias, std::int32_t indice_vista);

// VX.INDDIF: the traded future minus its fair value; negative when the future is cheap.
Resultado inddif(std::int32_t indice_vista, std::int32_t indice_futuro, std::int16_t dias,
                 const Matriz& curva);

}  // namespace funcoes
