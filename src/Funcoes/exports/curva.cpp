// VX.INTERPOLEX ("PIPB"): the exponential interpolation of a yield-curve range.
#include "Funcoes/curve.h"
#include "Funcoes/exports/resposta.h"
#include "xll/xlcall.h"

VX_EXPORT LPXLOPER VX_STDCALL interpol(std::int16_t dias, LPXLOPER curva, double anos_flat) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] { return funcoes::interpol(dias, funcoes::matriz_de(curva), anos_flat); });
}
