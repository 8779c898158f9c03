#include "Funcoes/indice_futuro.h"

#include <cmath>

#include "Funcoes/arredondamento.h"
#include "Funcoes/curva.h"
#include "Funcoes/elementares.h"

namespace funcoes {

namespace {

// The fair future in whole points, or the reason there is none.
Resultado indice_justo(std::int32_t indice_vista, std::int16_t dias, const Matriz& curva) {
    if (!tem_forma_de_curva(curva) || dias <= 0 || indice_vista <= 0)
        return Resultado::falha(Erro::na);
    const LeituraCurva leitura = le_curva(curva);
    if (leitura.erro != Erro::nenhum) return Resultado::falha(leitura.erro);
    const double taxa = std::fabs(interpola_exp(dias, leitura.curva, 0.0));
    // (1 + r)^(dias / 252) through the logarithm of 1 + r carried beyond a double: the power
    // multiplies the error of its base by dias / 252.
    const double fator = elementar::exp(elementar::log1p_duplo(taxa) * static_cast<double>(dias) / 252.0);
    const double justo = indice_vista * fator;
    const auto pontos = arredonda_meio_acima(justo);
    if (!pontos) return Resultado::falha(Erro::num);
    return Resultado::numero(*pontos);
}

}  // namespace

Resultado indjusto(std::int32_t indice_vista, std::int16_t dias, const Matriz& curva) {
    return indice_justo(indice_vista, dias, curva);
}

Resultado indtaxa(std::int32_t indice_futuro, std::int16_t dias, std::int32_t indice_vista) {
    if (dias <= 0 || indice_vista <= 0 || indice_futuro <= 0) return Resultado::falha(Erro::na);
    const double base = static_cast<double>(indice_futuro) / indice_vista;
    return Resultado::numero(elementar::pow(base, 252.0 / dias) - 1.0);
}

Resultado inddif(std::int32_t indice_vista, std::int32_t indice_futuro, std::int16_t dias,
                 const Matriz& curva) {
    const Resultado justo = indice_justo(indice_vista, dias, curva);
    if (!justo.ok()) return justo;
    // The difference of two 32-bit values may leave the 32-bit range.
    const auto diferenca =
        cabe_em_int32(static_cast<std::int64_t>(indice_futuro) - static_cast<std::int32_t>(justo.valor()));
    if (!diferenca) return Resultado::falha(Erro::num);
    return Resultado::numero(*diferenca);
}

}  // namespace funcoes
