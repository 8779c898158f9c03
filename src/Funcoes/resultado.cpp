#include "Funcoes/resultado.h"

#include <cfloat>
#include <cmath>

namespace funcoes {

double como_double(long double valor) {
    if (std::isfinite(valor) && !cabe_em_double(valor))
        return valor > 0 ? HUGE_VAL : -HUGE_VAL;
    return static_cast<double>(valor);
}

}  // namespace funcoes
