#include "Funcoes/resultado.h"

#include <cfloat>
#include <cmath>

namespace funcoes {

bool cabe_em_double(long double valor) {
    return std::isfinite(valor) && std::fabs(valor) <= static_cast<long double>(DBL_MAX);
}

double como_double(long double valor) {
    if (std::isfinite(valor) && !cabe_em_double(valor))
        return valor > 0 ? HUGE_VAL : -HUGE_VAL;
    return static_cast<double>(valor);
}

Resultado Resultado::numero(long double valor) {
    if (!cabe_em_double(valor)) return falha(Erro::num);
    return Resultado(Erro::nenhum, static_cast<double>(valor));
}

}  // namespace funcoes
