// VX.DURATION: a 5 × 1 array handed to Excel with xlbitDLLFree.
#include "Funcoes/duration.h"
#include "Funcoes/exports/exports.h"
#include "Funcoes/exports/resposta.h"

namespace {
// The curve's storage, reused by every call: Excel calls on its one thread.
funcoes::MemoriaDuration memoria;
}  // namespace

VX_EXPORT LPXLOPER VX_STDCALL duration(LPXLOPER curva, LPXLOPER portfolio) {
    static XLOPER resultado;
    return funcoes::responde(resultado, [&] {
        return funcoes::duration(funcoes::IntervaloExcel(curva), funcoes::IntervaloExcel(portfolio), memoria);
    });
}
