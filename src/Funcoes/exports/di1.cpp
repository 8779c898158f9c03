// VX.DI1_VENC, VX.DI1_PU, VX.DI1_TAXA and VX.DI1_DV01.
#include "Funcoes/di1.h"
#include "Funcoes/exports/exports.h"
#include "Funcoes/exports/resposta.h"

VX_EXPORT LPXLOPER VX_STDCALL di1venc(const char* codigo) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] { return funcoes::di1_venc(codigo); });
}

VX_EXPORT LPXLOPER VX_STDCALL di1pu(double taxa, double du) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] { return funcoes::di1_pu(taxa, du); });
}

VX_EXPORT LPXLOPER VX_STDCALL di1taxa(double pu, double du) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] { return funcoes::di1_taxa(pu, du); });
}

VX_EXPORT LPXLOPER VX_STDCALL di1dv01(double taxa, double du) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] { return funcoes::di1_dv01(taxa, du); });
}
