// VX.CSPLINE: the natural cubic spline of a yield-curve range.
#include "Funcoes/exports/exports.h"
#include "Funcoes/exports/resposta.h"
#include "Funcoes/spline.h"

namespace {
// The curve's and the system's storage, reused by every call: Excel calls on its one thread.
funcoes::YieldCurve lida;
funcoes::MemoriaSpline memoria;
}  // namespace

VX_EXPORT LPXLOPER VX_STDCALL cspline(std::int16_t dias, LPXLOPER curva) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::cspline(dias, funcoes::IntervaloExcel(curva), lida, memoria);
    });
}
