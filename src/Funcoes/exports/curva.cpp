// VX.INTERPOLEX: the exponential interpolation of a yield-curve range.
#include "Funcoes/curva.h"
#include "Funcoes/exponencial.h"
#include "Funcoes/exports/exports.h"
#include "Funcoes/exports/resposta.h"

namespace {
// The curve's storage, the extrapolation last prepared and the vertices' log factors, reused by
// every call: Excel calls on its one thread.
funcoes::YieldCurve lida;
funcoes::Extrapolacao extrapolacao;
funcoes::LogFatores log_fatores;
}  // namespace

VX_EXPORT LPXLOPER VX_STDCALL interpol(std::int16_t dias, LPXLOPER curva, double anos_flat) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::interpol(dias, funcoes::IntervaloExcel(curva), anos_flat, lida, extrapolacao, log_fatores);
    });
}
