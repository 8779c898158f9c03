// The projection of an asset's traded volume for the whole trading period, from the volume so
// far and the time of day, at the same pace; an optional lunch break trades nothing.
#pragma once

#include <cstdint>

#include "Funcoes/resultado.h"

namespace funcoes {

// The worksheet function VX.VOLPROJ. Times are fractions of a day (Excel time values); a break
// of 0 (omitted) means none.
Resultado volproj(double hora_atual, std::int32_t volume_atual, double inicio_pregao,
                  double fim_pregao, double fim_manha, double inicio_tarde);

}  // namespace funcoes
