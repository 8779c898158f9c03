// VX.INDJUSTO, VX.INDTAXA and VX.INDDIF.
#include "Funcoes/exports/exports.h"
#include "Funcoes/exports/resposta.h"
#include "Funcoes/indice_futuro.h"

VX_EXPORT LPXLOPER VX_STDCALL indjusto(std::int32_t indice_vista, std::int16_t dias, LPXLOPER curva) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::indjusto(indice_vista, dias, funcoes::matriz_de(curva));
    });
}

VX_EXPORT LPXLOPER VX_STDCALL indtaxa(std::int32_t indice_futuro, std::int16_t dias, std::int32_t indice_vista) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] { return funcoes::indtaxa(indice_futuro, dias, indice_vista); });
}

VX_EXPORT LPXLOPER VX_STDCALL inddif(std::int32_t indice_vista, std::int32_t indice_futuro, std::int16_t dias,
                                     LPXLOPER curva) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::inddif(indice_vista, indice_futuro, dias, funcoes::matriz_de(curva));
    });
}
