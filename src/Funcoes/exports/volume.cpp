// VX.VOLPROJ.
#include "Funcoes/exports/exports.h"
#include "Funcoes/exports/resposta.h"
#include "Funcoes/volume.h"

VX_EXPORT LPXLOPER VX_STDCALL volproj(double hora_atual, std::int32_t volume_atual, double inicio_pregao,
                                      double fim_pregao, double fim_manha, double inicio_tarde) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::volproj(hora_atual, volume_atual, inicio_pregao, fim_pregao, fim_manha, inicio_tarde);
    });
}
