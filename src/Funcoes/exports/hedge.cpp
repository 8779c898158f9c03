// VX.HEDGE.
#include "Funcoes/exports/exports.h"
#include "Funcoes/exports/resposta.h"
#include "Funcoes/hedge.h"

VX_EXPORT LPXLOPER VX_STDCALL hedge(double taxa_di1, std::int16_t dias_di1, std::int32_t valor_face,
                                    double taxa_posicao, std::int16_t vencimento,
                                    std::int16_t duracao_alvo, double taxa_alvo, double beta) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::hedge(taxa_di1, dias_di1, valor_face, taxa_posicao, vencimento, duracao_alvo,
                              taxa_alvo, beta);
    });
}
