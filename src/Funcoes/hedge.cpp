#include "Funcoes/hedge.h"

#include <cmath>

#include "Funcoes/arredondamento.h"
#include "Funcoes/elementares.h"

namespace funcoes {

Resultado hedge(double taxa_di1, std::int16_t dias_di1, std::int32_t valor_face,
                double taxa_posicao, std::int16_t vencimento, std::int16_t duracao_alvo,
                double taxa_alvo, double beta) {
    if (!(taxa_di1 > 0.0)) return Resultado::falha(Erro::na);
    if (dias_di1 < 1) return Resultado::falha(Erro::valor);
    if (!(taxa_posicao > 0.0)) return Resultado::falha(Erro::na);
    if (vencimento < 1) return Resultado::falha(Erro::valor);
    if (duracao_alvo < 0) return Resultado::falha(Erro::valor);
    if (duracao_alvo > 0 && !(taxa_alvo > 0.0)) return Resultado::falha(Erro::na);

    const double um_252 = 1.0 / 252;
    const double valor_presente = valor_face / elementar::pow(1.0 + taxa_posicao, vencimento * um_252);
    const double sensibilidade_posicao = vencimento / (1.0 + taxa_posicao);
    const double pu = 100000.0 / elementar::pow(1.0 + taxa_di1, dias_di1 * um_252);
    const double sensibilidade_contrato = dias_di1 / (1.0 + taxa_di1);
    // A DI1 rate so high that the contract's price underflows leaves nothing to hedge with.
    const double divisor = pu * sensibilidade_contrato;
    if (divisor == 0) return Resultado::falha(Erro::num);
    double contratos;
    if (duracao_alvo != 0) {
        const double sensibilidade_alvo = duracao_alvo / (1.0 + taxa_alvo);
        contratos = -((sensibilidade_posicao - sensibilidade_alvo) * valor_presente) / divisor;
    } else {
        contratos = -(valor_presente * sensibilidade_posicao) / divisor;
    }
    if (beta != 0) contratos = beta * contratos;

    // A power that overflowed leaves no count; a count beyond 32 bits cannot be formed.
    const auto inteiro = arredonda_meio_longe_do_zero(contratos);
    if (!inteiro) return Resultado::falha(Erro::num);
    return Resultado::numero(*inteiro);
}

}  // namespace funcoes
